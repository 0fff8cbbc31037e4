#include "model/profile_file_win.h"

#include <limits>
#include <memory>
#include <new>

#include "imaging/win32_types.h"
#include "model/editor_configuration.h"

namespace {

// Longest module path Windows hands out (the \\?\ limit).
constexpr DWORD kLongestModulePath = 32768;

// The running program's full path. The buffer grows while the call reports
// a cut path, so a deep install folder still gives the right folder.
std::string ModulePath() {
  for (DWORD size = MAX_PATH; size <= kLongestModulePath; size *= 2) {
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
    if (!buffer) return std::string();
    const DWORD length = GetModuleFileNameA(nullptr, buffer.get(), size);
    if (length == 0) return std::string();
    if (length < size) return std::string(buffer.get(), length);
  }
  return std::string();
}

}  // namespace

int ProfileFile::GetInt(const char* section, const char* key, int defaultValue) {
  if (path_.empty()) return defaultValue;
  // The call's unsigned result carries negative numbers in two's complement.
  const UINT value = GetPrivateProfileIntA(section, key, defaultValue, path_.c_str());
  return static_cast<int>(value);
}

std::string ProfileFile::GetString(const char* section, const char* key, const char* defaultValue,
                                   std::size_t capacity) {
  if (capacity == 0) return std::string();
  const std::string fallback = defaultValue ? defaultValue : "";
  if (path_.empty()) return fallback.substr(0, capacity - 1);
  const DWORD size = capacity > std::numeric_limits<DWORD>::max()
                         ? std::numeric_limits<DWORD>::max()
                         : static_cast<DWORD>(capacity);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
  if (!buffer) return std::string();
  const DWORD length =
      GetPrivateProfileStringA(section, key, fallback.c_str(), buffer.get(), size, path_.c_str());
  return std::string(buffer.get(), length < size ? length : size - 1);
}

std::string ProfileFile::EditorConfigurationPath() {
  const std::string modulePath = ModulePath();
  if (modulePath.empty()) return std::string();
  return EditorConfiguration::PathBesideModule(modulePath);
}
