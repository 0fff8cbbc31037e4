#include "setup/package_walk.h"

#include <algorithm>

#include "setup/config_element.h"
#include "setup/data_stream.h"
#include "setup/framework_factory.h"
#include "setup/framework_ref.h"
#include "setup/uninstall_log.h"
#include "setup/variable_table.h"

using config_element::AnsiAttribute;
using config_element::Child;
using config_element::EqualIgnoringCase;

namespace {

constexpr char kConfigurationEntry[] = "index";

enum class BatchProgress {
  kNone,           // reports nothing
  kEveryAction,    // 0 before the first, then after each element
  kFilesWithDest,  // after each element whose "dest" is not empty
};

struct Batch {
  const char* element;
  void (PackageActions::*run)(framework::XmlElement*, const ActionLogs&);
  BatchProgress progress;
};

const Batch kBatches[] = {
    {"delete", &PackageActions::Delete, BatchProgress::kNone},
    {"runprocess", &PackageActions::RunProcess, BatchProgress::kEveryAction},
    {"file", &PackageActions::File, BatchProgress::kFilesWithDest},
    {"font", &PackageActions::Font, BatchProgress::kNone},
    {"link", &PackageActions::Link, BatchProgress::kNone},
    {"regentry", &PackageActions::RegEntry, BatchProgress::kNone},
    {"registerextension", &PackageActions::RegisterExtension, BatchProgress::kNone},
};

// Index among the configuration's packages of the first one whose attribute
// (present) equals value ignoring case; -1 when there is none.
int32_t FindPackage(framework::XmlElement* config, const char* attribute,
                    const std::string& value) {
  const int32_t count = config->CountChildren("package");
  for (int32_t index = 0; index < count; ++index) {
    FrameworkRef<framework::XmlElement> package = Child(config, "package", index);
    if (package && config_element::HasAttribute(package.get(), attribute) &&
        EqualIgnoringCase(AnsiAttribute(package.get(), attribute), value)) {
      return index;
    }
  }
  return -1;
}

// The first "InstallerConfig" element of the document, or empty.
FrameworkRef<framework::XmlElement> ConfigurationElement(framework::XmlDocument* document) {
  FrameworkRef<framework::XmlElement> root;
  if (document == nullptr || framework::Failed(document->GetDocumentElement(root.Out()))) {
    return FrameworkRef<framework::XmlElement>();
  }
  return Child(root.get(), "InstallerConfig", 0);
}

}  // namespace

struct PackageWalk::Request {
  framework::XmlElement* element;
  framework::XmlElement* config;
  ActionLogs logs;
  // Null: no subpackages are installed.
  const std::vector<std::string>* subpackages;
  InstallProgress& progress;
};

framework::XmlDocument* PackageWalk::LoadConfiguration() {
  if (archive_ == nullptr) return nullptr;
  FrameworkRef<framework::XmlDocument> document;
  if (framework::Failed(factory_.CreateInstance(framework::kXmlDocumentClassId,
                                                framework::kXmlDocumentId, document.OutVoid(),
                                                nullptr)) ||
      !document) {
    return nullptr;
  }
  uint8_t* bytes = nullptr;
  const uint32_t size = archive_->ReadEntry(kConfigurationEntry, &bytes);
  if (size == 0 || bytes == nullptr) return nullptr;
  DataStream stream;
  stream.AttachMemory(bytes, size, L"none");
  const bool loaded = !framework::Failed(document->LoadFromStream(&stream));
  stream.Close();
  archive_->FreeBuffer(bytes);
  if (!loaded) return nullptr;
  framework::XmlDocument* result = document.get();
  result->AddRef();
  return result;
}

void PackageWalk::InstallAll(InstallProgress& progress) {
  FrameworkRef<framework::XmlDocument> document(LoadConfiguration());
  FrameworkRef<framework::XmlElement> config = ConfigurationElement(document.get());
  if (!config) return;
  static const std::vector<std::string> kAllSubpackages = {"All"};
  const int32_t count = config->CountChildren("package");
  for (int32_t index = 0; index < count && !stop_; ++index) {
    FrameworkRef<framework::XmlElement> package = Child(config.get(), "package", index);
    if (!package || !config_element::BoolAttribute(package.get(), "include_in_all", true)) {
      continue;
    }
    SetModelDirectory(package.get());
    InstallTopLevel(config.get(), index, package.get(), &kAllSubpackages, progress);
  }
}

void PackageWalk::InstallSelected(const PackageSelection& selection, InstallProgress& progress) {
  FrameworkRef<framework::XmlDocument> document(LoadConfiguration());
  FrameworkRef<framework::XmlElement> config = ConfigurationElement(document.get());
  if (!config || stop_) return;
  const int32_t index = FindPackage(config.get(), "ID", selection.package_id);
  if (index < 0) return;
  FrameworkRef<framework::XmlElement> package = Child(config.get(), "package", index);
  if (!package) return;
  SetModelDirectory(package.get());
  InstallTopLevel(config.get(), index, package.get(), &selection.subpackage_ids, progress);
}

void PackageWalk::InstallTopLevel(framework::XmlElement* config, int32_t packageIndex,
                                  framework::XmlElement* package,
                                  const std::vector<std::string>* subpackages,
                                  InstallProgress& progress) {
  UninstallLog log(factory_, log_path_);
  const bool logged = !log_path_.empty() && log.OpenLog(package);
  ActionLogs logs;
  if (logged) {
    logs.package_log = log.package_log();
    logs.files_log = log.files_log();
  }
  logs.model_directory = &model_directory_;
  active_packages_.push_back(packageIndex);
  actions_.BeginPackage(logs);
  InstallPackage(Request{package, config, logs, subpackages, progress});
  actions_.EndPackage();
  active_packages_.pop_back();
  // A walk cut short leaves the log as it was (the log's destructor lets
  // the document go unsaved).
  if (logged && !stop_) log.SaveLog();
}

void PackageWalk::InstallPackage(const Request& request) {
  InstallIncludes(request);
  InstallBatches(request);
  InstallSubpackages(request);
}

void PackageWalk::InstallIncludes(const Request& request) {
  const int32_t count = request.element->CountChildren("include");
  for (int32_t i = 0; i < count && !stop_; ++i) {
    FrameworkRef<framework::XmlElement> include = Child(request.element, "include", i);
    if (!include) continue;
    const std::string reference = AnsiAttribute(include.get(), "package");
    int32_t index = FindPackage(request.config, "ID", reference);
    if (index < 0) index = FindPackage(request.config, "name", reference);
    if (index < 0 || std::find(active_packages_.begin(), active_packages_.end(), index) !=
                         active_packages_.end()) {
      continue;
    }
    FrameworkRef<framework::XmlElement> package = Child(request.config, "package", index);
    if (!package) continue;
    active_packages_.push_back(index);
    InstallPackage(Request{package.get(), request.config, request.logs, nullptr, request.progress});
    active_packages_.pop_back();
  }
}

void PackageWalk::InstallBatches(const Request& request) {
  for (const Batch& batch : kBatches) {
    const int32_t count = request.element->CountChildren(batch.element);
    if (count <= 0) continue;
    if (batch.progress == BatchProgress::kEveryAction) request.progress.Report(0.0);
    for (int32_t i = 0; i < count; ++i) {
      if (stop_) return;
      FrameworkRef<framework::XmlElement> element = Child(request.element, batch.element, i);
      if (!element) continue;
      if (batch.progress == BatchProgress::kFilesWithDest &&
          AnsiAttribute(element.get(), "dest").empty()) {
        continue;
      }
      (actions_.*batch.run)(element.get(), request.logs);
      if (batch.progress != BatchProgress::kNone) {
        request.progress.Report(static_cast<double>(i + 1) / static_cast<double>(count));
      }
    }
  }
}

void PackageWalk::InstallSubpackages(const Request& request) {
  if (request.subpackages == nullptr || request.subpackages->empty()) return;
  const std::vector<std::string>& list = *request.subpackages;
  if (EqualIgnoringCase(list.front(), "all")) {
    const int32_t count = request.element->CountChildren("subpackage");
    for (int32_t i = 0; i < count && !stop_; ++i) {
      FrameworkRef<framework::XmlElement> subpackage = Child(request.element, "subpackage", i);
      if (!subpackage) continue;
      InstallPackage(
          Request{subpackage.get(), request.config, request.logs, nullptr, request.progress});
    }
    return;
  }
  for (const std::string& id : list) {
    if (stop_) return;
    FrameworkRef<framework::XmlElement> subpackage =
        config_element::ChildWithAttribute(request.element, "subpackage", "ID", id);
    if (!subpackage) continue;
    InstallPackage(
        Request{subpackage.get(), request.config, request.logs, nullptr, request.progress});
  }
}

void PackageWalk::SetModelDirectory(framework::XmlElement* package) {
  model_directory_.clear();
  if (!EqualIgnoringCase(AnsiAttribute(package, "oxu_model"), "private")) return;
  if (config_element::HasAttribute(package, "oxu_dir") &&
      variables_.ExpandVariables(AnsiAttribute(package, "oxu_dir").c_str(), &model_directory_)) {
    return;
  }
  if (!variables_.Lookup("instdir", &model_directory_)) model_directory_.clear();
}
