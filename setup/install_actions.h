// The install actions of a package walk: files extracted from the archive
// with their log entries and shared reference counts, deletions, programs
// from the archive, fonts and shortcuts. What touches the machine beyond
// writing files goes through InstallSystem. Failures stay with their element:
// a path that does not expand skips it, a failed program start shows the
// element's "error" text, a registry or file-type failure its message, and
// the walk goes on.
#pragma once

#include <string>

#include "framework/interfaces.h"
#include "setup/install_log_index.h"
#include "setup/package_actions.h"

class InstallSystem;
class VariableTable;

class InstallActions final : public PackageActions {
 public:
  InstallActions(framework::Archive* archive, const VariableTable& variables, InstallSystem& system)
      : archive_(archive), variables_(variables), system_(system) {}

  void BeginPackage(const ActionLogs& logs) override;
  void EndPackage() override;

  void Delete(framework::XmlElement* element, const ActionLogs& logs) override;
  void RunProcess(framework::XmlElement* element, const ActionLogs& logs) override;
  void File(framework::XmlElement* element, const ActionLogs& logs) override;
  void Font(framework::XmlElement* element, const ActionLogs& logs) override;
  void Link(framework::XmlElement* element, const ActionLogs& logs) override;
  void RegEntry(framework::XmlElement* element, const ActionLogs& logs) override;
  void RegisterExtension(framework::XmlElement* element, const ActionLogs& logs) override;

 private:
  bool Expand(framework::XmlElement* element, const char* attribute, std::string* expanded) const;
  void FollowLogs(const ActionLogs& logs);
  // The package's "file" entry for path (found or appended), or null
  // without a log; *alreadyLogged tells whether it was there.
  framework::XmlElement* PackageFileEntry(const std::wstring& path, bool* alreadyLogged);
  void CountShared(const std::wstring& path, bool alreadyLogged);

  framework::Archive* archive_;
  const VariableTable& variables_;
  InstallSystem& system_;
  framework::XmlElement* indexed_package_log_ = nullptr;
  framework::XmlElement* indexed_files_log_ = nullptr;
  InstallLogIndex package_entries_;
  InstallLogIndex shared_entries_;
};
