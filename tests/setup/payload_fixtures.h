// Builders for payload tests: zip archives with chosen entries, finished
// setup files (stub + archive + trailer), signed-layout files and a
// throw-away folder.
#pragma once

#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "setup/crc32_mpeg2.h"
#include "setup/payload_locator.h"

namespace payload_test {

using Bytes = std::vector<uint8_t>;

struct ZipEntry {
  std::string name;  // ending in "/" makes a directory entry
  std::string data;
  bool deflated = true;
};

class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    std::error_code error;
    path_ = std::filesystem::temp_directory_path(error) /
            ("qorva_payload_test_" + std::to_string(++counter) + "_" +
             std::to_string(reinterpret_cast<uintptr_t>(this) & 0xFFFFFF));
    std::filesystem::remove_all(path_, error);
    std::filesystem::create_directories(path_, error);
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // The folder with "\" separators, as installer paths are written.
  std::string InstallerPath() const {
    std::string text = path_.string();
    for (char& c : text) {
      if (c == '/') c = '\\';
    }
    return text;
  }

 private:
  std::filesystem::path path_;
};

inline Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline Bytes MakeZip(const std::vector<ZipEntry>& entries) {
  TempFolder folder;
  const std::string path = folder.File("archive.zip");
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return {};
  for (const ZipEntry& entry : entries) {
    zip_fileinfo info = {};
    zipOpenNewFileInZip64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                          entry.deflated ? Z_DEFLATED : 0,
                          entry.deflated ? Z_DEFAULT_COMPRESSION : 0, 0);
    if (!entry.data.empty()) {
      zipWriteInFileInZip(zip, entry.data.data(), unsigned(entry.data.size()));
    }
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
  return ReadAll(path);
}

inline Bytes Trailer(uint32_t length, uint32_t checksum) {
  Bytes trailer(kPayloadTrailerSize);
  WritePayloadTrailer(length, checksum, trailer.data());
  return trailer;
}

inline void Append(Bytes* to, const Bytes& bytes) {
  to->insert(to->end(), bytes.begin(), bytes.end());
}

// stub + archive + trailer, as mkinstaller writes it.
inline Bytes MakeSetupFile(const Bytes& archive, const Bytes& stub = Bytes(64, 0x90)) {
  Bytes file = stub;
  Append(&file, archive);
  Append(&file, Trailer(uint32_t(archive.size()), Crc32Mpeg2(archive.data(), archive.size())));
  return file;
}

inline void PutLe16(Bytes* b, size_t at, uint16_t v) {
  (*b)[at] = uint8_t(v);
  (*b)[at + 1] = uint8_t(v >> 8);
}

inline void PutLe32(Bytes* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = uint8_t(v >> (8 * i));
}

inline uint32_t ReadLe32(const Bytes& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | b[at + size_t(i)];
  return v;
}

// Offset of the central directory header ("PK\1\2") of the entry named
// `name`, or 0.
inline size_t FindCentralHeader(const Bytes& zip, const std::string& name) {
  for (size_t at = 0; at + 46 + name.size() <= zip.size(); ++at) {
    if (zip[at] == 'P' && zip[at + 1] == 'K' && zip[at + 2] == 1 && zip[at + 3] == 2 &&
        size_t(zip[at + 28] | (zip[at + 29] << 8)) == name.size() &&
        std::equal(name.begin(), name.end(), zip.begin() + long(at + 46))) {
      return at;
    }
  }
  return 0;
}

// The smallest file the signed-layout search accepts as a PE image: DOS
// header, "PE\0\0", file header and an optional header whose data directory
// holds the security entry. The caller fills in the entry.
struct PeStub {
  Bytes bytes;
  size_t security_entry = 0;  // offset of the security directory's (offset, size)
};

inline PeStub MakePeStub(bool pe32_plus) {
  PeStub stub;
  stub.bytes.assign(512, 0);
  stub.bytes[0] = 'M';
  stub.bytes[1] = 'Z';
  const size_t pe = 0x80;
  PutLe32(&stub.bytes, 0x3C, uint32_t(pe));
  stub.bytes[pe] = 'P';
  stub.bytes[pe + 1] = 'E';
  const uint16_t optional_size = pe32_plus ? 0xF0 : 0xE0;
  PutLe16(&stub.bytes, pe + 20, optional_size);
  const size_t optional = pe + 24;
  PutLe16(&stub.bytes, optional, pe32_plus ? 0x20B : 0x10B);
  PutLe32(&stub.bytes, optional + (pe32_plus ? 108 : 92), 16);
  stub.security_entry = optional + (pe32_plus ? 112 : 96) + 4 * 8;
  return stub;
}

// PE stub + archive + trailer + `padding` bytes + a certificate table of
// `table_size` bytes, with the security entry pointing at the table.
inline Bytes MakeSignedFile(const Bytes& archive, bool pe32_plus, const Bytes& padding,
                            size_t table_size = 40) {
  PeStub stub = MakePeStub(pe32_plus);
  Bytes file = MakeSetupFile(archive, stub.bytes);
  Append(&file, padding);
  const size_t table = file.size();
  Bytes certificate(table_size, 0xA5);
  Append(&file, certificate);
  PutLe32(&file, stub.security_entry, uint32_t(table));
  PutLe32(&file, stub.security_entry + 4, uint32_t(table_size));
  return file;
}

}  // namespace payload_test
