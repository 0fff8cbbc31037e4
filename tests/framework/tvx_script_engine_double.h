// A small stand-in for the script engine's library, enough to drive a tvx
// window's scripting: script contexts that record what is added and run, and
// script objects that keep their methods so a test can call them the way a
// script would. Objects count references and delete themselves.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/interfaces.h"

namespace tvx_double {

template <typename Interface>
class Counted : public Interface {
 public:
  int32_t FRAMEWORK_CALL AddRef() override { return ++references_; }
  int32_t FRAMEWORK_CALL Release() override {
    const int32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }
  static int live;

 protected:
  Counted() { ++live; }
  virtual ~Counted() { --live; }

 private:
  std::atomic<int32_t> references_{1};
};
template <typename Interface>
int Counted<Interface>::live = 0;

class Value final : public Counted<framework::Value> {
 public:
  explicit Value(const std::wstring& text = L"") : text_(text) {}
  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t add) override {
    *object = nullptr;
    if (id != framework::kValueId) return framework::kNoInterface;
    *object = static_cast<framework::Value*>(this);
    if (add) AddRef();
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL SetText(const wchar_t* text) override {
    text_ = text;
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL SetFromObject(framework::Value* source) override {
    text_ = source->GetText();
    return framework::kOk;
  }
  const wchar_t* FRAMEWORK_CALL GetText() override { return text_.c_str(); }
  int32_t FRAMEWORK_CALL SetName(const wchar_t* name) override {
    name_ = name;
    return framework::kOk;
  }
  const wchar_t* FRAMEWORK_CALL GetName() override { return name_.c_str(); }
  int32_t FRAMEWORK_CALL AddTextMember(const wchar_t*, const wchar_t*) override {
    return framework::kFailed;
  }
  int32_t FRAMEWORK_CALL AddMember(const wchar_t*, framework::Value*) override {
    return framework::kFailed;
  }
  uint32_t FRAMEWORK_CALL GetMemberCount() override { return 0; }
  framework::Value* FRAMEWORK_CALL GetMemberAt(uint32_t) override { return nullptr; }

 private:
  std::wstring text_;
  std::wstring name_;
};

class ArgumentList final : public Counted<framework::ArgumentList> {
 public:
  explicit ArgumentList(const std::vector<std::wstring>& texts) {
    for (const std::wstring& text : texts) values_.push_back(new Value(text));
  }
  ~ArgumentList() override {
    for (Value* value : values_) value->Release();
  }
  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid&, void** object, int32_t) override {
    *object = nullptr;
    return framework::kNoInterface;
  }
  int32_t FRAMEWORK_CALL Append(framework::Value*) override { return framework::kFailed; }
  uint32_t FRAMEWORK_CALL GetCount() override { return static_cast<uint32_t>(values_.size()); }
  framework::Value* FRAMEWORK_CALL GetAt(uint32_t index) override {
    return index < values_.size() ? values_[index] : nullptr;
  }

 private:
  std::vector<Value*> values_;
};

struct Method {
  framework::ScriptDispatcher dispatcher;
  framework::Object* script_object;
  framework::Object* context;
  int32_t id;
};

// The inner script object; does not hold its outer.
class ScriptObject final : public Counted<framework::ScriptObjectInterface> {
 public:
  explicit ScriptObject(framework::Object* outer) : outer_(outer) {}
  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t add) override {
    *object = nullptr;
    if (id != framework::kScriptObjectInterfaceId && id != framework::kScriptObjectId) {
      return framework::kNoInterface;
    }
    *object = static_cast<framework::ScriptObjectInterface*>(this);
    if (add) AddRef();
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL SetName(const wchar_t* name) override {
    name_ = name;
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL SetFlags(uint32_t) override { return framework::kOk; }
  int32_t FRAMEWORK_CALL SetDescription(const wchar_t*) override { return framework::kOk; }
  int32_t FRAMEWORK_CALL AddMethod(const wchar_t* name, framework::ScriptDispatcher dispatcher,
                                   framework::Object* scriptObject, framework::Object* context,
                                   int32_t id) override {
    methods_[name] = {dispatcher, scriptObject, context, id};
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL SetFirstOption(int32_t) override { return framework::kOk; }
  int32_t FRAMEWORK_CALL SetSecondOption(int32_t) override { return framework::kOk; }

  const std::wstring& name() const { return name_; }
  const std::map<std::wstring, Method>& methods() const { return methods_; }
  framework::Object* outer() const { return outer_; }

 private:
  framework::Object* outer_;
  std::wstring name_;
  std::map<std::wstring, Method> methods_;
};

struct Run {
  std::wstring script;
  framework::Object* target;
  bool evaluate;
};

class Context final : public Counted<framework::ScriptContext> {
 public:
  ~Context() override {
    for (auto& named : named_) named.second->Release();
  }
  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& id, void** object,
                                        int32_t add) override {
    *object = nullptr;
    if (id != framework::kScriptContextId) return framework::kNoInterface;
    *object = static_cast<framework::ScriptContext*>(this);
    if (add) AddRef();
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL FindObject(const wchar_t* name, framework::Object** object) override {
    *object = nullptr;
    auto found = named_.find(name);
    if (found == named_.end()) return framework::kFailed;
    found->second->AddRef();
    *object = found->second;
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL RunScript(const wchar_t* script, framework::Object* target,
                                   framework::ArgumentList*) override {
    runs.push_back({script, target, false});
    return fail_scripts ? framework::kScriptError : framework::kOk;
  }
  int32_t FRAMEWORK_CALL AddNamedObject(const wchar_t* name, framework::Object* object) override {
    object->AddRef();
    auto found = named_.find(name);
    if (found != named_.end()) found->second->Release();
    named_[name] = object;
    return framework::kOk;
  }
  int32_t FRAMEWORK_CALL Evaluate(const wchar_t* script, framework::Object* target,
                                  framework::ArgumentList*, framework::Value* result) override {
    runs.push_back({script, target, true});
    if (result != nullptr) result->SetText(evaluate_result.c_str());
    return fail_scripts ? framework::kScriptError : framework::kOk;
  }

  // Calls object.method(arguments...) as a script would; the result text
  // goes to *result. Returns the dispatcher's answer, or kFailed when the
  // object or method does not exist.
  int32_t Call(const std::wstring& object, const std::wstring& method,
               const std::vector<std::wstring>& arguments, std::wstring* result = nullptr) {
    auto found = named_.find(object);
    if (found == named_.end()) return framework::kFailed;
    ScriptObject* script = nullptr;
    if (framework::Failed(found->second->QueryInterface(framework::kScriptObjectInterfaceId,
                                                        reinterpret_cast<void**>(&script), 1))) {
      return framework::kFailed;
    }
    auto entry = script->methods().find(method);
    const bool known = entry != script->methods().end();
    Method called = known ? entry->second : Method{};
    script->Release();
    if (!known) return framework::kFailed;
    auto* list = new ArgumentList(arguments);
    auto* value = new Value();
    framework::ScriptCall call = {
        called.script_object, called.context, called.id, value, list, this, object.c_str()};
    const int32_t answer = called.dispatcher(&call);
    if (result != nullptr) *result = value->GetText();
    value->Release();
    list->Release();
    return answer;
  }

  bool Has(const std::wstring& name) const { return named_.count(name) != 0; }
  framework::Object* Named(const std::wstring& name) const {
    auto found = named_.find(name);
    return found != named_.end() ? found->second : nullptr;
  }
  std::vector<std::wstring> Methods(const std::wstring& name) const {
    std::vector<std::wstring> out;
    framework::Object* object = Named(name);
    if (object == nullptr) return out;
    ScriptObject* script = nullptr;
    object->QueryInterface(framework::kScriptObjectInterfaceId, reinterpret_cast<void**>(&script),
                           1);
    if (script == nullptr) return out;
    for (const auto& method : script->methods()) out.push_back(method.first);
    script->Release();
    return out;
  }

  std::vector<Run> runs;
  bool fail_scripts = false;
  std::wstring evaluate_result;

 private:
  std::map<std::wstring, framework::Object*> named_;
};

// The factory a library would get from oxu. The last context made stays
// reachable through Factory::last_context (with its own reference).
struct Factory {
  static Context* last_context;
  static bool refuse_contexts;
  static bool scripts_fail;  // for the contexts made from now on

  static int32_t FRAMEWORK_CALL Create(const framework::Guid* classId,
                                       const framework::Guid* interfaceId, void** object,
                                       framework::Object* outer) {
    *object = nullptr;
    if (*classId != framework::kScriptClassId) return framework::kNoClass;
    if (*interfaceId == framework::kScriptContextId) {
      if (refuse_contexts) return framework::kNoClass;
      auto* context = new Context();
      context->fail_scripts = scripts_fail;
      if (last_context != nullptr) last_context->Release();
      context->AddRef();
      last_context = context;
      *object = static_cast<framework::ScriptContext*>(context);
      return framework::kOk;
    }
    if (*interfaceId == framework::kScriptObjectId && outer != nullptr) {
      *object = static_cast<framework::ScriptObjectInterface*>(new ScriptObject(outer));
      return framework::kOk;
    }
    if (*interfaceId == framework::kValueId) {
      *object = static_cast<framework::Value*>(new Value());
      return framework::kOk;
    }
    return framework::kNoClass;
  }

  static void Reset() {
    if (last_context != nullptr) last_context->Release();
    last_context = nullptr;
    refuse_contexts = false;
    scripts_fail = false;
  }
};
inline Context* Factory::last_context = nullptr;
inline bool Factory::refuse_contexts = false;
inline bool Factory::scripts_fail = false;

}  // namespace tvx_double
