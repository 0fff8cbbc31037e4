// The few file operations the skin file needs beyond stdio: existence
// checks, a rename that replaces its target on every platform, and a copy.
#pragma once

#include <string>

namespace file_system {

// Whether path names something that exists and is not a folder.
bool IsExistingFile(const std::string& path);
// Renames from to to, replacing an existing to (file_system.cpp natively,
// file_system_win.cpp on Windows, where rename refuses an existing target).
bool MoveFileOver(const std::string& from, const std::string& to);
// Copies the bytes of from into to, created or truncated. On failure to
// may be left partly written.
bool CopyFileOver(const std::string& from, const std::string& to);

}  // namespace file_system
