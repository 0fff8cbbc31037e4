// The services the installer runs on when it is the real program: its own
// payload, the temporary framework environment, the system's path sources.
#pragma once

#include <memory>

#include "setup/setup_host.h"
#include "setup/temporary_environment.h"

class MessageSink;

class SystemSetupHost : public SetupHost {
 public:
  explicit SystemSetupHost(MessageSink& messages) : messages_(messages) {}

  bool OpenPayload() override;
  void ClosePayload() override;
  framework::Archive* PayloadArchive() override;
  bool SetUpEnvironment() override;
  void TearDownEnvironment() override;
  // The script object itself is not built yet, so this fails once the
  // engine has been created.
  bool CreateScriptObject() override;
  void FillPathVariables() override;
  int32_t CreateInstance(const framework::Guid& classId, const framework::Guid& interfaceId,
                         void** object, framework::Object* outer) override;

  // Null before SetUpEnvironment.
  TemporaryEnvironment* environment() { return environment_.get(); }

 private:
  MessageSink& messages_;
  std::unique_ptr<TemporaryEnvironment> environment_;
};
