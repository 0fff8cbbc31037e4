// The installer's archive object: a zip archive read through a DataStream,
// with the framework's object conventions and slot order, because the
// framework reads the markup and its images through this same object.
// Entry names are compared case-sensitively; directory entries are not listed.
//
// Safe for several threads: the zip reader keeps one current entry, so every
// operation holds the archive's lock for its whole length (the GUI thread
// reads the window's images while the install worker extracts). Entry names
// handed out point at the archive's own copy of each name, which stays put
// until the archive is closed, whatever other threads read meanwhile.
//
// Each entry's place in the zip directory is remembered when the archive
// opens, so a lookup goes straight to its entry instead of scanning the
// directory from the start (and names of any length are found). When the
// archive lies in memory (the payload), an entry's data is inflated straight
// from there into its buffer in one call and checked against its size and
// CRC; other archives are read through the zip reader.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>
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

  // Entry name at `index` (archive order), or null when out of range. The
  // text belongs to the archive and stays valid until it closes.
  const char* EntryName(uint32_t index);

 private:
  // Where an entry sits in the zip directory, and what the directory says
  // about it (read once when the archive opens).
  struct EntryPlace {
    uint64_t directory_offset = 0;
    uint64_t file_number = 0;
    uint64_t uncompressed_size = 0;
    uint64_t compressed_size = 0;
    uint32_t method = 0;
    uint32_t crc = 0;
    bool compressed = false;
  };

  PackageArchive() = default;
  ~PackageArchive();

  // Each of these expects the lock to be held.
  bool OpenLocked(const ::DataStream* stream);
  bool CloseLocked();
  bool ListEntries();
  // The entry and the archive's copy of its name, or false.
  bool FindEntry(const char* name, const EntryPlace** place, const char** stored_name) const;
  bool ListedEntry(uint32_t index, const EntryPlace** place, const char** stored_name) const;
  static bool FillInfo(const EntryPlace& place, const char* stored_name,
                       framework::ArchiveEntryInfo* info);
  uint32_t ReadPlace(const EntryPlace& place, uint8_t** buffer);
  bool ReadThroughZipReader(const EntryPlace& place, uint8_t* bytes);
  bool DataInMemory(const EntryPlace& place, uint64_t* start) const;
  bool InflateFromMemory(const EntryPlace& place, uint64_t start, uint8_t* bytes) const;

  std::atomic<int32_t> references_{0};
  std::mutex lock_;
  DataStream source_;
  void* zip_ = nullptr;  // unzFile
  // Every whole entry name (directories too) to its entry; a name that
  // appears twice keeps its first entry, as a directory scan would find.
  std::unordered_map<std::string, EntryPlace> by_name_;
  // The listed entries in archive order: file entries only. A name longer
  // than the name buffer is listed cut; it is reached by index only.
  std::vector<std::string> names_;
  std::vector<EntryPlace> listed_;
  std::wstring display_name_;
  bool has_display_name_ = false;
  // Names are read into 0x8001 bytes; zip allows up to 0xFFFF, and the reader
  // leaves a name that fills the buffer unterminated, so one more byte holds
  // the terminator.
  char name_buffer_[0x8001 + 1] = {};
};
