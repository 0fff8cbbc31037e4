// Where installer code that needs a framework object gets it from: the bound
// framework's factory in the program, doubles in tests.
#pragma once

#include <cstdint>

#include "framework/interfaces.h"

class FrameworkFactory {
 public:
  // The factory's answer (kOk with *object referenced); kFailed when no
  // framework is bound.
  virtual int32_t CreateInstance(const framework::Guid& classId, const framework::Guid& interfaceId,
                                 void** object, framework::Object* outer) = 0;

 protected:
  ~FrameworkFactory() = default;
};
