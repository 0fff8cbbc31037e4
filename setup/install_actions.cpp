#include "setup/install_actions.h"

#include <string>

#include "setup/config_element.h"
#include "setup/entry_extraction.h"
#include "setup/framework_ref.h"
#include "setup/install_system.h"
#include "setup/os_file.h"
#include "setup/variable_table.h"

using config_element::AnsiAttribute;
using config_element::BoolAttribute;
using config_element::HasAttribute;

void InstallActions::BeginPackage(const ActionLogs& logs) {
  // Always start over: a new package's log elements may sit where the last
  // package's freed ones were.
  indexed_package_log_ = logs.package_log;
  indexed_files_log_ = logs.files_log;
  package_entries_.Reset(logs.package_log);
  shared_entries_.Reset(logs.files_log);
}

void InstallActions::EndPackage() { BeginPackage(ActionLogs()); }

void InstallActions::FollowLogs(const ActionLogs& logs) {
  if (logs.package_log != indexed_package_log_ || logs.files_log != indexed_files_log_) {
    BeginPackage(logs);
  }
}

bool InstallActions::Expand(framework::XmlElement* element, const char* attribute,
                            std::string* expanded) const {
  return HasAttribute(element, attribute) &&
         variables_.ExpandVariables(AnsiAttribute(element, attribute).c_str(), expanded);
}

framework::XmlElement* InstallActions::PackageFileEntry(const std::wstring& path,
                                                        bool* alreadyLogged) {
  return package_entries_.FindOrAppend("file", "path", path, alreadyLogged);
}

// A shared item is counted once for each package that logs it for the first time.
void InstallActions::CountShared(const std::wstring& path, bool alreadyLogged) {
  bool found = false;
  framework::XmlElement* entry = shared_entries_.FindOrAppend("file", "path", path, &found);
  if (entry == nullptr) return;
  if (!found) {
    entry->SetAttribute("RefCount", L"1");
  } else if (!alreadyLogged) {
    const int32_t count = entry->GetAttributeInt("RefCount");
    entry->RemoveAttribute("RefCount");
    entry->SetAttribute("RefCount", std::to_wstring(static_cast<int64_t>(count) + 1).c_str());
  }
}

void InstallActions::Delete(framework::XmlElement* element, const ActionLogs&) {
  std::string path;
  if (Expand(element, "dest", &path)) system_.RemoveFile(path);
}

void InstallActions::RunProcess(framework::XmlElement* element, const ActionLogs&) {
  std::string application;
  if (!Expand(element, "application", &application)) return;
  const std::string options = AnsiAttribute(element, "options");
  const bool wait = BoolAttribute(element, "wait", false);
  if (!system_.RunArchivedProgram(application, options, wait)) {
    system_.ShowMessage(AnsiAttribute(element, "error"), "Error");
  }
}

void InstallActions::File(framework::XmlElement* element, const ActionLogs& logs) {
  FollowLogs(logs);
  std::string destination;
  if (!Expand(element, "dest", &destination)) return;
  const std::wstring path = os_file::WidenAnsi(destination.c_str());
  bool alreadyLogged = false;
  framework::XmlElement* entry = PackageFileEntry(path, &alreadyLogged);
  const std::string source = AnsiAttribute(element, "source");
  ExtractEntryFrom(archive_, variables_, destination.c_str(), source.c_str(), logs.package_log);
  if (logs.files_log != nullptr && BoolAttribute(element, "shared", false)) {
    CountShared(path, alreadyLogged);
  }
  if (BoolAttribute(element, "oxureg", false)) {
    const std::string model = logs.model_directory != nullptr ? *logs.model_directory : "";
    if (system_.RegisterLibrary(destination, model, 2) && !alreadyLogged && entry != nullptr) {
      entry->SetAttribute("OxuRegister", L"true");
    }
  }
}

void InstallActions::Font(framework::XmlElement* element, const ActionLogs& logs) {
  FollowLogs(logs);
  std::string destination, source;
  const bool expanded = Expand(element, "dest", &destination) && Expand(element, "source", &source);
  if (!expanded || destination.empty() || source.empty() ||
      AnsiAttribute(element, "description").empty()) {
    return;
  }
  const std::wstring path = os_file::WidenAnsi(destination.c_str());
  bool alreadyLogged = false;
  PackageFileEntry(path, &alreadyLogged);
  ExtractEntryFrom(archive_, variables_, destination.c_str(), source.c_str(), logs.package_log);
  if (logs.files_log != nullptr) CountShared(path, alreadyLogged);
  system_.AddFont(destination);
}

void InstallActions::Link(framework::XmlElement* element, const ActionLogs& logs) {
  FollowLogs(logs);
  std::string target, link, description, workingFolder;
  if (!Expand(element, "target", &target)) target.clear();
  if (!Expand(element, "path", &link)) link.clear();
  if (!Expand(element, "description", &description)) description.clear();
  if (!Expand(element, "workingdir", &workingFolder)) workingFolder.clear();
  bool found = false;
  PackageFileEntry(os_file::WidenAnsi(link.c_str()), &found);
  const size_t separator = link.find_last_of("\\/");
  if (separator != std::string::npos && separator > 0) {
    const std::string folder = link.substr(0, separator);
    if (EnsureDirectory(folder.c_str()) == kDirectoryCreated) {
      package_entries_.FindOrAppend("dir", "path", os_file::WidenAnsi(folder.c_str()), &found);
    }
  }
  system_.CreateShortcut(target, link, description, workingFolder);
}

void InstallActions::RegEntry(framework::XmlElement* element, const ActionLogs& logs) {
  RegistryWriteRequest request;
  request.root = AnsiAttribute(element, "root");
  request.key_path = AnsiAttribute(element, "dest");
  request.has_value_name = HasAttribute(element, "key");
  request.value_name = AnsiAttribute(element, "key");
  request.has_data = Expand(element, "value", &request.text);
  request.package_log = logs.package_log;
  if (BoolAttribute(element, "shared", false)) request.files_log = logs.files_log;
  if (system_.WriteRegistryEntry(request) != 0) {
    system_.ShowMessage("Failed to set registry key!\n" + request.message, "Error");
  }
}

void InstallActions::RegisterExtension(framework::XmlElement* element, const ActionLogs& logs) {
  FileTypeRequest request;
  request.extension = AnsiAttribute(element, "ext");
  request.type_name = AnsiAttribute(element, "type");
  request.description = AnsiAttribute(element, "description");
  if (!Expand(element, "command", &request.command)) request.command.clear();
  request.has_icon = Expand(element, "icon", &request.icon);
  request.verb = AnsiAttribute(element, "action");
  FrameworkRef<framework::XmlElement> dde = config_element::Child(element, "ddeexec", 0);
  if (dde) {
    request.has_dde = true;
    request.dde_format = AnsiAttribute(dde.get(), "format");
    request.dde_application = AnsiAttribute(dde.get(), "application");
  }
  request.package_log = logs.package_log;
  if (!system_.RegisterFileType(request)) {
    system_.ShowMessage("Failed to register extension handler!\n" + request.message, "Error");
  }
}
