// Fuzz target for setup's payload parsing: the trailer search (including the
// PE headers of a signed installer) and the zip directory and entries read
// through PackageArchive from a memory stream.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "setup/data_stream.h"
#include "setup/package_archive.h"
#include "setup/payload_locator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PayloadLocation location;
  LocatePayload(data, size, &location);

  // The archive reader sees the input as the archive bytes, as the payload
  // code hands them over once the trailer checks out.
  std::vector<uint8_t> bytes(data, data + size);
  DataStream memory;
  memory.AttachMemory(bytes.data(), bytes.size());
  PackageArchive* archive = PackageArchive::Create();
  archive->AddRef();
  if (archive->OpenStream(&memory)) {
    for (uint32_t i = 0; i < archive->GetEntryCount(); ++i) {
      framework::ArchiveEntryInfo info;
      archive->GetEntryInfoAt(i, &info);
      uint8_t* entry = nullptr;
      archive->ReadEntryAt(i, &entry);
      archive->FreeBuffer(entry);
    }
  }
  archive->Release();
  return 0;
}
