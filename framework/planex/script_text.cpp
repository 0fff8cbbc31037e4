#include "framework/planex/script_text.h"

#include <cstdint>

namespace {

void AppendUnit(uint32_t unit, std::string* out) {
  if (unit < 0x80) {
    out->push_back(static_cast<char>(unit));
  } else if (unit < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (unit >> 6)));
    out->push_back(static_cast<char>(0x80 | (unit & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (unit >> 12)));
    out->push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (unit & 0x3F)));
  }
}

void AppendCodePoint(uint32_t code, std::wstring* out) {
  if (sizeof(wchar_t) == 2 && code >= 0x10000) {
    code -= 0x10000;
    out->push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
    out->push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
  } else {
    out->push_back(static_cast<wchar_t>(code));
  }
}

// With 32-bit wchar_t a surrogate pair the engine hands back as two units
// becomes one code point again.
void JoinSurrogates(std::wstring* text) {
  if (sizeof(wchar_t) == 2) return;
  std::wstring joined;
  for (size_t i = 0; i < text->size(); ++i) {
    uint32_t high = static_cast<uint32_t>((*text)[i]);
    if (high >= 0xD800 && high < 0xDC00 && i + 1 < text->size()) {
      uint32_t low = static_cast<uint32_t>((*text)[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        joined.push_back(static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00)));
        ++i;
        continue;
      }
    }
    joined.push_back(static_cast<wchar_t>(high));
  }
  *text = joined;
}

}  // namespace

namespace script_text {

std::string ToEngine(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    uint32_t code = static_cast<uint32_t>(c);
    if (code >= 0x10000 && code <= 0x10FFFF) {
      code -= 0x10000;
      AppendUnit(0xD800 + (code >> 10), &out);
      AppendUnit(0xDC00 + (code & 0x3FF), &out);
    } else {
      AppendUnit(code > 0xFFFF ? 0xFFFD : code, &out);
    }
  }
  return out;
}

std::string ToEngine(const wchar_t* text) {
  return ToEngine(std::wstring(text != nullptr ? text : L""));
}

std::wstring FromEngine(const char* bytes, size_t size) {
  std::wstring out;
  size_t i = 0;
  while (bytes != nullptr && i < size) {
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    size_t extra = lead < 0x80             ? 0
                   : (lead & 0xE0) == 0xC0 ? 1
                   : (lead & 0xF0) == 0xE0 ? 2
                   : (lead & 0xF8) == 0xF0 ? 3
                                           : 4;
    uint32_t code = extra == 0   ? lead
                    : extra == 1 ? (lead & 0x1F)
                    : extra == 2 ? (lead & 0x0F)
                                 : (lead & 0x07);
    bool valid = extra < 4 && i + extra < size;
    for (size_t k = 1; valid && k <= extra; ++k) {
      unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid || code > 0x10FFFF) {
      AppendCodePoint(0xFFFD, &out);
      ++i;
      continue;
    }
    AppendCodePoint(code, &out);
    i += extra + 1;
  }
  JoinSurrogates(&out);
  return out;
}

bool IsParameterName(const std::wstring& name) {
  static const wchar_t* const kReserved[] = {
      L"break",      L"case",    L"catch",    L"class",    L"const", L"continue", L"debugger",
      L"default",    L"delete",  L"do",       L"else",     L"enum",  L"export",   L"extends",
      L"false",      L"finally", L"for",      L"function", L"if",    L"import",   L"in",
      L"instanceof", L"new",     L"null",     L"return",   L"super", L"switch",   L"this",
      L"throw",      L"true",    L"try",      L"typeof",   L"var",   L"void",     L"while",
      L"with",       L"eval",    L"arguments"};
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    wchar_t c = name[i];
    bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' || c == L'$';
    bool digit = c >= L'0' && c <= L'9';
    if (!letter && !(digit && i > 0)) return false;
  }
  for (const wchar_t* reserved : kReserved) {
    if (name == reserved) return false;
  }
  return true;
}

}  // namespace script_text
