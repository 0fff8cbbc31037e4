#include "setup/listener_registry.h"

#include "setup/framework_factory.h"
#include "setup/framework_ref.h"

namespace {

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; }

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

ListenerRegistry::~ListenerRegistry() {
  std::lock_guard<std::recursive_mutex> lock(lock_);
  for (const Listener& listener : listeners_) listener.context->Release();
  listeners_.clear();
}

void ListenerRegistry::Register(const std::wstring& target, const std::wstring& event,
                                const std::wstring& handler, framework::ScriptContext* context) {
  if (context == nullptr) return;
  std::lock_guard<std::recursive_mutex> lock(lock_);
  context->AddRef();
  listeners_.push_back({target, event, handler, context});
}

void ListenerRegistry::UnRegister(const std::wstring& target, const std::wstring& event) {
  std::lock_guard<std::recursive_mutex> lock(lock_);
  for (size_t i = listeners_.size(); i-- > 0;) {
    if (i >= listeners_.size()) continue;  // a release may have run a script that unregistered
    if (!EqualIgnoringCase(listeners_[i].target, target) ||
        !EqualIgnoringCase(listeners_[i].event, event)) {
      continue;
    }
    framework::ScriptContext* context = listeners_[i].context;
    listeners_.erase(listeners_.begin() + static_cast<std::ptrdiff_t>(i));
    context->Release();
  }
}

size_t ListenerRegistry::size() const {
  std::lock_guard<std::recursive_mutex> lock(lock_);
  return listeners_.size();
}

void ListenerRegistry::FireEvent(const wchar_t* event, framework::Value* parameter) {
  if (event == nullptr) return;
  std::lock_guard<std::recursive_mutex> lock(lock_);
  // By index with a copy of each entry: a handler run at once may change
  // the list.
  for (size_t i = 0; i < listeners_.size();) {
    const Listener listener = listeners_[i];
    if (!listener.event.empty() && listener.event != event) {
      ++i;
      continue;
    }
    FrameworkRef<framework::Object> target;
    if (framework::Failed(listener.context->FindObject(listener.target.c_str(), target.Out())) ||
        !target) {
      listeners_.erase(listeners_.begin() + static_cast<std::ptrdiff_t>(i));
      listener.context->Release();
      continue;
    }
    listener.context->AddRef();  // the entry may go while its handler runs
    RunHandler(listener, target.get(), event, parameter);
    listener.context->Release();
    ++i;
  }
}

void ListenerRegistry::RunHandler(const Listener& listener, framework::Object* target,
                                  const wchar_t* event, framework::Value* parameter) {
  FrameworkRef<framework::Value> params;
  FrameworkRef<framework::ArgumentList> arguments;
  if (framework::Failed(factory_.CreateInstance(framework::kScriptClassId, framework::kValueId,
                                                params.OutVoid(), nullptr)) ||
      !params ||
      framework::Failed(factory_.CreateInstance(
          framework::kScriptClassId, framework::kArgumentListId, arguments.OutVoid(), nullptr)) ||
      !arguments) {
    return;
  }
  params->AddTextMember(nullptr, event);
  if (parameter != nullptr) params->AddMember(nullptr, parameter);
  params->SetName(L"params");
  arguments->Append(params.get());
  listener.context->RunScript(listener.handler.c_str(), target, arguments.get());
}
