#include "setup/path_variables.h"

#include "setup/variable_table.h"

namespace {

void SetFromShellOrShellFolders(PathSources& sources, VariableTable& variables, const char* name,
                                int folderId, const char* valueName, bool stringOnly) {
  std::string path;
  if (sources.ShellFolder(folderId, &path) ||
      sources.ShellFoldersValue(valueName, stringOnly, &path)) {
    variables.SetVariable(name, path);
  }
}

}  // namespace

void FillPathVariables(PathSources& sources, VariableTable& variables) {
  SetFromShellOrShellFolders(sources, variables, "desktopdir", PathSources::kDesktopDirectory,
                             "Desktop", true);
  std::string path;
  if (sources.ShellFolder(PathSources::kWindows, &path) || sources.WindowsDirectory(&path)) {
    variables.SetVariable("windowsdir", path);
  }
  SetFromShellOrShellFolders(sources, variables, "startmenudir", PathSources::kStartMenu,
                             "Start Menu", false);
  SetFromShellOrShellFolders(sources, variables, "fontsdir", PathSources::kFonts, "Fonts", false);

  std::string programFiles;
  bool haveProgramFiles = sources.ShellFolder(PathSources::kProgramFiles, &programFiles) ||
                          sources.ProgramFilesValue(&programFiles);
  if (haveProgramFiles) variables.SetVariable("programfilesdir", programFiles);

  std::string installDir;
  if (!sources.EarlierInstallDirectory(&installDir)) {
    installDir = (haveProgramFiles ? programFiles : std::string()) + "\\Corvana2";
  }
  variables.SetVariable("instdir", installDir);

  SetFromShellOrShellFolders(sources, variables, "appdatadir", PathSources::kAppData, "AppData",
                             true);
}
