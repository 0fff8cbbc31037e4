// oxu.dll: the framework's component library. Exports TCreateInstance and
// DLLAttach (framework/interfaces.h).
#include <windows.h>

#include <new>

#include "framework/oxu/library_registry.h"
#include "framework/oxu/oxu_factory.h"
#include "framework/oxu/windows_oxu_platform_win.h"

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL
    TCreateInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                    void** object, framework::Object* outer);

namespace {

// Made on first use and never destroyed: libraries are unloaded only by the
// registrar's shut-down, never during the process's detach.
LibraryRegistry& Registry() {
  static LibraryRegistry* registry = [] {
    static WindowsOxuPlatform platform;
    auto* made = new LibraryRegistry(platform);
    made->SetConnectFactory(&TCreateInstance);
    return made;
  }();
  return *registry;
}

}  // namespace

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL
    TCreateInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                    void** object, framework::Object* outer) {
  return CreateOxuInstance(Registry(), classId, interfaceId, object, outer);
}

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL DLLAttach(int32_t reason) {
  if (reason == framework::kAttachUnloading) Registry().Shutdown();
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
