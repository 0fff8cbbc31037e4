#include "editor/shell_launcher.h"

#include <shellapi.h>

namespace {

ShellLauncher g_shellLauncher;
ShellLauncher* g_launcher = &g_shellLauncher;

}  // namespace

void ShellLauncher::Open(HWND owner, const std::string& target) {
  ::ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

ShellLauncher& GetShellLauncher() { return *g_launcher; }

void SetShellLauncher(ShellLauncher* launcher) {
  g_launcher = launcher != nullptr ? launcher : &g_shellLauncher;
}
