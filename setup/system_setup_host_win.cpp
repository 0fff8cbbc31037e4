#include "setup/system_setup_host_win.h"

#include <objbase.h>

#include <new>

#include "setup/package_archive.h"
#include "setup/path_variables.h"
#include "setup/payload.h"
#include "setup/system_path_sources_win.h"
#include "setup/variable_table.h"

bool SystemSetupHost::OpenPayload() { return ::OpenPayload(); }

void SystemSetupHost::ClosePayload() { ::ClosePayload(); }

framework::Archive* SystemSetupHost::PayloadArchive() { return ::PayloadArchive(); }

bool SystemSetupHost::SetUpEnvironment() {
  environment_.reset(new (std::nothrow)
                         TemporaryEnvironment(PayloadArchive(), InstallerVariables(), messages_));
  return environment_ != nullptr && environment_->SetUp();
}

void SystemSetupHost::TearDownEnvironment() {
  if (environment_ != nullptr) environment_->TearDown();
}

bool SystemSetupHost::CreateScriptObject() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  framework::ScriptEngine* engine = nullptr;
  if (framework::Failed(CreateInstance(framework::kScriptClassId, framework::kScriptEngineId,
                                       reinterpret_cast<void**>(&engine), nullptr)) ||
      engine == nullptr) {
    return false;
  }
  engine->Release();
  return false;
}

void SystemSetupHost::FillPathVariables() {
  SystemPathSources sources;
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
