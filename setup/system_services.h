// Which Windows family the installer runs on, pending file replacements,
// restarting the machine and where the uninstall log lives. Implemented for Windows only.
#pragma once

#include <string>

struct PlatformFacts {
  bool version_obtained = false;
  bool windows_9x = false;  // else the NT family
};

// Read once, the first time it is asked (the program asks at entry).
const PlatformFacts& GetPlatformFacts();

// Asked at each use: everything but Windows 9x takes the wide-character calls.
bool UsesWideCalls();

// NT family: a "PendingFileRenameOperations" value under the session
// manager's key; 9x: a non-empty wininit.ini in the "windowsdir" folder.
bool IsRebootNeeded();
bool IsRebootNeededNt();
bool IsRebootNeeded9x(const std::string& windowsDir);

// The uninstall log's file: the system directory followed by
// "\TervixUninstall.xml"; empty when the system directory is not known.
std::wstring UninstallLogPath();

// Enables the shutdown privilege and asks for a restart with reason code
// 0x80040002 (planned, application, installation). Whether it was accepted.
bool SystemReboot();
