#include "model/file_system.h"

#include "imaging/win32_types.h"

namespace file_system {

bool MoveFileOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace file_system
