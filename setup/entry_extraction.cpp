#include "setup/entry_extraction.h"

#include <string>

#include "setup/data_stream.h"
#include "setup/os_file.h"
#include "setup/package_archive.h"
#include "setup/payload.h"
#include "setup/variable_table.h"

namespace {

// The longest prefix of `path` that ends in "\" and is an existing directory;
// 0 when there is none.
size_t ExistingPrefixLength(const std::string& path) {
  for (size_t i = path.size(); i-- > 0;) {
    if (path[i] == '\\' && os_file::IsDirectory(path.substr(0, i + 1).c_str())) return i + 1;
  }
  return 0;
}

// Creates every level of `path` after the first `existing` characters, which
// name a directory that is there already; true when the last level was newly
// created. Levels that exist already are passed over.
bool CreateChain(const std::string& path, size_t existing) {
  bool exists = false;
  for (size_t i = existing > 0 ? existing : 1; i < path.size(); ++i) {
    if (path[i] == '\\') os_file::MakeDirectory(path.substr(0, i).c_str(), &exists);
  }
  return os_file::MakeDirectory(path.c_str(), &exists);
}

void LogCreatedDirectory(framework::XmlElement* log, const std::string& directory) {
  framework::XmlElement* dir = nullptr;
  if (framework::Failed(log->AppendChild("dir", &dir)) || !dir) return;
  dir->SetAttribute("path", os_file::WidenAnsi(directory.c_str()).c_str());
  dir->Release();
}

bool WriteFile(const std::string& path, const uint8_t* bytes, uint32_t size) {
  DataStream file;
  if (!file.OpenFile(path.c_str(), stream_flags::kExtractedFile)) return false;
  return file.Write(bytes, size) == size;
}

}  // namespace

EnsureDirectoryResult EnsureDirectory(const char* path) {
  std::string full(path ? path : "");
  if (full.find('\\') == std::string::npos) return kDirectoryUnchanged;
  if (os_file::IsDirectory(full.c_str())) return kDirectoryNotCreated;
  for (char& c : full) {
    if (c == '/') c = '\\';
  }
  return CreateChain(full, ExistingPrefixLength(full)) ? kDirectoryCreated : kDirectoryNotCreated;
}

bool ExtractEntryFrom(framework::Archive* archive, const VariableTable& variables,
                      const char* destination, const char* entry, framework::XmlElement* log) {
  std::string path;
  if (!archive || !variables.ExpandVariables(destination, &path)) return false;
  uint8_t* bytes = nullptr;
  const uint32_t size = archive->ReadEntry(entry, &bytes);
  if (size == 0) return false;
  const size_t separator = path.find_last_of("\\/");
  if (separator != std::string::npos && separator > 0) {
    const std::string directory = path.substr(0, separator);
    if (EnsureDirectory(directory.c_str()) == kDirectoryCreated && log) {
      LogCreatedDirectory(log, directory);
    }
  }
  const bool written = WriteFile(path, bytes, size);
  archive->FreeBuffer(bytes);
  return written;
}

bool ExtractEntry(const char* destination, const char* entry, framework::XmlElement* log) {
  return ExtractEntryFrom(PayloadArchive(), InstallerVariables(), destination, entry, log);
}
