// The backup the editor's Save command makes before it overwrites a skin
// file: the previous file is copied to the same name with ".bak" appended.
#pragma once

#include <string>

// The backup's name: ".bak" appended to the full name ("a.skin.bak").
std::string BackupPathOf(const std::string& path);
// When path names an existing file (not a folder), deletes its backup and
// copies the file there. The editor ignores the result: a failed backup
// does not stop the save. Returns whether a backup was written.
bool BackupSkinFile(const std::string& path);
