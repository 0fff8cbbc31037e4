#include "setup/installer_script.h"

#include <cstdio>

#include "setup/config_element.h"
#include "setup/framework_factory.h"
#include "setup/framework_ref.h"
#include "setup/installer_script_container.h"
#include "setup/os_file.h"
#include "setup/script_arguments.h"
#include "setup/script_services.h"
#include "setup/variable_table.h"

namespace {

constexpr uint32_t kScriptObjectFlags = 0x10000;
constexpr wchar_t kUntranslatable[] = L"couldn't translate string";

enum MethodId : int32_t {
  kSetInstallPath = 0,
  kInstallAllPackages = 1,
  kPopup = 2,
  kRegister = 3,
  kUnRegister = 4,
  kSetSharedPath = 5,
  kExecute = 6,
  kSelectPackageForInstall = 8,
  kSelectSubPackageForInstall = 9,
  kInstallSelectedPackages = 10,
  kOpenFile = 11,
  kIsWindowOpen = 13,
  kGetInstallPath = 14,
  kIsRebootNeeded = 15,
  kSystemReboot = 16,
};

void SetResult(framework::ScriptCall* call, const wchar_t* text) {
  if (call->result != nullptr) call->result->SetText(text);
}

void SetResult(framework::ScriptCall* call, bool flag) { SetResult(call, flag ? L"1" : L"0"); }

}  // namespace

const InstallerScript::Method InstallerScript::kMethods[15] = {
    {L"Execute", kExecute},
    {L"OpenFile", kOpenFile},
    {L"SetInstallPath", kSetInstallPath},
    {L"GetInstallPath", kGetInstallPath},
    {L"SetSharedPath", kSetSharedPath},
    {L"InstallAllPackages", kInstallAllPackages},
    {L"SelectPackageForInstall", kSelectPackageForInstall},
    {L"SelectSubPackageForInstall", kSelectSubPackageForInstall},
    {L"InstallSelectedPackages", kInstallSelectedPackages},
    {L"Popup", kPopup},
    {L"Register", kRegister},
    {L"UnRegister", kUnRegister},
    {L"IsWindowOpen", kIsWindowOpen},
    {L"IsRebootNeeded", kIsRebootNeeded},
    {L"SystemReboot", kSystemReboot},
};

int32_t FRAMEWORK_CALL DispatchInstallerCall(framework::ScriptCall* call) {
  if (call == nullptr) return framework::kScriptCallFailed;
  InstallerScriptContainer* container = InstallerScriptContainer::FromContext(call->method_context);
  if (container == nullptr || container->script() == nullptr) return framework::kScriptCallFailed;
  return container->script()->Call(call);
}

bool InstallerScript::Describe(framework::ScriptObjectInterface* object,
                               framework::Object* scriptObject, framework::Object* context) {
  if (object == nullptr) return false;
  bool described = !framework::Failed(object->SetName(L"installer")) &&
                   !framework::Failed(object->SetDescription(L"Installer-Script-Object")) &&
                   !framework::Failed(object->SetFlags(kScriptObjectFlags));
  for (const Method& method : kMethods) {
    described =
        described && !framework::Failed(object->AddMethod(method.name, &DispatchInstallerCall,
                                                          scriptObject, context, method.id));
  }
  return described && !framework::Failed(object->SetFirstOption(1)) &&
         !framework::Failed(object->SetSecondOption(0));
}

int32_t InstallerScript::Call(framework::ScriptCall* call) {
  switch (call->method_id) {
    case kSetInstallPath:
      return SetPath(call, "instdir");
    case kSetSharedPath:
      return SetPath(call, "sharedir");
    case kGetInstallPath:
      SetResult(call, os_file::WidenAnsi(InstallPath().c_str()).c_str());
      return framework::kOk;
    case kPopup:
      return Popup(call);
    case kExecute:
      return Execute(call);
    case kOpenFile:
      return OpenFile(call);
    case kIsWindowOpen:
      return IsWindowOpen(call);
    case kIsRebootNeeded:
      SetResult(call, system_.IsRebootNeeded());
      return framework::kOk;
    case kSystemReboot:
      SetResult(call, system_.SystemReboot());
      return framework::kOk;
    case kSelectPackageForInstall:
      return Select(call, false);
    case kSelectSubPackageForInstall:
      return Select(call, true);
    case kInstallAllPackages:
      StartWorker(kInstallAll);
      return framework::kOk;
    case kInstallSelectedPackages:
      StartWorker(kInstallSelected);
      return framework::kOk;
    case kRegister:
      return Register(call, true);
    case kUnRegister:
      return Register(call, false);
    default:
      return framework::kScriptCallFailed;
  }
}

int32_t InstallerScript::SetPath(framework::ScriptCall* call, const char* variable) {
  std::vector<UnpackedArgument> arguments;
  std::string expanded;
  if (!UnpackArguments(call->arguments, "A", &arguments) ||
      !variables_.ExpandVariables(arguments[0].narrow.c_str(), &expanded)) {
    SetResult(call, false);
    return framework::kOk;
  }
  variables_.SetVariable(variable, expanded);
  SetResult(call, true);
  return framework::kOk;
}

std::string InstallerScript::InstallPath() const {
  std::string path;
  variables_.Lookup("instdir", &path);
  return path;
}

int32_t InstallerScript::Popup(framework::ScriptCall* call) {
  std::vector<UnpackedArgument> arguments;
  if (!UnpackArguments(call->arguments, "AA", &arguments)) return framework::kScriptCallFailed;
  system_.Popup(arguments[0].narrow, arguments[1].narrow);
  return framework::kOk;
}

int32_t InstallerScript::Execute(framework::ScriptCall* call) {
  std::vector<UnpackedArgument> arguments;
  std::string commandLine, folder;
  if (!UnpackArguments(call->arguments, "AA", &arguments) ||
      !variables_.ExpandVariables(arguments[0].narrow.c_str(), &commandLine)) {
    SetResult(call, kUntranslatable);
    return framework::kScriptCallFailed;
  }
  if (!variables_.ExpandVariables(arguments[1].narrow.c_str(), &folder)) {
    folder = arguments[1].narrow;
  }
  system_.Execute(commandLine, folder);
  SetResult(call, L"launched");
  return framework::kOk;
}

int32_t InstallerScript::OpenFile(framework::ScriptCall* call) {
  std::vector<UnpackedArgument> arguments;
  std::string path;
  if (!UnpackArguments(call->arguments, "A", &arguments) ||
      !variables_.ExpandVariables(arguments[0].narrow.c_str(), &path)) {
    SetResult(call, kUntranslatable);
    return framework::kScriptCallFailed;
  }
  system_.OpenFile(path);
  SetResult(call, L"opened");
  return framework::kOk;
}

int32_t InstallerScript::IsWindowOpen(framework::ScriptCall* call) {
  std::vector<UnpackedArgument> arguments;
  if (!UnpackArguments(call->arguments, "AA", &arguments)) {
    SetResult(call, kUntranslatable);
    return framework::kScriptCallFailed;
  }
  SetResult(call, system_.IsWindowOpen(arguments[0].narrow, arguments[1].narrow));
  return framework::kOk;
}

int32_t InstallerScript::Select(framework::ScriptCall* call, bool subpackage) {
  std::vector<UnpackedArgument> arguments;
  if (!UnpackArguments(call->arguments, "A", &arguments)) return framework::kScriptCallFailed;
  std::lock_guard<std::mutex> lock(selection_lock_);
  if (!subpackage) {
    selection_.push_back({arguments[0].narrow, {}});
  } else if (!selection_.empty()) {
    selection_.back().subpackage_ids.push_back(arguments[0].narrow);
  }
  return framework::kOk;
}

std::vector<PackageSelection> InstallerScript::Selection() const {
  std::lock_guard<std::mutex> lock(selection_lock_);
  return selection_;
}

int32_t InstallerScript::Register(framework::ScriptCall* call, bool registering) {
  std::vector<UnpackedArgument> arguments;
  if (!UnpackArguments(call->arguments, registering ? "WWw" : "Ww", &arguments)) {
    return framework::kScriptCallFailed;
  }
  const UnpackedArgument& target = arguments.back();
  const std::wstring targetName =
      target.present ? target.wide : (call->caller_name != nullptr ? call->caller_name : L"");
  if (registering) {
    listeners_.Register(targetName, arguments[0].wide, arguments[1].wide, call->script_context);
    SetResult(call, L"registered");
  } else {
    listeners_.UnRegister(targetName, arguments[0].wide);
    SetResult(call, L"unregistered");
  }
  return framework::kOk;
}

void InstallerScript::Report(double fraction) {
  FrameworkRef<framework::Value> value;
  if (framework::Failed(factory_.CreateInstance(framework::kScriptClassId, framework::kValueId,
                                                value.OutVoid(), nullptr)) ||
      !value) {
    return;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%lf", fraction);
  value->SetText(os_file::WidenAnsi(text).c_str());
  listeners_.FireEvent(L"installprogress", value.get());
}

void InstallerScript::StartWorker(WorkerMode mode) {
  if (started_.exchange(true)) return;
  running_ = true;
  worker_ = std::thread(&InstallerScript::RunWorker, this, mode, Selection());
}

void InstallerScript::RunWorker(WorkerMode mode, std::vector<PackageSelection> selection) {
  runner_.Install(mode == kInstallAll ? nullptr : &selection, *this);
  listeners_.FireEvent(L"installdone", nullptr);
  running_ = false;
}

void InstallerScript::StopWorker() {
  if (!worker_.joinable()) return;
  if (running_) runner_.RequestStop();
  worker_.join();
}
