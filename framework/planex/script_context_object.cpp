#include "framework/planex/script_context_object.h"

#include <duktape.h>

#include <cstdlib>
#include <new>

#include "framework/planex/argument_list_object.h"
#include "framework/planex/global_object_table.h"
#include "framework/planex/script_job_queue.h"
#include "framework/planex/script_object.h"
#include "framework/planex/script_text.h"
#include "framework/planex/value_object.h"

namespace {

constexpr const char kContextKey[] = DUK_HIDDEN_SYMBOL("planexContext");
constexpr const char kFunctionKey[] = DUK_HIDDEN_SYMBOL("planexFunction");
constexpr const char kObjectsKey[] = DUK_HIDDEN_SYMBOL("planexObjects");
constexpr const char kScriptObjectKey[] = DUK_HIDDEN_SYMBOL("planexScriptObject");
constexpr const char kMethodKey[] = DUK_HIDDEN_SYMBOL("planexMethod");
constexpr const char kNameKey[] = DUK_HIDDEN_SYMBOL("planexName");
// Values nested deeper are given to scripts as their text only.
constexpr int kDeepestValue = 32;

// Errors outside a protected call cannot be recovered from; every entry into
// the heap goes through duk_safe_call, so this is never reached in practice.
void Fatal(void*, const char*) { std::abort(); }

std::wstring StackText(duk_context* heap, duk_idx_t index) {
  duk_size_t size = 0;
  const char* bytes = duk_safe_to_lstring(heap, index, &size);
  return script_text::FromEngine(bytes, size);
}

void PushWide(duk_context* heap, const std::wstring& text) {
  std::string bytes = script_text::ToEngine(text);
  duk_push_lstring(heap, bytes.data(), bytes.size());
}

void PushValue(duk_context* heap, framework::Value* value, int depth) {
  uint32_t count = value->GetMemberCount();
  if (count == 0 || depth >= kDeepestValue) {
    const wchar_t* text = value->GetText();
    PushWide(heap, text != nullptr ? text : L"");
    return;
  }
  duk_idx_t array = duk_push_array(heap);
  for (uint32_t i = 0; i < count; ++i) {
    framework::Value* member = value->GetMemberAt(i);
    if (member == nullptr) {
      duk_push_undefined(heap);
    } else {
      PushValue(heap, member, depth + 1);
    }
    const wchar_t* name = member != nullptr ? member->GetName() : nullptr;
    if (name != nullptr && *name != L'\0') {
      duk_dup_top(heap);
      std::string key = script_text::ToEngine(name);
      duk_put_prop_lstring(heap, array, key.data(), key.size());
    }
    duk_put_prop_index(heap, array, i);
  }
}

// A script object passed as an argument arrives as its name.
std::wstring ArgumentText(duk_context* heap, duk_idx_t index) {
  if (duk_is_object(heap, index) && duk_has_prop_string(heap, index, kNameKey)) {
    duk_get_prop_string(heap, index, kNameKey);
    std::wstring name = StackText(heap, -1);
    duk_pop(heap);
    return name;
  }
  return StackText(heap, index);
}

ScriptContextObject* ContextOf(duk_context* heap) {
  duk_push_global_stash(heap);
  duk_get_prop_string(heap, -1, kContextKey);
  void* context = duk_get_pointer(heap, -1);
  duk_pop_2(heap);
  return static_cast<ScriptContextObject*>(context);
}

}  // namespace

// What a protected run needs; filled on the C++ side before entering the heap.
struct ScriptContextObject::Run {
  std::string code;
  bool has_target = false;
  std::string target_key;
  std::vector<std::string> parameter_names;
  framework::ArgumentList* arguments = nullptr;
};

namespace {

struct InstallRequest {
  std::string key;
  ScriptObject* script;
  bool global;
};

}  // namespace

ScriptContextObject* ScriptContextObject::Create() {
  ScriptContextObject* context = new (std::nothrow) ScriptContextObject();
  if (context == nullptr) return nullptr;
  context->AddRef();
  if (!context->Open()) {
    context->Release();
    return nullptr;
  }
  ScriptJobQueue::Instance().PrepareThisThread();
  return context;
}

bool ScriptContextObject::Open() {
  heap_ = duk_create_heap(nullptr, nullptr, nullptr, nullptr, Fatal);
  if (heap_ == nullptr) return false;
  auto setUp = [](duk_context* heap, void* self) -> duk_ret_t {
    duk_push_global_stash(heap);
    duk_push_pointer(heap, self);
    duk_put_prop_string(heap, -2, kContextKey);
    // Scripts may replace the global Function; handlers are built with the original.
    duk_get_global_string(heap, "Function");
    duk_put_prop_string(heap, -2, kFunctionKey);
    duk_push_object(heap);
    duk_put_prop_string(heap, -2, kObjectsKey);
    duk_pop(heap);
    return 0;
  };
  if (duk_safe_call(heap_, setUp, this, 0, 1) != DUK_EXEC_SUCCESS) return false;
  duk_pop(heap_);
  return true;
}

ScriptContextObject::~ScriptContextObject() {
  if (heap_ != nullptr) duk_destroy_heap(heap_);
  for (const std::vector<NamedObject>* list : {&named_, &replaced_}) {
    for (const NamedObject& object : *list) {
      object.script->Release();
      object.given->Release();
    }
  }
}

int32_t ScriptContextObject::QueryInterface(const framework::Guid& interfaceId, void** object,
                                            int32_t addReference) {
  return Answer(interfaceId, framework::kScriptContextId, object, addReference);
}

int32_t ScriptContextObject::FindObject(const wchar_t* name, framework::Object** object) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (name == nullptr) return framework::kFailed;
  {
    std::lock_guard<std::mutex> lock(names_mutex_);
    for (const NamedObject& named : named_) {
      if (named.name != name) continue;
      named.given->AddRef();
      *object = named.given;
      return framework::kOk;
    }
  }
  for (const GlobalObjectTable::Entry& entry : GlobalObjectTable::Instance().From(0)) {
    if (entry.script->name() != name) continue;
    entry.given->AddRef();
    *object = entry.given;
    return framework::kOk;
  }
  return framework::kFailed;
}

bool ScriptContextObject::NameOf(framework::Object* target, std::wstring* name) {
  ScriptObject* script = ScriptObject::From(target);
  {
    std::lock_guard<std::mutex> lock(names_mutex_);
    for (const NamedObject& named : named_) {
      if (named.given == target || (script != nullptr && named.script == script)) {
        *name = named.name;
        return true;
      }
    }
  }
  for (const GlobalObjectTable::Entry& entry : GlobalObjectTable::Instance().From(0)) {
    if (entry.given == target || (script != nullptr && entry.script == script)) {
      *name = entry.script->name();
      return true;
    }
  }
  return false;
}

int32_t ScriptContextObject::RunScript(const wchar_t* script, framework::Object* target,
                                       framework::ArgumentList* arguments) {
  if (script == nullptr) return framework::kFailed;
  if (!OnHomeThread()) return Queue(script, target, arguments);
  return RunHere(script, target, arguments, nullptr);
}

int32_t ScriptContextObject::Evaluate(const wchar_t* script, framework::Object* target,
                                      framework::ArgumentList* arguments,
                                      framework::Value* result) {
  if (script == nullptr || !OnHomeThread()) return framework::kFailed;
  return RunHere(script, target, arguments, result);
}

int32_t ScriptContextObject::Queue(const wchar_t* script, framework::Object* target,
                                   framework::ArgumentList* arguments) {
  ScriptJob job;
  job.home = home_;
  job.script = script;
  // A copy, not the caller's list: the caller releases (or reuses) it at once.
  job.arguments = ArgumentListObject::CopyOf(arguments);
  if (job.arguments == nullptr) return framework::kFailed;
  if (target != nullptr) target->AddRef();
  job.target = target;
  AddRef();
  job.context = this;
  ScriptJobQueue::Instance().Push(job);
  return framework::kRunQueued;
}

const std::wstring& ScriptContextObject::CallerName() const {
  static const std::wstring kGlobalCode;
  return caller_names_.empty() ? kGlobalCode : caller_names_.back();
}

int32_t ScriptContextObject::RunHere(const wchar_t* script, framework::Object* target,
                                     framework::ArgumentList* arguments, framework::Value* result) {
  InstallNewGlobals();
  Run run;
  run.code = script_text::ToEngine(script);
  std::wstring targetName;
  if (target != nullptr) {
    if (!NameOf(target, &targetName)) return framework::kFailed;
    run.has_target = true;
    run.target_key = script_text::ToEngine(targetName);
    run.arguments = arguments;
    uint32_t count = arguments != nullptr ? arguments->GetCount() : 0;
    for (uint32_t i = 0; i < count; ++i) {
      framework::Value* value = arguments->GetAt(i);
      const wchar_t* name = value != nullptr ? value->GetName() : nullptr;
      std::wstring parameter = name != nullptr ? name : L"";
      if (!script_text::IsParameterName(parameter)) parameter = L"$argument" + std::to_wstring(i);
      run.parameter_names.push_back(script_text::ToEngine(parameter));
    }
  }
  // A dispatcher may release the last outside reference to this context;
  // the heap must outlive the run it is in.
  AddRef();
  caller_names_.push_back(targetName);
  duk_int_t outcome = duk_safe_call(heap_, RunUnsafe, &run, 0, 1);
  caller_names_.pop_back();
  std::wstring text = duk_is_undefined(heap_, -1) ? std::wstring() : StackText(heap_, -1);
  duk_pop(heap_);
  if (outcome != DUK_EXEC_SUCCESS) last_error_ = text;
  if (result != nullptr) result->SetText(text.c_str());
  Release();
  return outcome == DUK_EXEC_SUCCESS ? framework::kOk : framework::kScriptError;
}

int ScriptContextObject::RunUnsafe(duk_hthread* heap, void* data) {
  Run* run = static_cast<Run*>(data);
  if (!run->has_target) {
    duk_push_lstring(heap, run->code.data(), run->code.size());
    duk_push_string(heap, "script");
    duk_compile(heap, 0);
    duk_call(heap, 0);
    return 1;
  }
  duk_push_global_stash(heap);
  duk_idx_t stash = duk_get_top_index(heap);
  duk_get_prop_string(heap, stash, kFunctionKey);
  for (const std::string& name : run->parameter_names) {
    duk_push_lstring(heap, name.data(), name.size());
  }
  duk_push_lstring(heap, run->code.data(), run->code.size());
  duk_new(heap, static_cast<duk_idx_t>(run->parameter_names.size() + 1));
  duk_get_prop_string(heap, stash, kObjectsKey);
  duk_get_prop_lstring(heap, -1, run->target_key.data(), run->target_key.size());
  duk_remove(heap, -2);
  uint32_t count = static_cast<uint32_t>(run->parameter_names.size());
  for (uint32_t i = 0; i < count; ++i) {
    framework::Value* value = run->arguments->GetAt(i);
    if (value == nullptr) {
      duk_push_undefined(heap);
    } else {
      PushValue(heap, value, 0);
    }
  }
  duk_call_method(heap, static_cast<duk_idx_t>(count));
  return 1;
}

int32_t ScriptContextObject::AddNamedObject(const wchar_t* name, framework::Object* object) {
  if (name == nullptr || *name == L'\0' || !OnHomeThread()) return framework::kFailed;
  ScriptObject* script = ScriptObject::From(object);
  if (script == nullptr) return framework::kFailed;
  InstallNewGlobals();
  object->AddRef();
  script->AddRef();
  {
    std::lock_guard<std::mutex> lock(names_mutex_);
    for (auto named = named_.begin(); named != named_.end(); ++named) {
      if (named->name != name) continue;
      replaced_.push_back(*named);
      named_.erase(named);
      break;
    }
    named_.push_back({name, object, script});
  }
  return Install(name, script, true) ? framework::kOk : framework::kFailed;
}

void ScriptContextObject::InstallNewGlobals() {
  std::vector<GlobalObjectTable::Entry> fresh =
      GlobalObjectTable::Instance().From(globals_installed_);
  for (const GlobalObjectTable::Entry& entry : fresh)
    Install(entry.script->name(), entry.script, true);
  globals_installed_ += fresh.size();
}

bool ScriptContextObject::Install(const std::wstring& name, ScriptObject* script, bool global) {
  InstallRequest request{script_text::ToEngine(name), script, global};
  duk_int_t outcome = duk_safe_call(heap_, InstallUnsafe, &request, 0, 1);
  duk_pop(heap_);
  return outcome == DUK_EXEC_SUCCESS;
}

int ScriptContextObject::InstallUnsafe(duk_hthread* heap, void* data) {
  const InstallRequest* request = static_cast<const InstallRequest*>(data);
  duk_idx_t object = duk_push_object(heap);
  const std::vector<ScriptMethod>& methods = request->script->methods();
  for (size_t i = 0; i < methods.size(); ++i) {
    duk_push_c_function(heap, CallMethod, DUK_VARARGS);
    duk_push_pointer(heap, request->script);
    duk_put_prop_string(heap, -2, kScriptObjectKey);
    duk_push_uint(heap, static_cast<duk_uint_t>(i));
    duk_put_prop_string(heap, -2, kMethodKey);
    std::string method = script_text::ToEngine(methods[i].name);
    duk_put_prop_lstring(heap, object, method.data(), method.size());
  }
  duk_push_lstring(heap, request->key.data(), request->key.size());
  duk_put_prop_string(heap, object, kNameKey);
  duk_push_global_stash(heap);
  duk_get_prop_string(heap, -1, kObjectsKey);
  duk_dup(heap, object);
  duk_put_prop_lstring(heap, -2, request->key.data(), request->key.size());
  duk_pop_2(heap);
  if (request->global) {
    duk_dup(heap, object);
    duk_put_global_lstring(heap, request->key.data(), request->key.size());
  }
  return 0;
}

int ScriptContextObject::CallMethod(duk_hthread* heap) {
  duk_idx_t count = duk_get_top(heap);
  duk_push_current_function(heap);
  duk_get_prop_string(heap, -1, kScriptObjectKey);
  auto* script = static_cast<ScriptObject*>(duk_get_pointer(heap, -1));
  duk_get_prop_string(heap, -2, kMethodKey);
  size_t index = static_cast<size_t>(duk_get_uint(heap, -1));
  duk_pop_3(heap);
  ScriptContextObject* context = ContextOf(heap);
  if (script == nullptr || context == nullptr || index >= script->methods().size()) return 0;
  ScriptMethod method = script->methods()[index];

  ArgumentListObject* arguments = ArgumentListObject::Create();
  ValueObject* result = ValueObject::Create();
  bool ready = arguments != nullptr && result != nullptr;
  for (duk_idx_t i = 0; ready && i < count; ++i) {
    ValueObject* argument = ValueObject::Create();
    ready = argument != nullptr;
    if (!ready) break;
    argument->SetText(ArgumentText(heap, i).c_str());
    arguments->Append(argument);
    argument->Release();
  }
  std::string answer;
  bool answered = false;
  if (ready) {
    std::wstring caller = context->CallerName();
    framework::ScriptCall call = {
        method.script_object, method.context, method.id, result, arguments, context,
        caller.c_str()};
    // A failed call (kScriptCallFailed) still gives the script the result
    // text the dispatcher stored, and never throws into the script.
    method.dispatcher(&call);
    answered = result->has_text();
    if (answered) answer = script_text::ToEngine(result->GetText());
  }
  if (result != nullptr) result->Release();
  if (arguments != nullptr) arguments->Release();
  if (!answered) return 0;
  duk_push_lstring(heap, answer.data(), answer.size());
  return 1;
}
