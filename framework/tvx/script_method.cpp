#include "framework/tvx/script_method.h"

namespace tvx {

std::vector<ScriptMethodName> ControlMethods(ControlKind kind) {
  std::vector<ScriptMethodName> methods = {
      {ScriptMethod::kGetText, L"getText"},     {ScriptMethod::kSetText, L"setText"},
      {ScriptMethod::kIsEnabled, L"isEnabled"}, {ScriptMethod::kEnable, L"enable"},
      {ScriptMethod::kShow, L"show"},           {ScriptMethod::kFocus, L"focus"},
  };
  if (kind == ControlKind::kCheckBox || kind == ControlKind::kRadio) {
    methods.push_back({ScriptMethod::kIsChecked, L"isChecked"});
    methods.push_back({ScriptMethod::kSetChecked, L"setChecked"});
  }
  if (kind == ControlKind::kProgress) {
    methods.push_back({ScriptMethod::kGetValue, L"getValue"});
    methods.push_back({ScriptMethod::kSetValue, L"setValue"});
  }
  return methods;
}

std::vector<ScriptMethodName> WindowMethods() {
  return {
      {ScriptMethod::kShowPage, L"showPage"}, {ScriptMethod::kGetPage, L"getPage"},
      {ScriptMethod::kSetTitle, L"setTitle"}, {ScriptMethod::kSetBusy, L"setBusy"},
      {ScriptMethod::kIsBusy, L"isBusy"},     {ScriptMethod::kClose, L"close"},
      {ScriptMethod::kCancel, L"cancel"},
  };
}

}  // namespace tvx
