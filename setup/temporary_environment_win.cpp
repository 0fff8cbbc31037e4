#include "setup/temporary_environment.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "setup/entry_extraction.h"
#include "setup/message_sink.h"
#include "setup/private_folder_security.h"
#include "setup/variable_table.h"

namespace {

constexpr unsigned kMostFolderTries = 0x10000;

bool IsDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string TemporaryFolder() {
  char buffer[MAX_PATH + 1] = "";
  DWORD length = GetTempPathA(sizeof(buffer), buffer);
  if (length == 0 || length >= sizeof(buffer)) return std::string();
  return std::string(buffer, length);
}

std::wstring AnsiToWide(const std::string& text) {
  int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (size <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(size));
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), size);
  return std::wstring(buffer.data());
}

// Deletes what the folder holds, continuing past failures, then the folder.
void DeleteFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      const DWORD attributes = found.dwFileAttributes;
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // A junction or link: remove the link, never what it points at.
        RemoveDirectoryA(path.c_str());
      } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteFolder(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

const TemporaryEnvironment::Library TemporaryEnvironment::kLibraries[6] = {
    {"tervix_oxu", "oxu.dll"},       {"tervix_ioweave", "ioweave.dll"},
    {"tervix_korrab", "korrab.dll"}, {"tervix_planex", "planex.dll"},
    {"tervix_pixway", "pixway.dll"}, {"tervix_tvx", "tvx.dll"},
};

bool TemporaryEnvironment::CreateFreshFolder(const std::string& temp, std::string* folder) {
  if (temp.empty()) return false;
  std::string base = temp;
  if (base.back() == '\\') base.pop_back();
  PrivateFolderSecurity security;
  if (!security.usable()) return false;
  auto* attributes = static_cast<SECURITY_ATTRIBUTES*>(security.attributes());
  for (unsigned n = 0; n < kMostFolderTries; ++n) {
    char suffix[32];
    std::snprintf(suffix, sizeof(suffix), "%c%s%x", '\\', "trvxtmp~", n);
    const std::string candidate = base + suffix;
    if (CreateDirectoryA(candidate.c_str(), attributes)) {
      *folder = candidate;
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool TemporaryEnvironment::CreateFolder() {
  const std::string temp = TemporaryFolder();
  if (temp.empty()) return false;
  const std::string withoutSeparator = temp.back() == '\\' ? temp.substr(0, temp.size() - 1) : temp;
  if (!IsDirectory(withoutSeparator)) return false;
  return CreateFreshFolder(temp, &folder_);
}

// Each library gets the folder's security itself too: a file normally takes
// it over from the folder, but not everywhere (Wine gives new files the
// Unix default), and the framework must not be readable or replaceable by
// anyone else.
bool TemporaryEnvironment::ExtractLibraries() {
  PrivateFolderSecurity security;
  for (const Library& library : kLibraries) {
    std::string destination = folder_ + "\\" + library.file;
    if (!ExtractEntryFrom(archive_, variables_, destination.c_str(), library.entry, nullptr) ||
        !security.ApplyTo(destination.c_str())) {
      return false;
    }
  }
  return true;
}

bool TemporaryEnvironment::SetUpEnvironment() {
  if (!CreateFolder()) return false;
  SetEnvironmentVariableA("OXU_SHARED_PATH", (folder_ + "\\oxu.dll").c_str());
  SetEnvironmentVariableA("OXU_LIBRARY_PATH", (folder_ + "\\oxulib.conf").c_str());
  if (!ExtractLibraries()) return false;
  if (!binding_.Bind(FrameworkBinding::FindSharedPath())) return false;
  for (const Library& library : kLibraries) {
    if (std::string(library.file) == "oxu.dll") continue;
    RegisterLibrary((folder_ + "\\" + library.file).c_str(), nullptr, 0);
  }
  return true;
}

void TemporaryEnvironment::TearDownEnvironment() {
  binding_.Unbind();
  if (folder_.empty()) return;
  DeleteFolder(folder_);
  folder_.clear();
}

bool TemporaryEnvironment::RegisterLibrary(const char* path, const wchar_t* modelDirectory,
                                           int kind) {
  std::string expanded;
  if (!variables_.ExpandVariables(path, &expanded)) return false;
  framework::Registrar* registrar = nullptr;
  if (framework::Failed(binding_.CreateInstance(framework::kRegistrarClassId,
                                                framework::kRegistrarId,
                                                reinterpret_cast<void**>(&registrar))) ||
      registrar == nullptr) {
    return false;
  }
  std::wstring widePath = AnsiToWide(expanded);
  bool registered = registrar->Register(1, widePath.c_str(), kind, modelDirectory) == 0;
  registrar->Release();
  if (!registered) {
    std::wstring text = L"Registration Failed for \"" + widePath + L"\"";
    messages_.ShowWideMessage(text.c_str(), L"Error");
  }
  return registered;
}
