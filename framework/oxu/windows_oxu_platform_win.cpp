#include "framework/oxu/windows_oxu_platform_win.h"

#include <windows.h>

#include <vector>

#include "framework/oxu/library_path.h"

namespace {

constexpr DWORD kLargestRegistrationsFile = 1u << 20;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (IsOpen()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool WriteWhole(const std::wstring& path, const std::string& contents) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  DWORD written = 0;
  bool complete = WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()),
                            &written, nullptr) &&
                  written == contents.size();
  return complete && FlushFileBuffers(file.get());
}

}  // namespace

std::wstring WindowsOxuPlatform::RegistrationsPath() {
  DWORD needed = GetEnvironmentVariableW(L"OXU_LIBRARY_PATH", nullptr, 0);
  if (needed == 0) return std::wstring();
  std::vector<wchar_t> buffer(needed);
  DWORD length = GetEnvironmentVariableW(L"OXU_LIBRARY_PATH", buffer.data(), needed);
  if (length == 0 || length >= needed) return std::wstring();
  return std::wstring(buffer.data(), length);
}

bool WindowsOxuPlatform::ReadWholeFile(const std::wstring& path, std::string* contents) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestRegistrationsFile) return false;
  contents->assign(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!contents->empty() && (!::ReadFile(file.get(), &(*contents)[0],
                                         static_cast<DWORD>(contents->size()), &read, nullptr) ||
                             read != contents->size())) {
    contents->clear();
    return false;
  }
  return true;
}

bool WindowsOxuPlatform::ReplaceWholeFile(const std::wstring& path, const std::string& contents) {
  std::wstring temporary = path + L".new";
  if (!WriteWhole(temporary, contents)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  if (!MoveFileExW(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

bool WindowsOxuPlatform::Load(const std::wstring& path, LoadedLibrary* library) {
  if (!library_path::IsFull(path)) return false;
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                  LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    // Systems without the LOAD_LIBRARY_SEARCH flags: the full path with the
    // library's own folder first.
    module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  if (module == nullptr) return false;
  library->module = module;
  library->create =
      Export<framework::CreateInstanceFunction>(module, framework::kCreateInstanceExport);
  library->attach = Export<framework::AttachFunction>(module, framework::kAttachExport);
  library->connect = Export<framework::ConnectFunction>(module, framework::kConnectExport);
  return true;
}

void WindowsOxuPlatform::Unload(const LoadedLibrary& library) {
  if (library.module != nullptr) FreeLibrary(static_cast<HMODULE>(library.module));
}
