#include "model/file_system.h"

#include <sys/stat.h>
#include <cstdio>

namespace file_system {

bool IsExistingFile(const std::string& path) {
  struct stat info;
  if (path.empty() || stat(path.c_str(), &info) != 0) return false;
  return (info.st_mode & S_IFMT) != S_IFDIR;
}

#ifndef _WIN32
bool MoveFileOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}
#endif

bool CopyFileOver(const std::string& from, const std::string& to) {
  std::FILE* source = std::fopen(from.c_str(), "rb");
  if (source == nullptr) return false;
  std::FILE* target = std::fopen(to.c_str(), "wb");
  if (target == nullptr) {
    std::fclose(source);
    return false;
  }
  char buffer[64 * 1024];
  bool ok = true;
  for (;;) {
    const size_t read = std::fread(buffer, 1, sizeof(buffer), source);
    if (read > 0 && std::fwrite(buffer, 1, read, target) != read) {
      ok = false;
      break;
    }
    if (read < sizeof(buffer)) break;
  }
  if (std::ferror(source)) ok = false;
  std::fclose(source);
  if (std::fclose(target) != 0) ok = false;
  return ok;
}

}  // namespace file_system
