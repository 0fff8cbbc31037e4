#include "framework/tvx/window_scripting.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

#include "framework/tvx/script_target.h"

namespace tvx {

namespace {

constexpr int32_t kOk = framework::kOk;
constexpr int32_t kBadCall = framework::kScriptCallFailed;

// The text of argument `index`, or null when there is no such argument.
const wchar_t* Argument(framework::ArgumentList* arguments, uint32_t index) {
  if (arguments == nullptr || index >= arguments->GetCount()) return nullptr;
  framework::Value* value = arguments->GetAt(index);
  if (value == nullptr) return nullptr;
  const wchar_t* text = value->GetText();
  return text != nullptr ? text : L"";
}

bool EqualsIgnoringCase(const wchar_t* a, const wchar_t* b) {
  for (; *a != L'\0' && *b != L'\0'; ++a, ++b) {
    if (std::towlower(*a) != std::towlower(*b)) return false;
  }
  return *a == *b;
}

// Script booleans arrive as their text.
bool ReadBool(const wchar_t* text, bool* value) {
  if (text == nullptr) return false;
  for (const wchar_t* yes : {L"true", L"1", L"yes"}) {
    if (EqualsIgnoringCase(text, yes)) return *value = true, true;
  }
  for (const wchar_t* no : {L"false", L"0", L"no"}) {
    if (EqualsIgnoringCase(text, no)) return *value = false, true;
  }
  return false;
}

// Numbers may arrive with a fraction (a progress of 37.5 %); rounded.
bool ReadNumber(const wchar_t* text, int* value) {
  if (text == nullptr || *text == L'\0') return false;
  wchar_t* end = nullptr;
  const double number = std::wcstod(text, &end);
  while (end != nullptr && std::iswspace(*end)) ++end;
  if (end == text || end == nullptr || *end != L'\0' || !std::isfinite(number) ||
      std::fabs(number) > 2147483647.0) {
    return false;
  }
  *value = static_cast<int>(std::lround(number));
  return true;
}

void SetResult(framework::Value* result, const std::wstring& text) {
  if (result != nullptr) result->SetText(text.c_str());
}

void SetResult(framework::Value* result, bool value) {
  SetResult(result, std::wstring(value ? L"true" : L"false"));
}

}  // namespace

bool WindowScripting::Start() {
  Stop();
  last_error_.clear();
  if (factory_ == nullptr) {
    last_error_ = L"no script engine";
    return false;
  }
  void* context = nullptr;
  if (framework::Failed(
          factory_(&framework::kScriptClassId, &framework::kScriptContextId, &context, nullptr)) ||
      context == nullptr) {
    last_error_ = L"the script engine gives no script context";
    return false;
  }
  context_ = static_cast<framework::ScriptContext*>(context);

  window_target_ = ScriptTarget::Create(factory_, this, -1, window_.name, WindowMethods());
  if (window_target_ == nullptr ||
      framework::Failed(context_->AddNamedObject(window_.name.c_str(), window_target_))) {
    last_error_ = L"the window cannot be made a script object";
    Stop();
    return false;
  }
  control_targets_.assign(window_.controls.size(), nullptr);
  for (size_t i = 0; i < window_.controls.size(); ++i) {
    const MarkupControl& control = window_.controls[i];
    if (control.id.empty()) continue;
    ScriptTarget* target = ScriptTarget::Create(factory_, this, static_cast<int>(i), control.id,
                                                ControlMethods(control.kind));
    control_targets_[i] = target;
    if (target == nullptr ||
        framework::Failed(context_->AddNamedObject(control.id.c_str(), target))) {
      last_error_ = L"control \"" + control.id + L"\" cannot be made a script object";
      Stop();
      return false;
    }
  }
  for (size_t i = 0; i < window_.scripts.size(); ++i) {
    if (framework::Failed(context_->RunScript(window_.scripts[i].c_str(), nullptr, nullptr))) {
      last_error_ = L"<script> block " + std::to_wstring(i + 1) + L" failed";
    }
  }
  return true;
}

void WindowScripting::Stop() {
  for (ScriptTarget*& target : control_targets_) {
    if (target == nullptr) continue;
    target->Detach();
    target->Release();
    target = nullptr;
  }
  control_targets_.clear();
  if (window_target_ != nullptr) {
    window_target_->Detach();
    window_target_->Release();
    window_target_ = nullptr;
  }
  if (context_ != nullptr) {
    context_->Release();
    context_ = nullptr;
  }
}

framework::Object* WindowScripting::TargetOf(int control) {
  if (control >= 0 && static_cast<size_t>(control) < control_targets_.size() &&
      control_targets_[control] != nullptr) {
    return control_targets_[control];
  }
  return window_target_;
}

bool WindowScripting::RunEvent(int control, const std::wstring& script) {
  if (context_ == nullptr || script.empty()) return false;
  return !framework::Failed(context_->RunScript(script.c_str(), TargetOf(control), nullptr));
}

bool WindowScripting::EvaluateEvent(int control, const std::wstring& script, std::wstring* value) {
  value->clear();
  if (context_ == nullptr || script.empty() || factory_ == nullptr) return false;
  void* made = nullptr;
  if (framework::Failed(
          factory_(&framework::kScriptClassId, &framework::kValueId, &made, nullptr)) ||
      made == nullptr) {
    return false;
  }
  auto* result = static_cast<framework::Value*>(made);
  const bool ran =
      !framework::Failed(context_->Evaluate(script.c_str(), TargetOf(control), nullptr, result));
  const wchar_t* text = result->GetText();
  if (ran && text != nullptr) *value = text;
  result->Release();
  return ran;
}

int32_t WindowScripting::Invoke(int control, ScriptMethod method,
                                framework::ArgumentList* arguments, framework::Value* result) {
  if (control < 0) return InvokeOnWindow(method, arguments, result);
  if (static_cast<size_t>(control) >= window_.controls.size()) return kBadCall;
  return InvokeOnControl(control, method, arguments, result);
}

int32_t WindowScripting::InvokeOnWindow(ScriptMethod method, framework::ArgumentList* arguments,
                                        framework::Value* result) {
  const wchar_t* first = Argument(arguments, 0);
  bool flag = false;
  switch (method) {
    case ScriptMethod::kShowPage: {
      const int page = first != nullptr ? window_.FindPage(first) : -1;
      if (page < 0) return kBadCall;
      surface_.ShowPage(page);
      return kOk;
    }
    case ScriptMethod::kGetPage: {
      const int page = surface_.CurrentPage();
      SetResult(result, page >= 0 ? window_.pages[page].id : std::wstring());
      return kOk;
    }
    case ScriptMethod::kSetTitle:
      if (first == nullptr) return kBadCall;
      surface_.SetTitle(first);
      return kOk;
    case ScriptMethod::kSetBusy:
      if (!ReadBool(first, &flag)) return kBadCall;
      surface_.SetBusy(flag);
      return kOk;
    case ScriptMethod::kIsBusy:
      SetResult(result, surface_.IsBusy());
      return kOk;
    case ScriptMethod::kClose:
      surface_.CloseWindow();
      return kOk;
    case ScriptMethod::kCancel:
      surface_.CancelWindow();
      return kOk;
    default:
      return kBadCall;
  }
}

int32_t WindowScripting::InvokeOnControl(int control, ScriptMethod method,
                                         framework::ArgumentList* arguments,
                                         framework::Value* result) {
  const ControlKind kind = window_.controls[control].kind;
  const bool checkable = kind == ControlKind::kCheckBox || kind == ControlKind::kRadio;
  const wchar_t* first = Argument(arguments, 0);
  bool flag = false;
  int number = 0;
  switch (method) {
    case ScriptMethod::kGetText:
      SetResult(result, surface_.GetControlText(control));
      return kOk;
    case ScriptMethod::kSetText:
      if (first == nullptr) return kBadCall;
      surface_.SetControlText(control, first);
      return kOk;
    case ScriptMethod::kIsEnabled:
      SetResult(result, surface_.IsControlEnabled(control));
      return kOk;
    case ScriptMethod::kEnable:
      if (!ReadBool(first != nullptr ? first : L"true", &flag)) return kBadCall;
      surface_.EnableControl(control, flag);
      return kOk;
    case ScriptMethod::kShow:
      if (!ReadBool(first != nullptr ? first : L"true", &flag)) return kBadCall;
      surface_.ShowControl(control, flag);
      return kOk;
    case ScriptMethod::kFocus:
      surface_.FocusControl(control);
      return kOk;
    case ScriptMethod::kIsChecked:
      if (!checkable) return kBadCall;
      SetResult(result, surface_.IsControlChecked(control));
      return kOk;
    case ScriptMethod::kSetChecked:
      if (!checkable || !ReadBool(first != nullptr ? first : L"true", &flag)) return kBadCall;
      surface_.SetControlChecked(control, flag);
      return kOk;
    case ScriptMethod::kGetValue:
      if (kind != ControlKind::kProgress) return kBadCall;
      SetResult(result, std::to_wstring(surface_.GetProgress(control)));
      return kOk;
    case ScriptMethod::kSetValue:
      if (kind != ControlKind::kProgress || !ReadNumber(first, &number)) return kBadCall;
      surface_.SetProgress(control, number);
      return kOk;
    default:
      return kBadCall;
  }
}

}  // namespace tvx
