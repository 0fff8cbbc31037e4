// The installer's archive object: a zip archive read through a DataStream,
// with the framework's object conventions and slot order, because the
// framework reads the markup and its images through this same object.
// Entry names are compared case-sensitively; directory entries are not listed.
// The zip reader keeps one current entry, so callers must not read from two
// threads at the same moment.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/interfaces.h"
#include "setup/data_stream.h"

class PackageArchive final : public framework::Archive {
 public:
  // Starts with no references: the creator calls AddRef.
  static PackageArchive* Create();

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  int32_t FRAMEWORK_CALL GetEntryInfo(const char* name, framework::ArchiveEntryInfo* info) override;
  uint32_t FRAMEWORK_CALL ReadEntry(const char* name, uint8_t** buffer) override;
  void FRAMEWORK_CALL FreeBuffer(uint8_t* buffer) override;
  void FRAMEWORK_CALL GetName(const wchar_t** name) override;
  void FRAMEWORK_CALL SetName(const wchar_t* name) override;
  int32_t FRAMEWORK_CALL OpenStream(const ::DataStream* stream) override;
  int32_t FRAMEWORK_CALL OpenFileW(const wchar_t* path) override;
  int32_t FRAMEWORK_CALL OpenFileA(const char* path) override;
  int32_t FRAMEWORK_CALL Close() override;
  uint32_t FRAMEWORK_CALL GetEntryCount() override;
  int32_t FRAMEWORK_CALL GetEntryInfoAt(uint32_t index, framework::ArchiveEntryInfo* info) override;
  uint32_t FRAMEWORK_CALL ReadEntryAt(uint32_t index, uint8_t** buffer) override;

  // Entry name at `index` (archive order), or null when out of range.
  const char* EntryName(uint32_t index) const;

 private:
  PackageArchive() = default;
  ~PackageArchive();

  bool ListEntries();
  // Makes the named entry current and fills name_buffer_ and *info.
  bool LocateEntry(const char* name, framework::ArchiveEntryInfo* info);

  std::atomic<int32_t> references_{0};
  DataStream source_;
  void* zip_ = nullptr;  // unzFile
  std::vector<std::string> names_;
  std::wstring display_name_;
  bool has_display_name_ = false;
  // Names are read into 0x8001 bytes; zip allows up to 0xFFFF, and the reader
  // leaves a name that fills the buffer unterminated, so one more byte holds
  // the terminator (longer names are cut).
  char name_buffer_[0x8001 + 1] = {};
};
