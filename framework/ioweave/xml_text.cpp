#include "framework/ioweave/xml_text.h"

#include <pugixml.hpp>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

wchar_t LowerAscii(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

namespace xml_text {

bool SameName(const char* name, const char* pattern) {
  if (pattern == nullptr) return true;
  if (name == nullptr) return false;
  for (; *name != '\0' && *pattern != '\0'; ++name, ++pattern) {
    if (LowerAscii(*name) != LowerAscii(*pattern)) return false;
  }
  return *name == *pattern;
}

bool SameWideIgnoringCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool IsValidName(const char* name) {
  if (name == nullptr || *name == '\0') return false;
  for (const char* c = name; *c != '\0'; ++c) {
    unsigned char byte = static_cast<unsigned char>(*c);
    bool letter = byte >= 0x80 || std::isalpha(byte) || byte == '_' || byte == ':';
    bool later = std::isdigit(byte) || byte == '.' || byte == '-';
    if (!letter && !(later && c != name)) return false;
  }
  return true;
}

std::wstring ToWide(const char* utf8) { return pugi::as_wide(utf8 != nullptr ? utf8 : ""); }

std::string ToUtf8(const wchar_t* wide) { return pugi::as_utf8(wide != nullptr ? wide : L""); }

int ParseInteger(const char* text) {
  if (text == nullptr) return 0;
  while (*text == ' ' || *text == '\t') ++text;
  bool negative = *text == '-';
  const char* digits = (*text == '-' || *text == '+') ? text + 1 : text;
  int base = 10;
  if (digits[0] == '0' && digits[1] == 'x') {
    base = 16;
    digits += 2;
  }
  // strtol would accept a second sign or "0x" again; the digits must follow.
  bool isDigit = base == 16 ? std::isxdigit(static_cast<unsigned char>(*digits)) != 0
                            : (*digits >= '0' && *digits <= '9');
  if (!isDigit) return 0;
  errno = 0;
  long long value = std::strtoll(digits, nullptr, base);
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int ParseBoolean(const char* text, int defaultValue) {
  if (text == nullptr) return defaultValue;
  switch (*text) {
    case '1':
    case 't':
    case 'T':
    case 'y':
    case 'Y':
      return 1;
    case '0':
    case 'f':
    case 'F':
    case 'n':
    case 'N':
      return 0;
    default:
      return defaultValue;
  }
}

}  // namespace xml_text
