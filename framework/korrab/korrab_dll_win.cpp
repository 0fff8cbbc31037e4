// korrab.dll: the application object TKorrabApp. Exports TCreateInstance
// and DLLAttach (framework/interfaces.h).
#include <windows.h>

#include "framework/interfaces.h"
#include "framework/korrab/korrab_app_win.h"

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL
    TCreateInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                    void** object, framework::Object* /*outer*/) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (classId == nullptr || interfaceId == nullptr || *classId != framework::kApplicationClassId ||
      *interfaceId != framework::kApplicationId) {
    return framework::kNoClass;
  }
  korrab::KorrabApp* app = korrab::KorrabApp::Create();
  if (app == nullptr) return framework::kFailed;
  const int32_t result = app->QueryInterface(*interfaceId, object, 1);
  app->Release();
  return result;
}

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL DLLAttach(int32_t) { return 1; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
