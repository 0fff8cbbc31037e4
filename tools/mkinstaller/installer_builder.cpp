#include "tools/mkinstaller/installer_builder.h"

#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "setup/crc32_mpeg2.h"
#include "setup/payload_locator.h"

namespace fs = std::filesystem;

// Paths and entry names stay in the narrow (ANSI on Windows) form that the
// command line gave and that setup compares entry names in.

namespace {

constexpr size_t kCopyChunk = 1 << 16;

// Stub and archive together must stay addressable by the trailer's 32-bit length.
constexpr uint64_t kMaxInputBytes = UINT32_MAX;

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes) {
  std::error_code error;
  const uintmax_t size = fs::file_size(fs::path(path), error);
  if (error || size > kMaxInputBytes) return false;
  std::ifstream in(fs::path(path), std::ios::binary);
  if (!in) return false;
  bytes->resize(size_t(size));
  in.read(reinterpret_cast<char*>(bytes->data()), std::streamsize(size));
  return in.gcount() == std::streamsize(size);
}

}  // namespace

bool InstallerBuilder::Fail(const std::string& message) {
  error_ = message;
  return false;
}

bool InstallerBuilder::Build(const std::string& project_dir, const std::string& stub_path,
                             const std::string& out_path) {
  error_.clear();
  entry_count_ = 0;
  std::vector<std::string> names;
  if (!CollectFiles(project_dir, &names)) return false;
  const std::string zip_path = out_path + ".zip.tmp";
  std::vector<uint8_t> archive;
  const bool zipped = WriteArchive(project_dir, names, zip_path) &&
                      (ReadFileBytes(zip_path, &archive) || Fail("cannot read " + zip_path));
  std::error_code ignored;
  fs::remove(fs::path(zip_path), ignored);
  if (!zipped) return false;
  entry_count_ = names.size();
  return WriteInstaller(stub_path, archive, out_path);
}

bool InstallerBuilder::CollectFiles(const std::string& project_dir,
                                    std::vector<std::string>* names) {
  std::error_code error;
  const fs::path root = fs::path(project_dir);
  if (!fs::is_directory(root, error)) return Fail("not a folder: " + project_dir);
  for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
       it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    names->push_back(it->path().lexically_relative(root).generic_string());
  }
  if (error) return Fail("cannot list " + project_dir + ": " + error.message());
  if (names->empty()) return Fail("no files in " + project_dir);
  // A stable order makes equal projects give equal installers.
  std::sort(names->begin(), names->end());
  return true;
}

bool InstallerBuilder::WriteArchive(const std::string& project_dir,
                                    const std::vector<std::string>& names,
                                    const std::string& zip_path) {
  zipFile zip = zipOpen64(zip_path.c_str(), APPEND_STATUS_CREATE);
  if (!zip) return Fail("cannot create " + zip_path);
  bool ok = true;
  for (const std::string& name : names) {
    ok = AddEntry(zip, project_dir, name);
    if (!ok) break;
  }
  if (zipClose(zip, nullptr) != ZIP_OK && ok) return Fail("cannot finish " + zip_path);
  return ok;
}

bool InstallerBuilder::AddEntry(void* zip, const std::string& project_dir,
                                const std::string& name) {
  std::ifstream in(fs::path(project_dir) / fs::path(name), std::ios::binary);
  if (!in) return Fail("cannot read " + name);
  zip_fileinfo info = {};
  if (zipOpenNewFileInZip64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                            Z_DEFAULT_COMPRESSION, 0) != ZIP_OK) {
    return Fail("cannot add " + name);
  }
  std::vector<char> chunk(kCopyChunk);
  bool ok = true;
  while (ok && in) {
    in.read(chunk.data(), std::streamsize(chunk.size()));
    const std::streamsize got = in.gcount();
    if (got > 0) ok = zipWriteInFileInZip(zip, chunk.data(), unsigned(got)) == ZIP_OK;
  }
  ok = zipCloseFileInZip(zip) == ZIP_OK && ok && !in.bad();
  return ok || Fail("cannot compress " + name);
}

bool InstallerBuilder::WriteInstaller(const std::string& stub_path,
                                      const std::vector<uint8_t>& archive,
                                      const std::string& out_path) {
  if (archive.size() > UINT32_MAX) return Fail("archive larger than 4 GB");
  std::vector<uint8_t> stub;
  if (!ReadFileBytes(stub_path, &stub)) return Fail("cannot read stub " + stub_path);
  uint8_t trailer[kPayloadTrailerSize];
  WritePayloadTrailer(uint32_t(archive.size()), Crc32Mpeg2(archive.data(), archive.size()),
                      trailer);
  // Written beside the target and renamed over it, so a failed build never
  // leaves a half-written installer behind.
  const std::string temp_path = out_path + ".tmp";
  {
    std::ofstream out(fs::path(temp_path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(stub.data()), std::streamsize(stub.size()));
    out.write(reinterpret_cast<const char*>(archive.data()), std::streamsize(archive.size()));
    out.write(reinterpret_cast<const char*>(trailer), sizeof trailer);
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(fs::path(temp_path), ignored);
      return Fail("cannot write " + out_path);
    }
  }
  std::error_code error;
  fs::rename(fs::path(temp_path), fs::path(out_path), error);
  if (error) {
    fs::remove(fs::path(temp_path), error);
    return Fail("cannot write " + out_path);
  }
  return true;
}
