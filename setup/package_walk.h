// The package walk over the installer configuration, the XML document in the
// archive entry "index": install every package that takes part in an
// install-all run, or one selected package with chosen subpackages. Each
// top-level package is logged in the uninstall log, opened at its start and
// saved at its end; its includes and subpackages log into the same entry.
//
// The fixed order of one package: includes, then the batches delete,
// runprocess, file, font, link, regentry, registerextension (each in
// document order), then the subpackages. Element names match ignoring case.
//
// A configuration may include packages in a cycle (A includes B includes
// A); a package that is already being walked further up is not walked again
// from inside itself, so such a configuration ends.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "framework/interfaces.h"
#include "setup/package_actions.h"

class FrameworkFactory;
class VariableTable;

// One entry of the script's selection: a package ID and the subpackage IDs
// chosen for it, in the order they were chosen.
struct PackageSelection {
  std::string package_id;
  std::vector<std::string> subpackage_ids;
};

class PackageWalk {
 public:
  // logPath: the uninstall log's file; empty installs without a log.
  PackageWalk(framework::Archive* archive, FrameworkFactory& factory,
              const VariableTable& variables, PackageActions& actions, std::wstring logPath)
      : archive_(archive),
        factory_(factory),
        variables_(variables),
        actions_(actions),
        log_path_(std::move(logPath)) {}
  PackageWalk(const PackageWalk&) = delete;
  PackageWalk& operator=(const PackageWalk&) = delete;

  // Every package whose "include_in_all" is true (the default), in document
  // order, each with all of its subpackages.
  void InstallAll(InstallProgress& progress);
  // The package whose "ID" is the selection's, with the selected subpackages.
  void InstallSelected(const PackageSelection& selection, InstallProgress& progress);

  // The model directory of the top-level package being installed: its
  // expanded "oxu_dir" when its "oxu_model" is "private" ("instdir" when that
  // does not expand), else empty.
  const std::string& model_directory() const { return model_directory_; }

  // Asks a running walk to stop before its next element. A top-level
  // package cut short this way does not save the log, so the log on disk
  // never holds half a package.
  void RequestStop() { stop_ = true; }
  bool StopRequested() const { return stop_; }

 private:
  struct Request;

  framework::XmlDocument* LoadConfiguration();
  void InstallTopLevel(framework::XmlElement* config, int32_t packageIndex,
                       framework::XmlElement* package, const std::vector<std::string>* subpackages,
                       InstallProgress& progress);
  void InstallPackage(const Request& request);
  void InstallIncludes(const Request& request);
  void InstallBatches(const Request& request);
  void InstallSubpackages(const Request& request);
  void SetModelDirectory(framework::XmlElement* package);

  framework::Archive* archive_;
  FrameworkFactory& factory_;
  const VariableTable& variables_;
  PackageActions& actions_;
  std::wstring log_path_;
  std::string model_directory_;
  // Indexes (among the configuration's packages) of the packages being
  // walked, outermost first.
  std::vector<int32_t> active_packages_;
  std::atomic<bool> stop_{false};
};
