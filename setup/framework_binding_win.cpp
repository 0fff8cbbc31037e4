#include "setup/framework_binding.h"

#include <windows.h>

#include <vector>

namespace {

constexpr char kSharedPathVariable[] = "OXU_SHARED_PATH";

HMODULE AsModule(void* module) { return static_cast<HMODULE>(module); }

// GetProcAddress gives a generic function pointer; the exports have the
// fixed signatures of framework/interfaces.h.
template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void* LoadWithFlags(const char* path, unsigned long flags) {
  return LoadLibraryExA(path, nullptr, DWORD(flags));
}

bool IsOnlyBlanks(const std::string& text) {
  return text.find_first_not_of("\t\n\r ") == std::string::npos;
}

std::string EnvironmentValue(const char* name) {
  DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return std::string();
  std::vector<char> buffer(needed);
  DWORD length = GetEnvironmentVariableA(name, buffer.data(), needed);
  if (length == 0 || length >= needed) return std::string();
  return std::string(buffer.data(), length);
}

// The string value "sharedpath" of root\subkey, or empty.
bool ReadSharedPathValue(HKEY root, const char* subkey, std::string* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD size = 0;
  std::vector<char> buffer;
  if (RegQueryValueExA(key, "sharedpath", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0 && size < (1u << 16)) {
    buffer.assign(size + 1, '\0');
    if (RegQueryValueExA(key, "sharedpath", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) == ERROR_SUCCESS) {
      *value = buffer.data();
    }
  }
  RegCloseKey(key);
  return true;
}

}  // namespace

std::string FrameworkBinding::FindSharedPath() {
  std::string path = EnvironmentValue(kSharedPathVariable);
  if (path.empty() && !ReadSharedPathValue(HKEY_CURRENT_USER, "Software\\OXU", &path)) {
    ReadSharedPathValue(HKEY_CLASSES_ROOT, "OXU", &path);
  }
  return IsOnlyBlanks(path) ? std::string() : path;
}

bool FrameworkBinding::IsFullPath(const std::string& path) {
  auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
  bool drive = path.size() >= 3 &&
               ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
               path[1] == ':' && isSeparator(path[2]);
  bool unc =
      path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]) && !isSeparator(path[2]);
  return drive || unc;
}

bool FrameworkBinding::Bind(const std::string& libraryPath) {
  Unbind();
  if (!IsFullPath(libraryPath)) return false;
  HMODULE module = AsModule(Load(libraryPath));
  if (module == nullptr) return false;
  module_ = module;
  auto attach = Export<framework::AttachFunction>(module, framework::kAttachExport);
  if (attach != nullptr) {
    if (attach(framework::kAttachLoaded) == 0) {
      Detach();
      return false;
    }
    attached_ = true;
  }
  factory_ = Export<framework::CreateInstanceFunction>(module, framework::kCreateInstanceExport);
  if (factory_ == nullptr) {
    Detach();
    return false;
  }
  SetEnvironmentVariableA(kSharedPathVariable, libraryPath.c_str());
  if (!InitializeRegistrar()) {
    factory_ = nullptr;
    Detach();
    return false;
  }
  return true;
}

// The library's own imports (the other framework libraries) come from its
// folder or the system folder, never from the current or download folder.
// Systems without SetDefaultDllDirectories refuse the search flags as an
// invalid parameter; there the full path with the altered search order looks
// in the library's folder first (the entry point has already dropped the
// current folder from the search).
void* FrameworkBinding::Load(const std::string& libraryPath) const {
  LibraryLoader load = loader_ != nullptr ? loader_ : LoadWithFlags;
  void* module =
      load(libraryPath.c_str(), LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    module = load(libraryPath.c_str(), LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return module;
}

bool FrameworkBinding::InitializeRegistrar() {
  framework::Registrar* registrar = nullptr;
  if (framework::Failed(CreateInstance(framework::kRegistrarClassId, framework::kRegistrarId,
                                       reinterpret_cast<void**>(&registrar))) ||
      registrar == nullptr) {
    return false;
  }
  initialized_registrar_ = registrar->Initialize() == 1;
  registrar->Release();
  return true;
}

void FrameworkBinding::Unbind() {
  if (module_ == nullptr) return;
  if (factory_ != nullptr && initialized_registrar_) {
    framework::Registrar* registrar = nullptr;
    if (!framework::Failed(CreateInstance(framework::kRegistrarClassId, framework::kRegistrarId,
                                          reinterpret_cast<void**>(&registrar))) &&
        registrar != nullptr) {
      registrar->Shutdown();
      registrar->Release();
    }
  }
  initialized_registrar_ = false;
  factory_ = nullptr;
  Detach();
}

void FrameworkBinding::Detach() {
  if (attached_) {
    auto attach = Export<framework::AttachFunction>(AsModule(module_), framework::kAttachExport);
    if (attach != nullptr) attach(framework::kAttachUnloading);
    attached_ = false;
  }
  FreeLibrary(AsModule(module_));
  module_ = nullptr;
}

int32_t FrameworkBinding::CreateInstance(const framework::Guid& classId,
                                         const framework::Guid& interfaceId, void** object,
                                         framework::Object* outer) const {
  if (object != nullptr) *object = nullptr;
  if (factory_ == nullptr || object == nullptr) return framework::kFailed;
  return factory_(&classId, &interfaceId, object, outer);
}
