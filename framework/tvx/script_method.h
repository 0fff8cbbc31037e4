// The methods scripts call on the window's objects: the window (by its name)
// and every control with an id. Which methods an object has depends on what
// it is; the ids are what the script engine hands back to the dispatcher.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/tvx/markup_window.h"

namespace tvx {

enum class ScriptMethod : int32_t {
  // Every control.
  kGetText = 1,
  kSetText,
  kIsEnabled,
  kEnable,
  kShow,
  kFocus,
  // Check boxes and radio buttons.
  kIsChecked,
  kSetChecked,
  // Progress bars.
  kGetValue,
  kSetValue,
  // The window.
  kShowPage,
  kGetPage,
  kSetTitle,
  kSetBusy,
  kIsBusy,
  kClose,
  kCancel,
};

struct ScriptMethodName {
  ScriptMethod method;
  const wchar_t* name;
};

// The methods of a control of that kind.
std::vector<ScriptMethodName> ControlMethods(ControlKind kind);
// The methods of the window object.
std::vector<ScriptMethodName> WindowMethods();

}  // namespace tvx
