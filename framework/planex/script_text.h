// Wide text to and from the script engine's internal encoding (CESU-8: each
// UTF-16 code unit of a surrogate pair encoded on its own; code points above
// U+FFFF written by the engine as four bytes are read too).
#pragma once

#include <string>

namespace script_text {

std::string ToEngine(const wchar_t* text);
std::string ToEngine(const std::wstring& text);
std::wstring FromEngine(const char* bytes, size_t size);

// An ECMAScript identifier of ASCII letters, digits, "_" and "$", not a
// reserved word, usable as a parameter name.
bool IsParameterName(const std::wstring& name);

}  // namespace script_text
