// mkinstaller: turns an installer project folder into a finished setup.exe,
// and checks a finished one the way setup.exe itself does.
//   mkinstaller build PROJECT_DIR STUB OUT
//   mkinstaller verify SETUP
#include <cstdio>
#include <cstring>

#include "setup/package_archive.h"
#include "setup/payload.h"
#include "tools/mkinstaller/installer_builder.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: mkinstaller build PROJECT_DIR STUB OUT\n"
               "       mkinstaller verify SETUP\n");
  return 2;
}

int RunBuild(const char* project_dir, const char* stub, const char* out) {
  InstallerBuilder builder;
  if (!builder.Build(project_dir, stub, out)) {
    std::fprintf(stderr, "mkinstaller: %s\n", builder.error().c_str());
    return 1;
  }
  std::printf("%s: %zu entries\n", out, builder.entry_count());
  return 0;
}

// Lists the entries and reads each one, so a damaged entry is caught here and
// not at install time.
bool ListEntries(PackageArchive* archive) {
  bool all_readable = true;
  for (uint32_t i = 0; i < archive->GetEntryCount(); ++i) {
    framework::ArchiveEntryInfo info;
    if (!archive->GetEntryInfoAt(i, &info)) {
      std::printf("mkinstaller: entry %u unreadable\n", unsigned(i));
      all_readable = false;
      continue;
    }
    std::printf("%s %u %s\n", info.name, unsigned(info.uncompressed_size),
                info.compressed ? "deflated" : "stored");
    uint8_t* bytes = nullptr;
    const uint32_t size = archive->ReadEntryAt(i, &bytes);
    archive->FreeBuffer(bytes);
    if (size != info.uncompressed_size) {
      std::printf("mkinstaller: entry %s fails its check\n", archive->EntryName(i));
      all_readable = false;
    }
  }
  return all_readable;
}

int RunVerify(const char* setup_path) {
  PayloadFile payload;
  const PayloadStatus status = OpenPayloadFile(setup_path, &payload);
  if (status != PayloadStatus::kOk) {
    std::printf("mkinstaller: %s: %s\n", setup_path, PayloadStatusText(status));
    return 1;
  }
  const bool readable = ListEntries(payload.archive);
  ClosePayloadFile(&payload);
  if (!readable) return 1;
  std::printf("payload ok\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "build") == 0) return RunBuild(argv[2], argv[3], argv[4]);
  if (argc == 3 && std::strcmp(argv[1], "verify") == 0) return RunVerify(argv[2]);
  return Usage();
}
