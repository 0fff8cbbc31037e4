// planex's ScriptContext over one Duktape heap: the library's global
// objects and the objects added by name are script globals whose functions
// call the objects' dispatchers. It belongs to the thread that created it;
// runs asked for from other threads go through the ScriptJobQueue.
#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/planex/counted_object.h"

struct duk_hthread;
class ScriptObject;

class ScriptContextObject final : public CountedObject<framework::ScriptContext> {
 public:
  // A new context on the calling thread holding one reference, or null.
  static ScriptContextObject* Create();

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL FindObject(const wchar_t* name, framework::Object** object) override;
  int32_t FRAMEWORK_CALL RunScript(const wchar_t* script, framework::Object* target,
                                   framework::ArgumentList* arguments) override;
  int32_t FRAMEWORK_CALL AddNamedObject(const wchar_t* name, framework::Object* object) override;
  int32_t FRAMEWORK_CALL Evaluate(const wchar_t* script, framework::Object* target,
                                  framework::ArgumentList* arguments,
                                  framework::Value* result) override;

  // The message of the last script that failed, for the caller's diagnostics.
  const std::wstring& last_error() const { return last_error_; }

 private:
  struct NamedObject {
    std::wstring name;
    framework::Object* given;
    ScriptObject* script;
  };
  struct Run;

  ScriptContextObject() = default;
  ~ScriptContextObject() override;

  bool Open();
  bool OnHomeThread() const { return std::this_thread::get_id() == home_; }
  int32_t Queue(const wchar_t* script, framework::Object* target,
                framework::ArgumentList* arguments);
  int32_t RunHere(const wchar_t* script, framework::Object* target,
                  framework::ArgumentList* arguments, framework::Value* result);
  // The script name of a target: an object added by name or a global.
  bool NameOf(framework::Object* target, std::wstring* name);
  void InstallNewGlobals();
  bool Install(const std::wstring& name, ScriptObject* script, bool global);
  const std::wstring& CallerName() const;

  static int CallMethod(duk_hthread* heap);
  static int InstallUnsafe(duk_hthread* heap, void* data);
  static int RunUnsafe(duk_hthread* heap, void* data);

  duk_hthread* heap_ = nullptr;
  std::thread::id home_ = std::this_thread::get_id();
  std::mutex names_mutex_;
  std::vector<NamedObject> named_;
  // Replaced objects stay referenced: script functions may still point at them.
  std::vector<NamedObject> replaced_;
  size_t globals_installed_ = 0;
  std::vector<std::wstring> caller_names_;
  std::wstring last_error_;
};
