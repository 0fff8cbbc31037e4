#include "framework/oxu/registration_file.h"

#include <cerrno>
#include <cstdlib>

namespace {

constexpr char kHeader[] = "# oxu library registrations: kind, path, model directory\n";

void AppendUtf8(uint32_t code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

std::string ToUtf8(const std::wstring& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t code = static_cast<uint32_t>(text[i]);
    if (sizeof(wchar_t) == 2 && code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
      uint32_t low = static_cast<uint32_t>(text[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (code > 0x10FFFF) code = 0xFFFD;
    AppendUtf8(code, &out);
  }
  return out;
}

void AppendWide(uint32_t code, std::wstring* out) {
  if (sizeof(wchar_t) == 2 && code >= 0x10000) {
    code -= 0x10000;
    out->push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
    out->push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
  } else {
    out->push_back(static_cast<wchar_t>(code));
  }
}

// Malformed or overlong sequences become U+FFFD.
std::wstring FromUtf8(const std::string& text) {
  static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  std::wstring out;
  size_t i = 0;
  while (i < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    uint32_t code = lead;
    if ((lead & 0xE0) == 0xC0) {
      extra = 1, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, code = lead & 0x07;
    }
    bool valid = lead < 0x80 || extra > 0;
    valid = valid && i + extra < text.size();
    for (size_t k = 1; valid && k <= extra; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid || code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
      AppendWide(0xFFFD, &out);
      ++i;
      continue;
    }
    AppendWide(code, &out);
    i += extra + 1;
  }
  return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(
        line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

bool ParseKind(const std::string& text, int32_t* kind) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX) return false;
  *kind = static_cast<int32_t>(value);
  return true;
}

}  // namespace

std::vector<Registration> RegistrationFile::Parse(const std::string& text) {
  std::vector<Registration> registrations;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string line =
        text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields = SplitTabs(line);
    Registration registration;
    if (fields.size() != 3 || fields[1].empty() || !ParseKind(fields[0], &registration.kind)) {
      continue;
    }
    registration.path = FromUtf8(fields[1]);
    registration.model_directory = FromUtf8(fields[2]);
    registrations.push_back(registration);
  }
  return registrations;
}

std::string RegistrationFile::Format(const std::vector<Registration>& registrations) {
  std::string text = kHeader;
  for (const Registration& registration : registrations) {
    text += std::to_string(registration.kind);
    text += '\t';
    text += ToUtf8(registration.path);
    text += '\t';
    text += ToUtf8(registration.model_directory);
    text += '\n';
  }
  return text;
}

bool RegistrationFile::CanHold(const std::wstring& text) {
  return text.find_first_of(std::wstring(L"\t\r\n\0", 4)) == std::wstring::npos;
}
