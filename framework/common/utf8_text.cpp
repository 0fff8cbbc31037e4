#include "framework/common/utf8_text.h"

#include <cstdint>

namespace framework_text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kLargest = 0x10FFFF;
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool IsHighSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDBFF; }
bool IsLowSurrogate(char32_t code) { return code >= 0xDC00 && code <= 0xDFFF; }
bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

// The length of the sequence a lead byte starts (0: it leads none) and the
// smallest code point a sequence of that length may carry, so that overlong
// forms are refused.
size_t SequenceLength(uint8_t lead, char32_t* smallest) {
  if (lead < 0x80) return *smallest = 0, 1;
  if ((lead & 0xE0) == 0xC0) return *smallest = 0x80, 2;
  if ((lead & 0xF0) == 0xE0) return *smallest = 0x800, 3;
  if ((lead & 0xF8) == 0xF0) return *smallest = 0x10000, 4;
  return 0;
}

// The code point of the well-formed sequence at the start of bytes, with its
// length; false when the sequence there is not well formed.
bool DecodeSequence(const uint8_t* bytes, size_t remaining, char32_t* code, size_t* length) {
  char32_t smallest = 0;
  *length = SequenceLength(bytes[0], &smallest);
  if (*length == 0 || *length > remaining) return false;
  *code = *length == 1 ? bytes[0] : bytes[0] & (0x7F >> *length);
  for (size_t k = 1; k < *length; ++k) {
    if ((bytes[k] & 0xC0) != 0x80) return false;
    *code = (*code << 6) | (bytes[k] & 0x3F);
  }
  return *code >= smallest && *code <= kLargest && !IsSurrogate(*code);
}

void AppendWide(char32_t code, std::wstring* out) {
  if (kWideIsUtf16 && code >= 0x10000) {
    code -= 0x10000;
    out->push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
    out->push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
  } else {
    out->push_back(static_cast<wchar_t>(code));
  }
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

// The code point of the wide unit at text[*i], taking a well-formed pair
// whole (and moving *i onto its second unit); anything that is no character
// of its own becomes U+FFFD.
char32_t ReadWideCodePoint(const wchar_t* text, size_t size, size_t* i) {
  const char32_t code = static_cast<char32_t>(text[*i]);
  if (kWideIsUtf16 && IsHighSurrogate(code) && *i + 1 < size &&
      IsLowSurrogate(static_cast<char32_t>(text[*i + 1]))) {
    const char32_t low = static_cast<char32_t>(text[++*i]);
    return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
  }
  if (IsSurrogate(code) || code > kLargest) return kReplacement;
  return code;
}

}  // namespace

std::wstring WideFromUtf8(const char* text, size_t size) {
  std::wstring out;
  if (text == nullptr) return out;
  out.reserve(size);
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  size_t i = 0;
  while (i < size) {
    char32_t code = 0;
    size_t length = 0;
    if (DecodeSequence(bytes + i, size - i, &code, &length)) {
      AppendWide(code, &out);
      i += length;
    } else {
      AppendWide(kReplacement, &out);
      ++i;
    }
  }
  return out;
}

std::wstring WideFromUtf8(const std::string& text) {
  return WideFromUtf8(text.data(), text.size());
}

std::string Utf8FromWide(const wchar_t* text, size_t size) {
  std::string out;
  if (text == nullptr) return out;
  out.reserve(size);
  for (size_t i = 0; i < size; ++i) AppendUtf8(ReadWideCodePoint(text, size, &i), &out);
  return out;
}

std::string Utf8FromWide(const std::wstring& text) {
  return Utf8FromWide(text.data(), text.size());
}

}  // namespace framework_text
