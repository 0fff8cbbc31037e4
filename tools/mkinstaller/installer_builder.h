// Builds a finished installer: the setup.exe stub, followed by a zip archive
// of an installer project folder and the payload trailer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class InstallerBuilder {
 public:
  // Zips every file under `project_dir` (names relative to it, "/"
  // separators, deflated, no directory entries) and writes stub + archive +
  // trailer to `out_path`. On failure returns false and error() says why.
  bool Build(const std::string& project_dir, const std::string& stub_path,
             const std::string& out_path);

  const std::string& error() const { return error_; }
  size_t entry_count() const { return entry_count_; }

 private:
  bool CollectFiles(const std::string& project_dir, std::vector<std::string>* names);
  bool WriteArchive(const std::string& project_dir, const std::vector<std::string>& names,
                    const std::string& zip_path);
  bool AddEntry(void* zip, const std::string& project_dir, const std::string& name);
  bool WriteInstaller(const std::string& stub_path, const std::vector<uint8_t>& archive,
                      const std::string& out_path);
  bool Fail(const std::string& message);

  std::string error_;
  size_t entry_count_ = 0;
};
