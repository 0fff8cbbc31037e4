// pixway.dll: the image decoder of the markup's images. Exports
// TCreateInstance and DLLAttach (framework/interfaces.h).
#include <windows.h>

#include "framework/pixway/image_decoder_object.h"

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL
    TCreateInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                    void** object, framework::Object* /*outer*/) {
  return pixway::CreatePixwayInstance(classId, interfaceId, object);
}

extern "C" __declspec(dllexport) int32_t FRAMEWORK_CALL DLLAttach(int32_t) { return 1; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
