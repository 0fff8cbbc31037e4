#include "model/skin_backup.h"

#include <cstdio>

#include "model/file_system.h"

std::string BackupPathOf(const std::string& path) { return path + ".bak"; }

bool BackupSkinFile(const std::string& path) {
  if (!file_system::IsExistingFile(path)) return false;
  const std::string backup = BackupPathOf(path);
  std::remove(backup.c_str());
  return file_system::CopyFileOver(path, backup);
}
