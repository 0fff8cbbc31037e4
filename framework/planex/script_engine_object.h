// planex's ScriptEngine: a view of the library's GlobalObjectTable.
#pragma once

#include "framework/planex/counted_object.h"

class ScriptEngineObject final : public CountedObject<framework::ScriptEngine> {
 public:
  static ScriptEngineObject* Create();

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddGlobalObject(framework::Object* object) override;

 private:
  ScriptEngineObject() = default;
  ~ScriptEngineObject() override = default;
};
