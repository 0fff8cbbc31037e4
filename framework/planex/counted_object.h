// Reference counting shared by planex's objects: an atomic count starting
// at 0 and deletion through the virtual destructor when it reaches 0.
#pragma once

#include <atomic>
#include <cstdint>

#include "framework/interfaces.h"

template <typename Interface>
class CountedObject : public Interface {
 public:
  int32_t FRAMEWORK_CALL AddRef() override { return ++references_; }
  int32_t FRAMEWORK_CALL Release() override {
    int32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  CountedObject() = default;
  virtual ~CountedObject() = default;

  // QueryInterface for objects that answer one interface id.
  int32_t Answer(const framework::Guid& asked, const framework::Guid& own, void** object,
                 int32_t addReference) {
    if (object == nullptr) return framework::kFailed;
    if (asked != own) {
      *object = nullptr;
      return framework::kNoInterface;
    }
    *object = static_cast<Interface*>(this);
    if (addReference) AddRef();
    return framework::kOk;
  }

 private:
  std::atomic<int32_t> references_{0};
};
