// setup.exe: the self-extracting installer. Takes no arguments.
#include <windows.h>

#include "setup/message_box_sink_win.h"
#include "setup/setup_flow.h"
#include "setup/system_services.h"
#include "setup/system_setup_host_win.h"

namespace {

// Installers are started from download folders, where other programs can
// leave DLLs named like system ones: take implicit DLLs from the system
// folder only. The call is looked up because older systems lack it.
void RestrictDllSearchToSystemFolder() {
  typedef BOOL(WINAPI * SetDefaultDllDirectoriesFunction)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    // Without it, at least drop the current folder from the search.
    SetDllDirectoryA("");
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearchToSystemFolder();
  GetPlatformFacts();
  MessageBoxSink messages;
  SystemSetupHost host(messages);
  return SetupFlow(host, messages).Run();
}
