// UTF-8 (the markup's encoding) to and from wide text. Malformed UTF-8 gives
// U+FFFD per bad byte; wide text is UTF-16 where wchar_t has 16 bits.
#pragma once

#include <cstddef>
#include <string>

namespace tvx {

std::wstring WideFromUtf8(const char* text, size_t size);
inline std::wstring WideFromUtf8(const std::string& text) {
  return WideFromUtf8(text.data(), text.size());
}
std::string Utf8FromWide(const wchar_t* text);

}  // namespace tvx
