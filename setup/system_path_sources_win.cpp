#include "setup/system_path_sources_win.h"

#include <shlobj.h>

#include <vector>

#include "setup/earlier_installation.h"
#include "setup/system_services.h"

namespace {

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr DWORD kFirstValueBuffer = 256;
constexpr DWORD kLargestValue = 1u << 16;

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The value as text (up to its first terminator): a 256-byte buffer first,
// then once more with the size the system asks for.
bool ReadTextValue(HKEY key, const char* name, bool stringOnly, std::string* value) {
  std::vector<char> buffer(kFirstValueBuffer);
  DWORD type = 0;
  DWORD size = kFirstValueBuffer;
  LONG status =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (status == ERROR_MORE_DATA && size <= kLargestValue) {
    buffer.assign(size, '\0');
    status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
  }
  if (status != ERROR_SUCCESS || (stringOnly && !IsStringType(type))) return false;
  size_t length = 0;
  while (length < size && buffer[length] != '\0') ++length;
  value->assign(buffer.data(), length);
  return true;
}

bool WideToAnsi(const wchar_t* text, std::string* out) {
  int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return false;
  std::vector<char> buffer(static_cast<size_t>(size));
  if (WideCharToMultiByte(CP_ACP, 0, text, -1, buffer.data(), size, nullptr, nullptr) <= 0) {
    return false;
  }
  out->assign(buffer.data());
  return true;
}

bool PathFromIdList(LPCITEMIDLIST list, std::string* path) {
  if (UsesWideCalls()) {
    wchar_t wide[MAX_PATH] = L"";
    return SHGetPathFromIDListW(list, wide) && WideToAnsi(wide, path);
  }
  char narrow[MAX_PATH] = "";
  if (!SHGetPathFromIDListA(list, narrow)) return false;
  path->assign(narrow);
  return true;
}

}  // namespace

SystemPathSources::SystemPathSources(FrameworkFactory* factory) : factory_(factory) {
  // Read access is all the lookups need; asking for more fails for users
  // whose profile keys are locked down.
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &shell_folders_) !=
      ERROR_SUCCESS) {
    shell_folders_ = nullptr;
  }
}

SystemPathSources::~SystemPathSources() {
  if (shell_folders_ != nullptr) RegCloseKey(shell_folders_);
}

bool SystemPathSources::ShellFolder(int folderId, std::string* path) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, folderId, &list)) || list == nullptr) {
    return false;
  }
  bool found = PathFromIdList(list, path);
  IMalloc* shellAllocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellAllocator)) && shellAllocator != nullptr) {
    shellAllocator->Free(list);
    shellAllocator->Release();
  }
  return found;
}

bool SystemPathSources::ShellFoldersValue(const char* name, bool stringOnly, std::string* value) {
  return shell_folders_ != nullptr && ReadTextValue(shell_folders_, name, stringOnly, value);
}

bool SystemPathSources::ProgramFilesValue(std::string* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  bool found = ReadTextValue(key, "ProgramFilesDir", false, value);
  RegCloseKey(key);
  return found;
}

bool SystemPathSources::WindowsDirectory(std::string* path) {
  if (UsesWideCalls()) {
    wchar_t wide[520] = L"";
    UINT length = GetWindowsDirectoryW(wide, 520);
    return length != 0 && length < 520 && WideToAnsi(wide, path);
  }
  char narrow[260] = "";
  UINT length = GetWindowsDirectoryA(narrow, 260);
  if (length == 0 || length >= 260) return false;
  path->assign(narrow);
  return true;
}

bool SystemPathSources::EarlierInstallDirectory(std::string* path) {
  const std::wstring log = UninstallLogPath();
  std::wstring folder;
  return factory_ != nullptr && !log.empty() &&
         FindEarlierInstallDirectoryInLog(*factory_, log, &folder) &&
         WideToAnsi(folder.c_str(), path);
}
