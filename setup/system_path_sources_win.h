// Path sources of the running system: shell special folders, the current
// user's "Shell Folders" key, the local machine's "ProgramFilesDir" and the
// Windows directory. Uses the wide-character calls except on Windows 9x.
#pragma once

#include <windows.h>

#include <string>

#include "setup/path_variables.h"

class SystemPathSources : public PathSources {
 public:
  // Opens the "Shell Folders" key once; when it does not open, its fallbacks
  // are skipped.
  SystemPathSources();
  ~SystemPathSources() override;
  SystemPathSources(const SystemPathSources&) = delete;
  SystemPathSources& operator=(const SystemPathSources&) = delete;

  bool ShellFolder(int folderId, std::string* path) override;
  bool ShellFoldersValue(const char* name, bool stringOnly, std::string* value) override;
  bool ProgramFilesValue(std::string* value) override;
  bool WindowsDirectory(std::string* path) override;
  // The uninstall log is not read yet: there is never an earlier installation.
  bool EarlierInstallDirectory(std::string* path) override;

 private:
  HKEY shell_folders_ = nullptr;
};
