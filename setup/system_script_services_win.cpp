#include "setup/system_script_services_win.h"

#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <vector>

#include "setup/system_services.h"
#include "setup/temporary_environment.h"

void SystemScriptSystem::Popup(const std::string& caption, const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

bool SystemScriptSystem::Execute(const std::string& commandLine, const std::string& folder) {
  // An environment block is its entries, each ended by a null, and one more null.
  static const char kEnvironment[] = "env=nothinginhere\0";
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      const_cast<char*>(kEnvironment), folder.empty() ? nullptr : folder.c_str(),
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void SystemScriptSystem::OpenFile(const std::string& path) {
  ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool SystemScriptSystem::IsWindowOpen(const std::string& windowClass, const std::string& title) {
  return FindWindowA(windowClass.c_str(), title.c_str()) != nullptr;
}

bool SystemScriptSystem::IsRebootNeeded() { return ::IsRebootNeeded(); }

bool SystemScriptSystem::SystemReboot() { return ::SystemReboot(); }

SystemInstallRunner::SystemInstallRunner(framework::Archive* archive, FrameworkFactory& factory,
                                         const VariableTable& variables,
                                         TemporaryEnvironment* environment, MessageSink& messages)
    : system_(archive, variables, environment != nullptr ? environment->folder() : std::string(),
              environment, messages),
      actions_(archive, variables, system_),
      walk_(archive, factory, variables, actions_, UninstallLogPath()) {}

void SystemInstallRunner::Install(const std::vector<PackageSelection>* selection,
                                  InstallProgress& progress) {
  const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (selection == nullptr) {
    walk_.InstallAll(progress);
  } else {
    for (const PackageSelection& entry : *selection) {
      if (walk_.StopRequested()) break;
      walk_.InstallSelected(entry, progress);
    }
  }
  if (SUCCEEDED(initialised)) CoUninitialize();
}
