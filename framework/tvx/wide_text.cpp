#include "framework/tvx/wide_text.h"

#include <cstdint>

namespace tvx {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(char32_t code, std::wstring* out) {
  if (sizeof(wchar_t) == 2 && code >= 0x10000) {
    code -= 0x10000;
    out->push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
    out->push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
  } else {
    out->push_back(static_cast<wchar_t>(code));
  }
}

// Length of the sequence a lead byte starts (0: not a lead byte) and the
// smallest code point that sequence may hold (no overlong forms).
int SequenceLength(uint8_t lead, char32_t* minimum) {
  if (lead < 0x80) return *minimum = 0, 1;
  if ((lead & 0xE0) == 0xC0) return *minimum = 0x80, 2;
  if ((lead & 0xF0) == 0xE0) return *minimum = 0x800, 3;
  if ((lead & 0xF8) == 0xF0) return *minimum = 0x10000, 4;
  return 0;
}

void AppendUtf8(char32_t code, std::string* out) {
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

}  // namespace

std::wstring WideFromUtf8(const char* text, size_t size) {
  std::wstring out;
  out.reserve(size);
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  size_t i = 0;
  while (i < size) {
    char32_t minimum = 0;
    const int length = SequenceLength(bytes[i], &minimum);
    if (length == 0 || i + length > size) {
      out.push_back(static_cast<wchar_t>(kReplacement));
      ++i;
      continue;
    }
    char32_t code = length == 1 ? bytes[i] : bytes[i] & (0x7F >> length);
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) valid = false;
      code = (code << 6) | (bytes[i + k] & 0x3F);
    }
    if (!valid || code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(static_cast<wchar_t>(kReplacement));
      ++i;
      continue;
    }
    AppendCodePoint(code, &out);
    i += static_cast<size_t>(length);
  }
  return out;
}

std::string Utf8FromWide(const wchar_t* text) {
  std::string out;
  for (; text != nullptr && *text != L'\0'; ++text) {
    char32_t code = static_cast<char32_t>(*text);
    if (sizeof(wchar_t) == 2 && code >= 0xD800 && code <= 0xDBFF && text[1] >= 0xDC00 &&
        text[1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char32_t>(text[1]) - 0xDC00);
      ++text;
    } else if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      code = kReplacement;
    }
    AppendUtf8(code, &out);
  }
  return out;
}

}  // namespace tvx
