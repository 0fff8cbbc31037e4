// The services the installer runs on when it is the real program: its own
// payload, the temporary framework environment, the system's path sources,
// and the script engine with the "installer" object in its global scope.
#pragma once

#include <memory>

#include "setup/installer_script.h"
#include "setup/setup_host.h"
#include "setup/system_script_services_win.h"
#include "setup/temporary_environment.h"

class MessageSink;

class SystemSetupHost : public SetupHost {
 public:
  explicit SystemSetupHost(MessageSink& messages) : messages_(messages) {}
  ~SystemSetupHost() override;

  bool OpenPayload() override;
  void ClosePayload() override;
  framework::Archive* PayloadArchive() override;
  bool SetUpEnvironment() override;
  void TearDownEnvironment() override;
  // The engine, and the "installer" object (its container and its script
  // object, named, described and with its methods) added to the engine's
  // global scope.
  bool CreateScriptObject() override;
  void FillPathVariables() override;
  int32_t CreateInstance(const framework::Guid& classId, const framework::Guid& interfaceId,
                         void** object, framework::Object* outer) override;

  // Null before SetUpEnvironment.
  TemporaryEnvironment* environment() { return environment_.get(); }
  // Null before CreateScriptObject.
  InstallerScript* script() { return script_.get(); }

 private:
  void ReleaseScriptObject();

  MessageSink& messages_;
  std::unique_ptr<TemporaryEnvironment> environment_;
  SystemScriptSystem script_system_;
  std::unique_ptr<SystemInstallRunner> install_runner_;
  std::unique_ptr<InstallerScript> script_;
  // The installer's container of the script object; released before the
  // framework is unbound, since its inner object belongs to the engine's library.
  framework::Object* script_container_ = nullptr;
};
