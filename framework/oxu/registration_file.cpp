#include "framework/oxu/registration_file.h"

#include <cerrno>
#include <cstdlib>

#include "framework/common/utf8_text.h"

namespace {

constexpr char kHeader[] = "# oxu library registrations: kind, path, model directory\n";

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
    registration.path = framework_text::WideFromUtf8(fields[1]);
    registration.model_directory = framework_text::WideFromUtf8(fields[2]);
    registrations.push_back(registration);
  }
  return registrations;
}

std::string RegistrationFile::Format(const std::vector<Registration>& registrations) {
  std::string text = kHeader;
  for (const Registration& registration : registrations) {
    text += std::to_string(registration.kind);
    text += '\t';
    text += framework_text::Utf8FromWide(registration.path);
    text += '\t';
    text += framework_text::Utf8FromWide(registration.model_directory);
    text += '\n';
  }
  return text;
}

bool RegistrationFile::CanHold(const std::wstring& text) {
  return text.find_first_of(std::wstring(L"\t\r\n\0", 4)) == std::wstring::npos;
}
