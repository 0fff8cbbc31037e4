#include "setup/system_setup_host_win.h"

#include <objbase.h>

#include <new>

#include "setup/installer_script_container.h"
#include "setup/package_archive.h"
#include "setup/path_variables.h"
#include "setup/payload.h"
#include "setup/system_path_sources_win.h"
#include "setup/variable_table.h"

namespace {

constexpr uint32_t kScriptObjectFlags = 0x10000;

// Name, description, flags and options of the "installer" object.
bool DescribeInstallerObject(framework::Object* container) {
  framework::ScriptObjectInterface* script = nullptr;
  if (framework::Failed(container->QueryInterface(framework::kScriptObjectInterfaceId,
                                                  reinterpret_cast<void**>(&script), 1)) ||
      script == nullptr) {
    return false;
  }
  const bool described = !framework::Failed(script->SetName(L"installer")) &&
                         !framework::Failed(script->SetDescription(L"Installer-Script-Object")) &&
                         !framework::Failed(script->SetFlags(kScriptObjectFlags)) &&
                         !framework::Failed(script->SetFirstOption(1)) &&
                         !framework::Failed(script->SetSecondOption(0));
  script->Release();
  return described;
}

}  // namespace

SystemSetupHost::~SystemSetupHost() { ReleaseScriptObject(); }

bool SystemSetupHost::OpenPayload() { return ::OpenPayload(); }

void SystemSetupHost::ClosePayload() { ::ClosePayload(); }

framework::Archive* SystemSetupHost::PayloadArchive() { return ::PayloadArchive(); }

bool SystemSetupHost::SetUpEnvironment() {
  environment_.reset(new (std::nothrow)
                         TemporaryEnvironment(PayloadArchive(), InstallerVariables(), messages_));
  return environment_ != nullptr && environment_->SetUpEnvironment();
}

void SystemSetupHost::TearDownEnvironment() {
  ReleaseScriptObject();
  if (environment_ != nullptr) environment_->TearDownEnvironment();
}

bool SystemSetupHost::CreateScriptObject() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  framework::ScriptEngine* engine = nullptr;
  if (framework::Failed(CreateInstance(framework::kScriptClassId, framework::kScriptEngineId,
                                       reinterpret_cast<void**>(&engine), nullptr)) ||
      engine == nullptr) {
    return false;
  }
  auto* container = new (std::nothrow) InstallerScriptContainer(*this);
  bool added = container != nullptr &&
               container->CreateInner(framework::kScriptClassId, framework::kScriptObjectId) &&
               DescribeInstallerObject(container) &&
               !framework::Failed(engine->AddGlobalObject(container));
  engine->Release();
  if (!added) {
    if (container != nullptr) container->Release();
    return false;
  }
  script_container_ = container;
  return true;
}

void SystemSetupHost::ReleaseScriptObject() {
  if (script_container_ == nullptr) return;
  script_container_->Release();
  script_container_ = nullptr;
}

void SystemSetupHost::FillPathVariables() {
  SystemPathSources sources(this);
  ::FillPathVariables(sources, InstallerVariables());
}

int32_t SystemSetupHost::CreateInstance(const framework::Guid& classId,
                                        const framework::Guid& interfaceId, void** object,
                                        framework::Object* outer) {
  if (environment_ == nullptr) {
    if (object != nullptr) *object = nullptr;
    return framework::kFailed;
  }
  return environment_->binding().CreateInstance(classId, interfaceId, object, outer);
}
