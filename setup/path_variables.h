// The path variables the installer sets at start-up, in this order:
// desktopdir, windowsdir, startmenudir, fontsdir, programfilesdir, instdir,
// appdatadir. Each comes from its first source or, failing that, from its
// fallback; a variable whose sources all fail is not set.
#pragma once

#include <string>

class VariableTable;

// Where the values come from; the program asks the shell and the registry.
class PathSources {
 public:
  // Shell special folder identifiers used.
  static constexpr int kDesktopDirectory = 16;
  static constexpr int kWindows = 36;
  static constexpr int kStartMenu = 11;
  static constexpr int kFonts = 20;
  static constexpr int kProgramFiles = 38;
  static constexpr int kAppData = 26;

  virtual ~PathSources() = default;
  virtual bool ShellFolder(int folderId, std::string* path) = 0;
  // A value of the current user's "Shell Folders" key; stringOnly refuses
  // values that are not of string type.
  virtual bool ShellFoldersValue(const char* name, bool stringOnly, std::string* value) = 0;
  // "ProgramFilesDir" of the local machine's CurrentVersion key.
  virtual bool ProgramFilesValue(std::string* value) = 0;
  // The system's Windows directory call.
  virtual bool WindowsDirectory(std::string* path) = 0;
  // The folder of an earlier installation recorded in the uninstall log.
  virtual bool EarlierInstallDirectory(std::string* path) = 0;
};

void FillPathVariables(PathSources& sources, VariableTable& variables);
