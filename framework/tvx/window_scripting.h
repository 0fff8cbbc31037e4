// The scripting of one window: its own script context from the script
// engine's library, with the window (under its name) and every control with
// an id (under that id) as named objects, the window's <script> blocks run
// as global code, and the event attributes run with `this` bound to their
// control. The methods scripts call end up in Invoke, which works on the
// window through its ControlSurface.
#pragma once

#include <string>
#include <vector>

#include "framework/interfaces.h"
#include "framework/tvx/control_surface.h"
#include "framework/tvx/markup_window.h"
#include "framework/tvx/script_method.h"

namespace tvx {

class ScriptTarget;

class WindowScripting {
 public:
  WindowScripting(const MarkupWindow& window, ControlSurface& surface,
                  framework::CreateInstanceFunction factory)
      : window_(window), surface_(surface), factory_(factory) {}
  ~WindowScripting() { Stop(); }
  WindowScripting(const WindowScripting&) = delete;
  WindowScripting& operator=(const WindowScripting&) = delete;

  // Makes the context and the objects and runs the <script> blocks. False
  // when the engine is missing or refuses; a script block that fails to run
  // does not stop the window (its error is in last_error()).
  bool Start();

  // Runs an event attribute's script on its control (-1: the window); a
  // control without an id runs it on the window. False when it failed.
  bool RunEvent(int control, const std::wstring& script);
  // As RunEvent, giving the script's value as text in *value.
  bool EvaluateEvent(int control, const std::wstring& script, std::wstring* value);

  // Releases the context and cuts the objects loose from the window.
  void Stop();

  // One method call from a script: kOk or kScriptCallFailed.
  int32_t Invoke(int control, ScriptMethod method, framework::ArgumentList* arguments,
                 framework::Value* result);

  framework::ScriptContext* context() { return context_; }
  const std::wstring& last_error() const { return last_error_; }

 private:
  framework::Object* TargetOf(int control);
  int32_t InvokeOnWindow(ScriptMethod method, framework::ArgumentList* arguments,
                         framework::Value* result);
  int32_t InvokeOnControl(int control, ScriptMethod method, framework::ArgumentList* arguments,
                          framework::Value* result);

  const MarkupWindow& window_;
  ControlSurface& surface_;
  framework::CreateInstanceFunction factory_;
  framework::ScriptContext* context_ = nullptr;
  ScriptTarget* window_target_ = nullptr;
  // One per control, null for controls without an id.
  std::vector<ScriptTarget*> control_targets_;
  std::wstring last_error_;
};

}  // namespace tvx
