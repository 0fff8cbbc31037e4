// ioweave.dll: the framework's XML document. Exports TCreateInstance and
// DLLAttach (framework/interfaces.h).
#include <windows.h>

#include "framework/ioweave/ioweave_factory.h"

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL
    TCreateInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                    void** object, framework::Object* outer) {
  return CreateIoweaveInstance(classId, interfaceId, object, outer);
}

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL DLLAttach(int32_t) { return 1; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
