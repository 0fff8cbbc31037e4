// UTF-8 to and from wide text, for the framework libraries that keep text as
// UTF-8 (files, markup, archive entry names) and hand it out wide. Wide text
// is UTF-16 where wchar_t has 16 bits and UTF-32 where it has 32. NUL is an
// ordinary character both ways.
#pragma once

#include <cstddef>
#include <string>

namespace framework_text {

// Every byte that does not begin a well-formed sequence (a stray continuation
// byte, a byte that leads nothing, a sequence cut short, an overlong form, an
// encoded surrogate, a value above U+10FFFF) gives one U+FFFD, and decoding
// goes on at the byte after it.
std::wstring WideFromUtf8(const char* text, size_t size);
std::wstring WideFromUtf8(const std::string& text);

// A surrogate without its partner (with 32-bit wchar_t: any surrogate) and a
// value above U+10FFFF give U+FFFD, so the result is always well-formed UTF-8.
std::string Utf8FromWide(const wchar_t* text, size_t size);
std::string Utf8FromWide(const std::wstring& text);

}  // namespace framework_text
