// Names and text as the XML objects compare and convert them: names match
// ignoring ASCII case, attribute values are wide text stored as UTF-8.
#pragma once

#include <string>

namespace xml_text {

// Both non-null and equal ignoring ASCII case; a null pattern matches every name.
bool SameName(const char* name, const char* pattern);
bool SameWideIgnoringCase(const std::wstring& a, const std::wstring& b);

// An XML name (letters, digits, "_", ":", ".", "-", not starting with a
// digit, "." or "-"; bytes above 127 taken as letters), so what is written
// always reads back.
bool IsValidName(const char* name);

std::wstring ToWide(const char* utf8);
std::string ToUtf8(const wchar_t* wide);

// atoi-like: leading decimal, or hexadecimal after "0x"; 0 when no digit.
int ParseInteger(const char* text);
// 1 for "1", "true", "yes" (by first letter), 0 for "0", "false", "no",
// otherwise the default.
int ParseBoolean(const char* text, int defaultValue);

}  // namespace xml_text
