// The framework object that stands for the window or one of its controls in
// the window's script context. It is the outer object of a script object made
// by the script engine's library, answers the script object interface through
// it, and routes the methods scripts call back to its WindowScripting until
// the window goes away (then every call fails).
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "framework/interfaces.h"
#include "framework/tvx/script_method.h"

namespace tvx {

class WindowScripting;

class ScriptTarget final : public framework::Object {
 public:
  // Null when the script object cannot be made; else one reference for the caller.
  static ScriptTarget* Create(framework::CreateInstanceFunction factory, WindowScripting* owner,
                              int control, const std::wstring& name,
                              const std::vector<ScriptMethodName>& methods);

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  // After this, method calls fail; the script context may outlive the window.
  void Detach() { owner_ = nullptr; }

  // -1 for the window itself.
  int control() const { return control_; }

 private:
  ScriptTarget(WindowScripting* owner, int control) : owner_(owner), control_(control) {}
  ~ScriptTarget();
  bool Build(framework::CreateInstanceFunction factory, const std::wstring& name,
             const std::vector<ScriptMethodName>& methods);
  static int32_t FRAMEWORK_CALL Dispatch(framework::ScriptCall* call);

  std::atomic<int32_t> references_{1};
  framework::Object* inner_ = nullptr;
  WindowScripting* owner_;
  int control_;
};

}  // namespace tvx
