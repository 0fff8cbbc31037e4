// The "installer" object's behaviour: its 15 script methods (dispatched by
// id), the selection list, the listener registry with the events
// "installprogress" and "installdone", and the one install worker.
//
// Methods run on the GUI thread; the worker runs the install and fires the
// events from its own thread (handlers are handed to the GUI thread by the
// script context). The worker starts at most once per run. Before the
// framework goes away, StopWorker asks a running install to end and waits
// for it, so the worker never extracts into a removed temporary folder or
// saves a half-built log.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/interfaces.h"
#include "setup/listener_registry.h"
#include "setup/package_actions.h"
#include "setup/package_walk.h"

class FrameworkFactory;
class InstallRunner;
class ScriptSystem;
class VariableTable;

class InstallerScript final : public InstallProgress {
 public:
  struct Method {
    const wchar_t* name;
    int32_t id;
  };
  // In the order they are added to the script object.
  static const Method kMethods[15];

  InstallerScript(FrameworkFactory& factory, VariableTable& variables, ScriptSystem& system,
                  InstallRunner& runner)
      : factory_(factory),
        variables_(variables),
        system_(system),
        runner_(runner),
        listeners_(factory) {}
  ~InstallerScript() { StopWorker(); }
  InstallerScript(const InstallerScript&) = delete;
  InstallerScript& operator=(const InstallerScript&) = delete;

  // Names the script object "installer" (description, flags 0x10000, options
  // 1 and 0) and adds the methods, each with `context` (the installer's
  // container, which leads the dispatcher back here) and its id.
  bool Describe(framework::ScriptObjectInterface* object, framework::Object* scriptObject,
                framework::Object* context);

  // One method call; kOk or kScriptCallFailed.
  int32_t Call(framework::ScriptCall* call);

  // Progress of the running batch, as "installprogress" with the fraction as
  // "%lf" text (0.500000).
  void Report(double fraction) override;

  void FireEvent(const wchar_t* event, framework::Value* parameter) {
    listeners_.FireEvent(event, parameter);
  }

  bool WorkerStarted() const { return started_; }
  bool WorkerRunning() const { return running_; }
  void StopWorker();

  // What the script set; copies, safe from any thread.
  std::vector<PackageSelection> Selection() const;
  std::string InstallPath() const;
  const ListenerRegistry& listeners() const { return listeners_; }

 private:
  enum WorkerMode { kInstallAll = 0, kInstallSelected = 1 };

  int32_t SetPath(framework::ScriptCall* call, const char* variable);
  int32_t Execute(framework::ScriptCall* call);
  int32_t OpenFile(framework::ScriptCall* call);
  int32_t Popup(framework::ScriptCall* call);
  int32_t IsWindowOpen(framework::ScriptCall* call);
  int32_t Select(framework::ScriptCall* call, bool subpackage);
  int32_t Register(framework::ScriptCall* call, bool registering);
  void StartWorker(WorkerMode mode);
  void RunWorker(WorkerMode mode, std::vector<PackageSelection> selection);

  FrameworkFactory& factory_;
  VariableTable& variables_;
  ScriptSystem& system_;
  InstallRunner& runner_;
  ListenerRegistry listeners_;
  mutable std::mutex selection_lock_;
  std::vector<PackageSelection> selection_;
  std::atomic<bool> started_{false};
  std::atomic<bool> running_{false};
  std::thread worker_;
};

// The dispatcher handed to the script object: finds the InstallerScript
// through the call's context (the installer's container) and calls it.
int32_t FRAMEWORK_CALL DispatchInstallerCall(framework::ScriptCall* call);
