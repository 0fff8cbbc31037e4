#include "setup/system_install_system_win.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "setup/entry_extraction.h"
#include "setup/message_sink.h"
#include "setup/os_file.h"
#include "setup/registry_writer_win.h"
#include "setup/temporary_environment.h"

namespace {

constexpr DWORD kTimedOutExitCode = 0x80004005;

// Ends a program that outlives the limit; false for such a program.
bool WaitWithinLimit(HANDLE process, const SystemInstallSystem::WaitLimits& limits) {
  uint32_t waited = 0;
  for (;;) {
    if (WaitForSingleObject(process, limits.step_ms) != WAIT_TIMEOUT) return true;
    if (waited > limits.limit_ms) {
      TerminateProcess(process, kTimedOutExitCode);
      return false;
    }
    waited += limits.step_ms;
  }
}

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (object_ != nullptr) object_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  void** Out() { return reinterpret_cast<void**>(&object_); }

 private:
  Interface* object_ = nullptr;
};

}  // namespace

bool SystemInstallSystem::RemoveFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != FALSE;
}

bool SystemInstallSystem::RunArchivedProgram(const std::string& application,
                                             const std::string& options, bool wait) {
  if (program_folder_.empty()) return false;
  const std::string program = program_folder_ + "\\" + application;
  if (!ExtractEntryFrom(archive_, variables_, program.c_str(), application.c_str(), nullptr)) {
    return false;
  }
  std::string commandLine = program + options;
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  const bool ended = !wait || WaitWithinLimit(process.hProcess, limits_);
  CloseHandle(process.hProcess);
  return ended;
}

bool SystemInstallSystem::RegisterLibrary(const std::string& path,
                                          const std::string& modelDirectory, int kind) {
  if (environment_ == nullptr) return false;
  const std::wstring model = os_file::WidenAnsi(modelDirectory.c_str());
  return environment_->RegisterLibrary(path.c_str(), model.empty() ? nullptr : model.c_str(), kind);
}

bool SystemInstallSystem::AddFont(const std::string& path) {
  return AddFontResourceA(path.c_str()) != 0;
}

bool SystemInstallSystem::CreateShortcut(const std::string& target, const std::string& link,
                                         const std::string& description,
                                         const std::string& workingFolder) {
  ComRef<IShellLinkA> shellLink;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              shellLink.Out()))) {
    return false;
  }
  shellLink->SetPath(target.c_str());
  if (!description.empty()) shellLink->SetDescription(description.c_str());
  if (!workingFolder.empty()) shellLink->SetWorkingDirectory(workingFolder.c_str());
  ComRef<IPersistFile> file;
  if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.Out()))) return false;
  const std::wstring widePath = os_file::WidenAnsi(link.c_str());
  return SUCCEEDED(file->Save(widePath.c_str(), TRUE));
}

int32_t SystemInstallSystem::WriteRegistryEntry(RegistryWriteRequest& request) {
  return registry_writer::WriteRegistryEntry(request);
}

bool SystemInstallSystem::RegisterFileType(FileTypeRequest& request) {
  return registry_writer::RegisterFileType(request);
}

void SystemInstallSystem::ShowMessage(const std::string& text, const char* caption) {
  messages_.ShowMessage(text.c_str(), caption);
}
