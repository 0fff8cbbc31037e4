#include "setup/system_services.h"

#include <windows.h>

#include "setup/os_file.h"
#include "setup/variable_table.h"

namespace {

constexpr char kSessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingRenamesValue[] = "PendingFileRenameOperations";
// Planned | major reason application | minor reason installation.
constexpr DWORD kRestartReason = 0x80040002;

PlatformFacts ReadPlatformFacts() {
  PlatformFacts facts;
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  facts.version_obtained = GetVersionExA(&version) != FALSE;
#pragma GCC diagnostic pop
  facts.windows_9x = facts.version_obtained && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
  return facts;
}

bool EnableShutdownPrivilege(HANDLE token) {
  TOKEN_PRIVILEGES privileges = {};
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
    return false;
  }
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  SetLastError(ERROR_SUCCESS);
  AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  // Succeeds with ERROR_NOT_ALL_ASSIGNED when the privilege is not held.
  return GetLastError() == ERROR_SUCCESS;
}

}  // namespace

const PlatformFacts& GetPlatformFacts() {
  static const PlatformFacts facts = ReadPlatformFacts();
  return facts;
}

bool UsesWideCalls() {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  // The high bit of the version word is set on Windows 9x only.
  return (GetVersion() & 0x80000000u) == 0;
#pragma GCC diagnostic pop
}

std::wstring UninstallLogPath() {
  std::wstring folder;
  if (UsesWideCalls()) {
    wchar_t wide[MAX_PATH + 1] = L"";
    const UINT length = GetSystemDirectoryW(wide, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    folder.assign(wide, length);
  } else {
    char narrow[MAX_PATH + 1] = "";
    const UINT length = GetSystemDirectoryA(narrow, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    folder = os_file::WidenAnsi(narrow);
  }
  return folder + L"\\TervixUninstall.xml";
}

bool IsRebootNeededNt() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  bool present = RegQueryValueExA(key, kPendingRenamesValue, nullptr, nullptr, nullptr, nullptr) ==
                 ERROR_SUCCESS;
  RegCloseKey(key);
  return present;
}

bool IsRebootNeeded9x(const std::string& windowsDir) {
  std::string path = windowsDir + "\\wininit.ini";
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return data.nFileSizeLow != 0 || data.nFileSizeHigh != 0;
}

bool IsRebootNeeded() {
  if (!GetPlatformFacts().windows_9x) return IsRebootNeededNt();
  std::string windowsDir;
  InstallerVariables().Lookup("windowsdir", &windowsDir);
  return IsRebootNeeded9x(windowsDir);
}

bool SystemReboot() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    return false;
  }
  bool enabled = EnableShutdownPrivilege(token);
  CloseHandle(token);
  if (!enabled) return false;
  return ExitWindowsEx(EWX_REBOOT, kRestartReason) != FALSE;
}
