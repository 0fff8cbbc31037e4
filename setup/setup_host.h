// The services the installer's main flow runs on: the payload, the temporary
// runtime environment with its framework binding, the script object and the
// path variables. The program uses the real ones; tests replace some.
#pragma once

#include <cstdint>

#include "framework/interfaces.h"
#include "setup/framework_factory.h"

// CreateInstance (the framework's factory; kFailed when not bound) comes from
// FrameworkFactory.
class SetupHost : public FrameworkFactory {
 public:
  virtual ~SetupHost() = default;

  virtual bool OpenPayload() = 0;
  virtual void ClosePayload() = 0;
  // The opened payload's archive (not add-referenced), or null.
  virtual framework::Archive* PayloadArchive() = 0;

  // The temporary folder with the framework libraries, bound and registered.
  virtual bool SetUpEnvironment() = 0;
  virtual void TearDownEnvironment() = 0;

  // The script engine with the "installer" object in its global scope.
  virtual bool CreateScriptObject() = 0;

  // The path variables, in their fixed order, into the variable table.
  virtual void FillPathVariables() = 0;
};
