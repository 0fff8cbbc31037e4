#include "framework/oxu/oxu_factory.h"

#include <new>

#include "framework/oxu/library_registry.h"
#include "framework/oxu/registrar_object.h"

int32_t CreateOxuInstance(LibraryRegistry& registry, const framework::Guid* classId,
                          const framework::Guid* interfaceId, void** object,
                          framework::Object* outer) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (classId == nullptr || interfaceId == nullptr) return framework::kFailed;
  if (*classId != framework::kRegistrarClassId) {
    return registry.CreateInstance(classId, interfaceId, object, outer);
  }
  RegistrarObject* registrar = new (std::nothrow) RegistrarObject(registry);
  if (registrar == nullptr) return framework::kFailed;
  registrar->AddRef();
  int32_t result = registrar->QueryInterface(*interfaceId, object, 1);
  registrar->Release();
  return result;
}
