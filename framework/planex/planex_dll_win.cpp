// planex.dll: script engine, script objects, values, argument lists and
// script contexts. Exports TCreateInstance and DLLAttach
// (framework/interfaces.h).
#include <windows.h>

#include "framework/planex/global_object_table.h"
#include "framework/planex/planex_factory.h"
#include "framework/planex/script_dispatch_window_win.h"
#include "framework/planex/script_job_queue.h"

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL
    TCreateInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                    void** object, framework::Object* outer) {
  return CreatePlanexInstance(classId, interfaceId, object, outer);
}

// Before unloading: queued runs are dropped and the globals released while
// the libraries of the objects they hold are still loaded.
extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL DLLAttach(int32_t reason) {
  if (reason == framework::kAttachUnloading) {
    ScriptJobQueue::Instance().Clear();
    GlobalObjectTable::Instance().Clear();
    script_dispatch_window::Stop();
  }
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    script_dispatch_window::Start(instance);
    ScriptJobQueue::Instance().SetHooks(&script_dispatch_window::Wake,
                                        &script_dispatch_window::PrepareThisThread);
  }
  return TRUE;
}
