#include "setup/system_setup_host_win.h"

#include <objbase.h>

#include <new>

#include "setup/installer_script_container.h"
#include "setup/package_archive.h"
#include "setup/path_variables.h"
#include "setup/payload.h"
#include "setup/system_path_sources_win.h"
#include "setup/variable_table.h"

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
  install_runner_.reset(new (std::nothrow) SystemInstallRunner(
      PayloadArchive(), *this, InstallerVariables(), environment_.get(), messages_));
  if (install_runner_ != nullptr) {
    script_.reset(new (std::nothrow) InstallerScript(*this, InstallerVariables(), script_system_,
                                                     *install_runner_));
  }
  auto* container =
      script_ != nullptr ? new (std::nothrow) InstallerScriptContainer(*this) : nullptr;
  bool added = container != nullptr &&
               container->CreateInner(framework::kScriptClassId, framework::kScriptObjectId);
  if (added) {
    container->SetScript(script_.get());
    framework::ScriptObjectInterface* object = nullptr;
    added = !framework::Failed(container->QueryInterface(framework::kScriptObjectInterfaceId,
                                                         reinterpret_cast<void**>(&object), 1)) &&
            object != nullptr && script_->Describe(object, object, container);
    if (object != nullptr) object->Release();
  }
  added = added && !framework::Failed(engine->AddGlobalObject(container));
  engine->Release();
  if (!added) {
    if (container != nullptr) container->Release();
    return false;
  }
  script_container_ = container;
  return true;
}

// The worker is stopped and waited for first: it must never extract into
// the temporary folder or save the log once tear-down has begun.
void SystemSetupHost::ReleaseScriptObject() {
  if (script_ != nullptr) script_->StopWorker();
  if (script_container_ != nullptr) {
    static_cast<InstallerScriptContainer*>(script_container_)->SetScript(nullptr);
    script_container_->Release();
    script_container_ = nullptr;
  }
  script_.reset();
  install_runner_.reset();
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
