// Library paths as the registrar accepts and compares them.
#pragma once

#include <string>

namespace library_path {

// A drive path ("C:\", "C:/") or a UNC path ("\\server"): the only paths the
// registrar loads, so no library is ever found through a search.
bool IsFull(const std::wstring& path);

// Same file name for Windows: ignoring ASCII case, "/" equal to "\".
bool Same(const std::wstring& a, const std::wstring& b);

}  // namespace library_path
