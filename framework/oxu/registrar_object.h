// The registrar object oxu's factory hands out: a counted view of the one
// LibraryRegistry of the process.
#pragma once

#include <atomic>

#include "framework/interfaces.h"

class LibraryRegistry;

class RegistrarObject final : public framework::Registrar {
 public:
  explicit RegistrarObject(LibraryRegistry& registry) : registry_(registry) {}
  RegistrarObject(const RegistrarObject&) = delete;
  RegistrarObject& operator=(const RegistrarObject&) = delete;

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  int32_t FRAMEWORK_CALL Register(int32_t mode, const wchar_t* libraryPath, int32_t kind,
                                  const wchar_t* modelDirectory) override;
  int32_t FRAMEWORK_CALL Initialize() override;
  int32_t FRAMEWORK_CALL Shutdown() override;

 private:
  ~RegistrarObject() = default;

  LibraryRegistry& registry_;
  std::atomic<int32_t> references_{0};
};
