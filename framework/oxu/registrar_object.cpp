#include "framework/oxu/registrar_object.h"

#include "framework/oxu/library_registry.h"

int32_t RegistrarObject::QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) {
  if (object == nullptr) return framework::kFailed;
  if (interfaceId != framework::kRegistrarId) {
    *object = nullptr;
    return framework::kNoInterface;
  }
  *object = static_cast<framework::Registrar*>(this);
  if (addReference) AddRef();
  return framework::kOk;
}

int32_t RegistrarObject::AddRef() { return ++references_; }

int32_t RegistrarObject::Release() {
  int32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

int32_t RegistrarObject::Register(int32_t mode, const wchar_t* libraryPath, int32_t kind,
                                  const wchar_t* modelDirectory) {
  return registry_.Register(mode, libraryPath, kind, modelDirectory);
}

int32_t RegistrarObject::Initialize() { return registry_.Initialize(); }

int32_t RegistrarObject::Shutdown() { return registry_.Shutdown(); }
