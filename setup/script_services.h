// What the "installer" script object's methods ask of the machine and what
// its install worker runs: the program uses the Windows calls and the
// package walk; tests record instead.
#pragma once

#include <string>
#include <vector>

#include "setup/package_actions.h"
#include "setup/package_walk.h"

class ScriptSystem {
 public:
  // An ANSI message box without owner and one OK button.
  virtual void Popup(const std::string& caption, const std::string& text) = 0;
  // Starts the command line in the folder with an environment holding only
  // "env=nothinginhere"; whether it started.
  virtual bool Execute(const std::string& commandLine, const std::string& folder) = 0;
  // The shell's default verb on the document, shown normally.
  virtual void OpenFile(const std::string& path) = 0;
  virtual bool IsWindowOpen(const std::string& windowClass, const std::string& title) = 0;
  virtual bool IsRebootNeeded() = 0;
  virtual bool SystemReboot() = 0;

 protected:
  ~ScriptSystem() = default;
};

// Runs on the install worker.
class InstallRunner {
 public:
  // Every package (selection null) or each selection entry in order.
  virtual void Install(const std::vector<PackageSelection>* selection,
                       InstallProgress& progress) = 0;
  // Asks a running Install to end soon (the window is closing).
  virtual void RequestStop() = 0;

 protected:
  ~InstallRunner() = default;
};
