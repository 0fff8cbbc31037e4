// What a package walk does with each action element of a package. The walk
// decides which elements run, in which order, and reports progress; an
// implementation carries one kind of element out (the installer's real
// actions, or a recorder in tests).
#pragma once

#include <string>

#include "framework/interfaces.h"

// The log elements an action records into, and the run's model directory.
// The log elements are null when the package is installed without a log.
struct ActionLogs {
  framework::XmlElement* package_log = nullptr;
  framework::XmlElement* files_log = nullptr;
  const std::string* model_directory = nullptr;
};

class PackageActions {
 public:
  // Around each top-level package: its log elements (null without a log)
  // stay the same until EndPackage.
  virtual void BeginPackage(const ActionLogs& /*logs*/) {}
  virtual void EndPackage() {}

  virtual void Delete(framework::XmlElement* element, const ActionLogs& logs) = 0;
  virtual void RunProcess(framework::XmlElement* element, const ActionLogs& logs) = 0;
  // Called only for "file" elements whose "dest" is not empty.
  virtual void File(framework::XmlElement* element, const ActionLogs& logs) = 0;
  virtual void Font(framework::XmlElement* element, const ActionLogs& logs) = 0;
  virtual void Link(framework::XmlElement* element, const ActionLogs& logs) = 0;
  virtual void RegEntry(framework::XmlElement* element, const ActionLogs& logs) = 0;
  virtual void RegisterExtension(framework::XmlElement* element, const ActionLogs& logs) = 0;

 protected:
  ~PackageActions() = default;
};

// Receives the fraction (0 to 1) of the batch that is running.
class InstallProgress {
 public:
  virtual void Report(double fraction) = 0;

 protected:
  ~InstallProgress() = default;
};
