#include "setup/earlier_installation.h"

#include "setup/uninstall_log.h"

namespace {

constexpr wchar_t kProgramFile[] = L"corvana2.exe";

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; }

bool ContainsIgnoringCase(const std::wstring& text, const std::wstring& part) {
  if (part.size() > text.size()) return false;
  for (size_t start = 0; start + part.size() <= text.size(); ++start) {
    size_t i = 0;
    while (i < part.size() && AsciiLower(text[start + i]) == part[i]) ++i;
    if (i == part.size()) return true;
  }
  return false;
}

// The index-th child of that name with a reference, or null.
framework::XmlElement* Child(framework::XmlElement* parent, const char* name, int32_t index) {
  framework::XmlElement* child = nullptr;
  if (parent == nullptr || framework::Failed(parent->GetChild(name, index, &child))) {
    return nullptr;
  }
  return child;
}

bool FindInPackage(framework::XmlElement* package, std::wstring* path) {
  int32_t files = package->CountChildren("file");
  for (int32_t index = 0; index < files; ++index) {
    framework::XmlElement* file = Child(package, "file", index);
    if (file == nullptr) continue;
    const wchar_t* text = file->GetAttributeText("path");
    bool found = text != nullptr && ContainsIgnoringCase(text, kProgramFile);
    if (found) *path = text;
    file->Release();
    if (found) return true;
  }
  return false;
}

bool FindProgramPath(framework::XmlElement* packages, std::wstring* path) {
  int32_t count = packages->CountChildren("package");
  for (int32_t index = 0; index < count; ++index) {
    framework::XmlElement* package = Child(packages, "package", index);
    if (package == nullptr) continue;
    bool found = FindInPackage(package, path);
    package->Release();
    if (found) return true;
  }
  return false;
}

}  // namespace

bool FindEarlierInstallDirectory(framework::XmlElement* documentElement, std::wstring* folder) {
  framework::XmlElement* log = Child(documentElement, "UninstallLog", 0);
  framework::XmlElement* packages = Child(log, "packages", 0);
  std::wstring path;
  bool found = packages != nullptr && FindProgramPath(packages, &path);
  if (packages != nullptr) packages->Release();
  if (log != nullptr) log->Release();
  if (!found) return false;
  size_t separator = path.find_last_of(L"\\/");
  *folder = separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator);
  return true;
}

bool FindEarlierInstallDirectoryInLog(FrameworkFactory& factory, const std::wstring& logPath,
                                      std::wstring* folder) {
  framework::XmlDocument* document = UninstallLog::LoadDocument(factory, logPath);
  if (document == nullptr) return false;
  framework::XmlElement* root = nullptr;
  bool found = !framework::Failed(document->GetDocumentElement(&root)) && root != nullptr &&
               FindEarlierInstallDirectory(root, folder);
  if (root != nullptr) root->Release();
  document->Release();
  return found;
}
