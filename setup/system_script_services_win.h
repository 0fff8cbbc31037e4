// The script object's services in the program: message boxes, programs,
// the shell, top-level windows and the reboot calls (SystemScriptSystem),
// and the install worker's run over the payload's configuration with the
// real actions (SystemInstallRunner).
#pragma once

#include <string>
#include <vector>

#include "setup/install_actions.h"
#include "setup/package_walk.h"
#include "setup/script_services.h"
#include "setup/system_install_system_win.h"

class FrameworkFactory;
class MessageSink;
class TemporaryEnvironment;
class VariableTable;

class SystemScriptSystem final : public ScriptSystem {
 public:
  void Popup(const std::string& caption, const std::string& text) override;
  // The environment block holds the one entry "env=nothinginhere".
  bool Execute(const std::string& commandLine, const std::string& folder) override;
  void OpenFile(const std::string& path) override;
  bool IsWindowOpen(const std::string& windowClass, const std::string& title) override;
  bool IsRebootNeeded() override;
  bool SystemReboot() override;
};

class SystemInstallRunner final : public InstallRunner {
 public:
  SystemInstallRunner(framework::Archive* archive, FrameworkFactory& factory,
                      const VariableTable& variables, TemporaryEnvironment* environment,
                      MessageSink& messages);

  // Initialises the component library on the worker (the shell-link object
  // needs it), then walks the configuration.
  void Install(const std::vector<PackageSelection>* selection, InstallProgress& progress) override;
  void RequestStop() override { walk_.RequestStop(); }

 private:
  SystemInstallSystem system_;
  InstallActions actions_;
  PackageWalk walk_;
};
