#include "framework/planex/script_engine_object.h"

#include <new>

#include "framework/planex/global_object_table.h"
#include "framework/planex/script_object.h"

ScriptEngineObject* ScriptEngineObject::Create() {
  ScriptEngineObject* engine = new (std::nothrow) ScriptEngineObject();
  if (engine != nullptr) engine->AddRef();
  return engine;
}

int32_t ScriptEngineObject::QueryInterface(const framework::Guid& interfaceId, void** object,
                                           int32_t addReference) {
  return Answer(interfaceId, framework::kScriptEngineId, object, addReference);
}

int32_t ScriptEngineObject::AddGlobalObject(framework::Object* object) {
  ScriptObject* script = ScriptObject::From(object);
  if (script == nullptr || script->name().empty()) return framework::kFailed;
  GlobalObjectTable::Instance().Add(object, script);
  return framework::kOk;
}
