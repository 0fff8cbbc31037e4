// tvx.dll: the interface definition set (class kScriptClassId, interface
// kInterfaceDefinitionSetId) and the windows it builds. Exports
// TCreateInstance, TConnectFactory and DLLAttach (framework/interfaces.h).
#include <windows.h>

#include "framework/interfaces.h"
#include "framework/tvx/definition_set_win.h"
#include "framework/tvx/tvx_module_win.h"

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL
    TCreateInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                    void** object, framework::Object* /*outer*/) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (classId == nullptr || interfaceId == nullptr || *classId != framework::kScriptClassId ||
      *interfaceId != framework::kInterfaceDefinitionSetId) {
    return framework::kNoClass;
  }
  tvx::DefinitionSet* set = tvx::DefinitionSet::Create();
  if (set == nullptr) return framework::kFailed;
  const int32_t result = set->QueryInterface(*interfaceId, object, 1);
  set->Release();
  return result;
}

extern "C" __declspec(dllexport) void FRAMEWORK_CALL
    TConnectFactory(framework::CreateInstanceFunction factory) {
  tvx::TvxModule::SetFactory(factory);
}

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL DLLAttach(int32_t reason) {
  if (reason == framework::kAttachUnloading) {
    // Classes of a library stay registered after it unloads; their window
    // procedure would then point nowhere.
    tvx::TvxModule::UnregisterClasses();
    tvx::TvxModule::SetFactory(nullptr);
  }
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
