#include "framework/planex/script_object.h"

#include <new>

ScriptObject* ScriptObject::Create() {
  ScriptObject* object = new (std::nothrow) ScriptObject();
  if (object != nullptr) object->AddRef();
  return object;
}

ScriptObject* ScriptObject::From(framework::Object* object) {
  if (object == nullptr) return nullptr;
  void* found = nullptr;
  if (object->QueryInterface(kScriptObjectImplementationId, &found, 0) == framework::kOk &&
      found != nullptr) {
    return static_cast<ScriptObject*>(found);
  }
  // An outer object may answer only the public interface id.
  void* asked = nullptr;
  if (object->QueryInterface(framework::kScriptObjectInterfaceId, &asked, 0) != framework::kOk ||
      asked == nullptr || asked == object) {
    return nullptr;
  }
  auto* interface = static_cast<framework::ScriptObjectInterface*>(asked);
  found = nullptr;
  if (interface->QueryInterface(kScriptObjectImplementationId, &found, 0) != framework::kOk) {
    return nullptr;
  }
  return static_cast<ScriptObject*>(found);
}

int32_t ScriptObject::QueryInterface(const framework::Guid& interfaceId, void** object,
                                     int32_t addReference) {
  if (object == nullptr) return framework::kFailed;
  if (interfaceId != framework::kScriptObjectId &&
      interfaceId != framework::kScriptObjectInterfaceId &&
      interfaceId != kScriptObjectImplementationId) {
    *object = nullptr;
    return framework::kNoInterface;
  }
  if (interfaceId == kScriptObjectImplementationId) {
    *object = this;
  } else {
    *object = static_cast<framework::ScriptObjectInterface*>(this);
  }
  if (addReference) AddRef();
  return framework::kOk;
}

int32_t ScriptObject::SetName(const wchar_t* name) {
  name_ = name != nullptr ? name : L"";
  return framework::kOk;
}

int32_t ScriptObject::SetFlags(uint32_t flags) {
  flags_ = flags;
  return framework::kOk;
}

int32_t ScriptObject::SetDescription(const wchar_t* description) {
  description_ = description != nullptr ? description : L"";
  return framework::kOk;
}

int32_t ScriptObject::AddMethod(const wchar_t* name, framework::ScriptDispatcher dispatcher,
                                framework::Object* scriptObject, framework::Object* context,
                                int32_t methodId) {
  if (name == nullptr || *name == L'\0' || dispatcher == nullptr) return framework::kFailed;
  methods_.push_back({name, dispatcher, scriptObject, context, methodId});
  return framework::kOk;
}

int32_t ScriptObject::SetFirstOption(int32_t value) {
  first_option_ = value;
  return framework::kOk;
}

int32_t ScriptObject::SetSecondOption(int32_t value) {
  second_option_ = value;
  return framework::kOk;
}
