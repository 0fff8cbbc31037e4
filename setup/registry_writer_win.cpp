#include "setup/registry_writer_win.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "setup/config_element.h"
#include "setup/framework_ref.h"
#include "setup/os_file.h"
#include "setup/registry_root_win.h"
#include "setup/system_services.h"

namespace registry_writer {

namespace {

constexpr DWORD kUnknownRootError = 13;
constexpr DWORD kEditFlags = 0x00010000;

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY* Out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::string SystemText(LONG code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length > 0 && text != nullptr ? std::string(text, length) : std::string();
  if (text != nullptr) LocalFree(text);
  return result;
}

const char* ValueName(const RegistryWriteRequest& request) {
  return request.has_value_name ? request.value_name.c_str() : nullptr;
}

// The log's "WinRegister" child for the request's key path and value name:
// an absent or empty "key" matches only a request without value name.
FrameworkRef<framework::XmlElement> LoggedWrite(framework::XmlElement* log,
                                                const RegistryWriteRequest& request) {
  const std::wstring path = os_file::WidenAnsi(request.key_path.c_str());
  const int32_t count = log->CountChildrenWithAttribute("WinRegister", "dest", path.c_str());
  for (int32_t i = 0; i < count; ++i) {
    FrameworkRef<framework::XmlElement> entry;
    if (framework::Failed(
            log->GetChildWithAttribute("WinRegister", "dest", path.c_str(), i, entry.Out())) ||
        !entry) {
      continue;
    }
    const std::string key = config_element::AnsiAttribute(entry.get(), "key");
    const bool matches = key.empty() ? !request.has_value_name
                                     : request.has_value_name && config_element::EqualIgnoringCase(
                                                                     key, request.value_name);
    if (matches) return entry;
  }
  return FrameworkRef<framework::XmlElement>();
}

FrameworkRef<framework::XmlElement> AppendWrite(framework::XmlElement* log,
                                                const RegistryWriteRequest& request) {
  FrameworkRef<framework::XmlElement> entry;
  if (framework::Failed(log->AppendChild("WinRegister", entry.Out())) || !entry) {
    return FrameworkRef<framework::XmlElement>();
  }
  entry->SetAttribute("root", os_file::WidenAnsi(request.root.c_str()).c_str());
  if (!request.key_path.empty()) {
    entry->SetAttribute("dest", os_file::WidenAnsi(request.key_path.c_str()).c_str());
  }
  if (request.has_value_name) {
    entry->SetAttribute("key", os_file::WidenAnsi(request.value_name.c_str()).c_str());
  }
  return entry;
}

// Reads the value the write is about to replace; false when there is none.
bool ReadOldValue(HKEY root, const RegistryWriteRequest& request, DWORD* type,
                  std::vector<BYTE>* data) {
  RegistryKey key;
  if (RegOpenKeyExA(root, request.key_path.c_str(), 0, KEY_ALL_ACCESS, key.Out()) !=
      ERROR_SUCCESS) {
    return false;
  }
  data->assign(256, 0);
  DWORD size = static_cast<DWORD>(data->size());
  LONG result = RegQueryValueExA(key.get(), ValueName(request), nullptr, type, data->data(), &size);
  if (result == ERROR_MORE_DATA) {
    data->assign(size, 0);
    result = RegQueryValueExA(key.get(), ValueName(request), nullptr, type, data->data(), &size);
  }
  if (result != ERROR_SUCCESS) return false;
  data->resize(size);
  return true;
}

// Keeps the replaced value under "<key path>\TervixUIPrev" unless a backup
// key exists already there, so the first value backed up survives.
int32_t BackUpOldValue(HKEY root, RegistryWriteRequest& request) {
  DWORD type = 0;
  std::vector<BYTE> old;
  if (!ReadOldValue(root, request, &type, &old)) return 0;
  RegistryKey backup;
  DWORD disposition = 0;
  LONG result =
      RegCreateKeyExA(root, (request.key_path + "\\TervixUIPrev").c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, backup.Out(), &disposition);
  if (result == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY) {
    result = RegSetValueExA(backup.get(), ValueName(request), 0, type, old.data(),
                            static_cast<DWORD>(old.size()));
  }
  if (result != ERROR_SUCCESS) {
    request.message = "Error : Could not store old value.\n" + SystemText(result);
    return result;
  }
  return 0;
}

LONG SetValue(HKEY key, const RegistryWriteRequest& request) {
  if (request.type != RegistryWriteRequest::kString) {
    return RegSetValueExA(key, ValueName(request), 0, request.type, request.bytes.data(),
                          static_cast<DWORD>(request.bytes.size()));
  }
  if (UsesWideCalls()) {
    const std::wstring text = os_file::WidenAnsi(request.text.c_str());
    const std::wstring name = os_file::WidenAnsi(request.value_name.c_str());
    return RegSetValueExW(key, request.has_value_name ? name.c_str() : nullptr, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  return RegSetValueExA(key, ValueName(request), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(request.text.c_str()),
                        static_cast<DWORD>(request.text.size() + 1));
}

void LogWrite(RegistryWriteRequest& request, bool created) {
  FrameworkRef<framework::XmlElement> entry = AppendWrite(request.package_log, request);
  if (entry) entry->SetAttribute("created", created ? L"true" : L"false");
  if (request.files_log == nullptr) return;
  FrameworkRef<framework::XmlElement> shared = LoggedWrite(request.files_log, request);
  if (!shared) {
    shared = AppendWrite(request.files_log, request);
    if (shared) shared->SetAttribute("RefCount", L"1");
    return;
  }
  const int32_t count = shared->GetAttributeInt("RefCount");
  shared->RemoveAttribute("RefCount");
  shared->SetAttribute("RefCount", std::to_wstring(static_cast<int64_t>(count) + 1).c_str());
}

// One write of a file-type registration under the classes root.
bool WriteClassesValue(FileTypeRequest& request, const std::string& key, const char* valueName,
                       const std::string* text, const std::string& failure) {
  RegistryWriteRequest write;
  write.root = "HKEY_CLASSES_ROOT";
  write.key_path = key;
  write.has_value_name = valueName != nullptr;
  if (valueName != nullptr) write.value_name = valueName;
  write.has_data = text != nullptr;
  if (text != nullptr) write.text = *text;
  write.package_log = request.package_log;
  if (WriteRegistryEntry(write) == 0) return true;
  request.message = failure + write.message;
  return false;
}

bool WriteEditFlags(FileTypeRequest& request) {
  RegistryWriteRequest write;
  write.root = "HKEY_CLASSES_ROOT";
  write.key_path = request.type_name;
  write.has_value_name = true;
  write.value_name = "EditFlags";
  write.has_data = true;
  write.type = RegistryWriteRequest::kBinary;
  write.bytes = {static_cast<uint8_t>(kEditFlags), static_cast<uint8_t>(kEditFlags >> 8),
                 static_cast<uint8_t>(kEditFlags >> 16), static_cast<uint8_t>(kEditFlags >> 24)};
  write.package_log = request.package_log;
  if (WriteRegistryEntry(write) == 0) return true;
  request.message = "Failed to set EditFlags for file type - " + write.message;
  return false;
}

}  // namespace

int32_t WriteRegistryEntry(RegistryWriteRequest& request) {
  const HKEY root = RegistryRootKey(MapRegistryRoot(request.root.c_str()));
  if (root == nullptr) {
    request.message = "Error : Unknown registry root.";
    return kUnknownRootError;
  }
  const bool logging = request.package_log != nullptr;
  const bool alreadyLogged = logging && LoggedWrite(request.package_log, request);
  if (logging && !alreadyLogged) {
    const int32_t backedUp = BackUpOldValue(root, request);
    if (backedUp != 0) return backedUp;
  }
  RegistryKey key;
  DWORD disposition = 0;
  LONG result = RegCreateKeyExA(root, request.key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, key.Out(), &disposition);
  if (result != ERROR_SUCCESS) {
    request.message = "Error : Failed to create or open key.\n" + SystemText(result);
    return result;
  }
  if (request.has_data && (result = SetValue(key.get(), request)) != ERROR_SUCCESS) {
    request.message = "Error : Failed to set key value.\n" + SystemText(result);
    return result;
  }
  if (logging && !alreadyLogged) LogWrite(request, disposition == REG_CREATED_NEW_KEY);
  request.message = "Success.";
  return 0;
}

bool RegisterFileType(FileTypeRequest& request) {
  if (!GetPlatformFacts().version_obtained) {
    request.message = "Failed to get OS info.";
    return false;
  }
  const std::string verb = request.verb.empty() ? "Open" : request.verb;
  const std::string verbKey = request.type_name + "\\shell\\" + verb;
  char verbFailure[512];
  std::snprintf(verbFailure, sizeof verbFailure, "Failed to create %s action - ", verb.c_str());
  const std::string system = "System";
  bool written =
      WriteClassesValue(request, request.extension, nullptr, &request.type_name,
                        "Failed to create extension key - ") &&
      WriteClassesValue(request, request.type_name, nullptr, &request.description, "") &&
      WriteEditFlags(request) &&
      (!request.has_icon || WriteClassesValue(request, request.type_name + "\\DefaultIcon", nullptr,
                                              &request.icon, "Failed to register icon - ")) &&
      WriteClassesValue(request, request.type_name + "\\shell", nullptr, nullptr,
                        "Failed to create shell key - ") &&
      WriteClassesValue(request, verbKey, nullptr, &request.command, verbFailure) &&
      WriteClassesValue(request, verbKey + "\\command", nullptr, &request.command,
                        "Failed to create command key - ");
  if (written && request.has_dde) {
    const char* kDdeFailure = "Failed to register DDE execution data - ";
    written =
        WriteClassesValue(request, verbKey + "\\ddeexec", nullptr, &request.dde_format,
                          kDdeFailure) &&
        WriteClassesValue(request, verbKey + "\\ddeexec\\Application", nullptr,
                          &request.dde_application, kDdeFailure) &&
        WriteClassesValue(request, verbKey + "\\ddeexec\\Topic", nullptr, &system, kDdeFailure);
  }
  if (!written) return false;
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return true;
}

}  // namespace registry_writer
