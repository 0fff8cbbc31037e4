#include "framework/planex/planex_factory.h"

#include "framework/planex/argument_list_object.h"
#include "framework/planex/script_context_object.h"
#include "framework/planex/script_engine_object.h"
#include "framework/planex/script_object.h"
#include "framework/planex/value_object.h"

namespace {

framework::Object* Make(const framework::Guid& interfaceId) {
  if (interfaceId == framework::kScriptEngineId) return ScriptEngineObject::Create();
  if (interfaceId == framework::kScriptObjectId ||
      interfaceId == framework::kScriptObjectInterfaceId) {
    return ScriptObject::Create();
  }
  if (interfaceId == framework::kValueId) return ValueObject::Create();
  if (interfaceId == framework::kArgumentListId) return ArgumentListObject::Create();
  if (interfaceId == framework::kScriptContextId) return ScriptContextObject::Create();
  return nullptr;
}

bool IsOurs(const framework::Guid& interfaceId) {
  return interfaceId == framework::kScriptEngineId || interfaceId == framework::kScriptObjectId ||
         interfaceId == framework::kScriptObjectInterfaceId || interfaceId == framework::kValueId ||
         interfaceId == framework::kArgumentListId || interfaceId == framework::kScriptContextId;
}

}  // namespace

// The outer object is not used: objects of this library never delegate to it.
int32_t CreatePlanexInstance(const framework::Guid* classId, const framework::Guid* interfaceId,
                             void** object, framework::Object* /*outer*/) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (classId == nullptr || interfaceId == nullptr) return framework::kFailed;
  if (*classId != framework::kScriptClassId || !IsOurs(*interfaceId)) return framework::kNoClass;
  framework::Object* made = Make(*interfaceId);
  if (made == nullptr) return framework::kFailed;
  int32_t result = made->QueryInterface(*interfaceId, object, 1);
  made->Release();
  return result;
}
