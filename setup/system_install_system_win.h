// The install actions' machine services on Windows: files, programs carried
// in the archive, the framework's registrar, the font table, the shell's
// link object and message boxes.
#pragma once

#include <cstdint>
#include <string>

#include "framework/interfaces.h"
#include "setup/install_system.h"

class MessageSink;
class TemporaryEnvironment;
class VariableTable;

class SystemInstallSystem final : public InstallSystem {
 public:
  // How long RunArchivedProgram waits for a program, in steps: past the
  // limit the program is ended with exit code 0x80004005.
  struct WaitLimits {
    uint32_t step_ms = 250;
    uint32_t limit_ms = 1800000;
  };

  // programFolder: where programs are extracted and started (the temporary
  // folder; empty makes every program fail). environment: the registrar;
  // may be null (registrations then fail).
  SystemInstallSystem(framework::Archive* archive, const VariableTable& variables,
                      std::string programFolder, TemporaryEnvironment* environment,
                      MessageSink& messages)
      : archive_(archive),
        variables_(variables),
        program_folder_(std::move(programFolder)),
        environment_(environment),
        messages_(messages) {}

  void SetWaitLimits(const WaitLimits& limits) { limits_ = limits; }

  bool RemoveFile(const std::string& path) override;
  bool RunArchivedProgram(const std::string& application, const std::string& options,
                          bool wait) override;
  bool RegisterLibrary(const std::string& path, const std::string& modelDirectory,
                       int kind) override;
  bool AddFont(const std::string& path) override;
  bool CreateShortcut(const std::string& target, const std::string& link,
                      const std::string& description, const std::string& workingFolder) override;
  int32_t WriteRegistryEntry(RegistryWriteRequest& request) override;
  bool RegisterFileType(FileTypeRequest& request) override;
  void ShowMessage(const std::string& text, const char* caption) override;

 private:
  framework::Archive* archive_;
  const VariableTable& variables_;
  std::string program_folder_;
  TemporaryEnvironment* environment_;
  MessageSink& messages_;
  WaitLimits limits_;
};
