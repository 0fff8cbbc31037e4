// ShellLauncher: the one seam for opening a shortcut's target with the shell
// ("open"). The program uses the shell; tests install their own launcher
// and see what would have been opened.
#pragma once

#include <windows.h>

#include <string>

class ShellLauncher {
 public:
  virtual ~ShellLauncher() = default;
  virtual void Open(HWND owner, const std::string& target);
};

// The launcher in use; SetShellLauncher(nullptr) restores the shell's.
ShellLauncher& GetShellLauncher();
void SetShellLauncher(ShellLauncher* launcher);
