#include "framework/tvx/script_target.h"

#include <new>

#include "framework/tvx/window_scripting.h"

namespace tvx {

ScriptTarget* ScriptTarget::Create(framework::CreateInstanceFunction factory,
                                   WindowScripting* owner, int control, const std::wstring& name,
                                   const std::vector<ScriptMethodName>& methods) {
  auto* target = new (std::nothrow) ScriptTarget(owner, control);
  if (target == nullptr) return nullptr;
  if (!target->Build(factory, name, methods)) {
    target->Release();
    return nullptr;
  }
  return target;
}

ScriptTarget::~ScriptTarget() {
  if (inner_ != nullptr) inner_->Release();
}

bool ScriptTarget::Build(framework::CreateInstanceFunction factory, const std::wstring& name,
                         const std::vector<ScriptMethodName>& methods) {
  if (factory == nullptr) return false;
  void* inner = nullptr;
  if (framework::Failed(
          factory(&framework::kScriptClassId, &framework::kScriptObjectId, &inner, this)) ||
      inner == nullptr) {
    return false;
  }
  inner_ = static_cast<framework::Object*>(inner);
  framework::ScriptObjectInterface* script = nullptr;
  if (framework::Failed(inner_->QueryInterface(framework::kScriptObjectInterfaceId,
                                               reinterpret_cast<void**>(&script), 1)) ||
      script == nullptr) {
    return false;
  }
  bool built = !framework::Failed(script->SetName(name.c_str()));
  for (const ScriptMethodName& method : methods) {
    if (!built) break;
    built = !framework::Failed(script->AddMethod(method.name, &ScriptTarget::Dispatch, this, this,
                                                 static_cast<int32_t>(method.method)));
  }
  script->Release();
  return built;
}

int32_t ScriptTarget::QueryInterface(const framework::Guid& interfaceId, void** object,
                                     int32_t addReference) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (interfaceId == framework::kScriptObjectInterfaceId && inner_ != nullptr) {
    return inner_->QueryInterface(interfaceId, object, addReference);
  }
  return framework::kNoInterface;
}

int32_t ScriptTarget::AddRef() { return ++references_; }

int32_t ScriptTarget::Release() {
  const int32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

int32_t ScriptTarget::Dispatch(framework::ScriptCall* call) {
  if (call == nullptr || call->method_context == nullptr) return framework::kScriptCallFailed;
  auto* target = static_cast<ScriptTarget*>(call->method_context);
  if (target->owner_ == nullptr) return framework::kScriptCallFailed;
  return target->owner_->Invoke(target->control_, static_cast<ScriptMethod>(call->method_id),
                                call->arguments, call->result);
}

}  // namespace tvx
