// Finds the folder of an earlier installation in a loaded uninstall log: the
// first "file" of any "package" (UninstallLog/packages/package/file, document
// order) whose "path" contains "corvana2.exe" in any case.
#pragma once

#include <string>

#include "framework/interfaces.h"

class FrameworkFactory;

// False when the log holds no such path. The folder is the path up to its
// last "\" or "/", or "." when it has neither.
bool FindEarlierInstallDirectory(framework::XmlElement* documentElement, std::wstring* folder);

// The same search in the uninstall log file at `logPath`, loaded as the
// uninstall log loads it. False when the log is missing, unreadable or holds
// no such path.
bool FindEarlierInstallDirectoryInLog(FrameworkFactory& factory, const std::wstring& logPath,
                                      std::wstring* folder);
