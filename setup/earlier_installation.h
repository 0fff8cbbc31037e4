// Finds the folder of an earlier installation in a loaded uninstall log: the
// first "file" of any "package" (UninstallLog/packages/package/file, document
// order) whose "path" contains "corvana2.exe" in any case.
#pragma once

#include <string>

#include "framework/interfaces.h"

// False when the log holds no such path. The folder is the path up to its
// last "\" or "/", or "." when it has neither.
bool FindEarlierInstallDirectory(framework::XmlElement* documentElement, std::wstring* folder);
