// Fixtures for the install tests: the real XML document of ioweave behind
// setup's factory seam, and a real PackageArchive over a zip written for the
// test.
#pragma once

#include <string>
#include <vector>

#include "framework/interfaces.h"
#include "framework/ioweave/ioweave_factory.h"
#include "setup/framework_factory.h"
#include "setup/package_archive.h"
#include "tests/setup/payload_fixtures.h"

namespace install_test {

// ioweave's XML documents; every other class is refused.
class IoweaveFactory final : public FrameworkFactory {
 public:
  int32_t CreateInstance(const framework::Guid& classId, const framework::Guid& interfaceId,
                         void** object, framework::Object* outer) override {
    return CreateIoweaveInstance(&classId, &interfaceId, object, outer);
  }
};

// A zip of the given entries in a folder of its own, opened as the archive.
class ArchiveFile {
 public:
  explicit ArchiveFile(const std::vector<payload_test::ZipEntry>& entries) {
    const std::string path = folder_.File("payload.zip");
    payload_test::WriteAll(path, payload_test::MakeZip(entries));
    archive_ = PackageArchive::Create();
    archive_->AddRef();
    opened_ = archive_->OpenFileA(path.c_str()) != 0;
  }
  ~ArchiveFile() { archive_->Release(); }
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  PackageArchive* get() const { return archive_; }
  bool opened() const { return opened_; }

 private:
  payload_test::TempFolder folder_;
  PackageArchive* archive_ = nullptr;
  bool opened_ = false;
};

// The configuration "index" wrapped in its top-level element.
inline std::vector<payload_test::ZipEntry> IndexEntry(const std::string& packages) {
  return {
      {"index", "<?xml version=\"1.0\"?>\n<InstallerConfig>" + packages + "</InstallerConfig>"}};
}

}  // namespace install_test
