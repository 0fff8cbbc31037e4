// Path sources of the running system: shell special folders, the current
// user's "Shell Folders" key, the local machine's "ProgramFilesDir" and the
// Windows directory, and the earlier installation's folder from the uninstall
// log. Uses the wide-character calls except on Windows 9x.
#pragma once

#include <windows.h>

#include <string>

#include "setup/path_variables.h"

class FrameworkFactory;

class SystemPathSources : public PathSources {
 public:
  // Opens the "Shell Folders" key once; when it does not open, its fallbacks
  // are skipped. The earlier installation is looked up in the uninstall log
  // through the framework's XML document, so only with a factory.
  explicit SystemPathSources(FrameworkFactory* factory = nullptr);
  ~SystemPathSources() override;
  SystemPathSources(const SystemPathSources&) = delete;
  SystemPathSources& operator=(const SystemPathSources&) = delete;

  bool ShellFolder(int folderId, std::string* path) override;
  bool ShellFoldersValue(const char* name, bool stringOnly, std::string* value) override;
  bool ProgramFilesValue(std::string* value) override;
  bool WindowsDirectory(std::string* path) override;
  // From the uninstall log in the system directory (see
  // FindEarlierInstallDirectoryInLog).
  bool EarlierInstallDirectory(std::string* path) override;

 private:
  HKEY shell_folders_ = nullptr;
  FrameworkFactory* factory_;
};
