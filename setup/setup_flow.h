// The installer's run from entry to exit: open the payload, set up the
// temporary framework environment, create the script object, fill the path
// variables, build the "install" window from the markup entry
// "install_gui_tvx", run it until it closes and undo exactly what was set up.
#pragma once

#include <cstdint>

#include "framework/interfaces.h"

class MessageSink;
class SetupHost;

class SetupFlow {
 public:
  // Exit codes of the program.
  static constexpr int kPayloadMissingExitCode = 0;
  static constexpr int kFinishedExitCode = -1;

  SetupFlow(SetupHost& host, MessageSink& messages) : host_(host), messages_(messages) {}

  // Runs everything on the calling (GUI) thread and returns the exit code.
  int Run();

 private:
  void RunInterface();
  void RunApplication(framework::InterfaceDefinitionSet* definitions);
  void RunWindow(framework::Application* application,
                 framework::InterfaceDefinitionSet* definitions);
  void ShowCritical(const char* text);

  template <typename Interface>
  Interface* Create(const framework::Guid& classId, const framework::Guid& interfaceId);

  SetupHost& host_;
  MessageSink& messages_;
};
