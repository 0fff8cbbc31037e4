#include "setup/package_archive.h"

#include <minizip/unzip.h>

#include <cstdint>
#include <new>

namespace {

constexpr unsigned kNameBufferSize = 0x8001;
constexpr int kCaseSensitive = 1;

// minizip reads through these callbacks from the archive's own stream copy;
// the opaque pointer is that DataStream.
DataStream* StreamOf(voidpf opaque) { return static_cast<DataStream*>(opaque); }

voidpf ZCALLBACK OpenCallback(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK ReadCallback(voidpf opaque, voidpf, void* buffer, uLong size) {
  return StreamOf(opaque)->Read(buffer, uint32_t(size));
}

uLong ZCALLBACK WriteCallback(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellCallback(voidpf opaque, voidpf) {
  const int64_t position = StreamOf(opaque)->Seek(0, framework::ByteStream::kFromCurrent);
  return position < 0 ? ZPOS64_T(-1) : ZPOS64_T(position);
}

long ZCALLBACK SeekCallback(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
  int32_t from = framework::ByteStream::kFromStart;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR) from = framework::ByteStream::kFromCurrent;
  if (origin == ZLIB_FILEFUNC_SEEK_END) from = framework::ByteStream::kFromEnd;
  if (offset > ZPOS64_T(INT64_MAX)) return -1;
  return StreamOf(opaque)->Seek(int64_t(offset), from) < 0 ? -1 : 0;
}

// The stream belongs to the archive, which closes it itself.
int ZCALLBACK CloseCallback(voidpf, voidpf) { return 0; }

int ZCALLBACK ErrorCallback(voidpf, voidpf) { return 0; }

unzFile OpenZip(DataStream* stream) {
  zlib_filefunc64_def functions = {};
  functions.zopen64_file = OpenCallback;
  functions.zread_file = ReadCallback;
  functions.zwrite_file = WriteCallback;
  functions.ztell64_file = TellCallback;
  functions.zseek64_file = SeekCallback;
  functions.zclose_file = CloseCallback;
  functions.zerror_file = ErrorCallback;
  functions.opaque = stream;
  return unzOpen2_64(stream, &functions);
}

// Reads the current entry's information and name, always terminated.
int CurrentEntry(unzFile zip, unz_file_info64* info, char* name) {
  const int result =
      unzGetCurrentFileInfo64(zip, info, name, kNameBufferSize, nullptr, 0, nullptr, 0);
  name[kNameBufferSize] = '\0';
  return result;
}

bool IsDirectoryName(const char* name) {
  size_t length = 0;
  while (name[length]) ++length;
  return length > 0 && name[length - 1] == '/';
}

}  // namespace

PackageArchive* PackageArchive::Create() { return new (std::nothrow) PackageArchive; }

PackageArchive::~PackageArchive() { Close(); }

int32_t PackageArchive::QueryInterface(const framework::Guid& interfaceId, void** object,
                                       int32_t addReference) {
  if (!object || interfaceId != framework::kArchiveId) return framework::kNoInterface;
  *object = static_cast<framework::Archive*>(this);
  if (addReference) AddRef();
  return framework::kOk;
}

int32_t PackageArchive::AddRef() { return references_.fetch_add(1) + 1; }

int32_t PackageArchive::Release() {
  const int32_t count = references_.fetch_sub(1) - 1;
  if (count == 0) delete this;
  return count;
}

bool PackageArchive::LocateEntry(const char* name, framework::ArchiveEntryInfo* info) {
  if (!zip_ || !name || unzLocateFile(zip_, name, kCaseSensitive) != UNZ_OK) return false;
  unz_file_info64 zip_info;
  if (CurrentEntry(zip_, &zip_info, name_buffer_) != UNZ_OK) return false;
  // The interface carries 32-bit sizes; larger (zip64) entries are not readable here.
  if (zip_info.uncompressed_size > UINT32_MAX || zip_info.compressed_size > UINT32_MAX) {
    return false;
  }
  info->uncompressed_size = uint32_t(zip_info.uncompressed_size);
  info->compressed = zip_info.compression_method != 0;
  info->compressed_size = uint32_t(zip_info.compressed_size);
  info->name = name_buffer_;
  return true;
}

int32_t PackageArchive::GetEntryInfo(const char* name, framework::ArchiveEntryInfo* info) {
  framework::ArchiveEntryInfo found;
  if (!LocateEntry(name, &found)) return 0;
  if (info) *info = found;
  return 1;
}

uint32_t PackageArchive::ReadEntry(const char* name, uint8_t** buffer) {
  if (!buffer) return 0;
  *buffer = nullptr;
  framework::ArchiveEntryInfo info;
  // unzReadCurrentFile counts in int.
  if (!LocateEntry(name, &info) || info.uncompressed_size == 0 ||
      info.uncompressed_size > uint32_t(INT32_MAX)) {
    return 0;
  }
  const uint32_t size = info.uncompressed_size;
  uint8_t* bytes = new (std::nothrow) uint8_t[size];
  if (!bytes) return 0;
  bool ok = unzOpenCurrentFile(zip_) == UNZ_OK;
  if (ok) {
    ok = unzReadCurrentFile(zip_, bytes, size) == int(size);
    // Closing checks the entry's CRC; a mismatch counts as a missing entry.
    ok = unzCloseCurrentFile(zip_) == UNZ_OK && ok;
  }
  if (!ok) {
    delete[] bytes;
    return 0;
  }
  *buffer = bytes;
  return size;
}

void PackageArchive::FreeBuffer(uint8_t* buffer) { delete[] buffer; }

void PackageArchive::GetName(const wchar_t** name) {
  if (!name) return;
  *name = has_display_name_ ? display_name_.c_str() : source_.Name().c_str();
}

void PackageArchive::SetName(const wchar_t* name) {
  display_name_ = name ? name : L"";
  has_display_name_ = true;
}

int32_t PackageArchive::OpenStream(const ::DataStream* stream) {
  if (!stream || !stream->IsOpen()) return 0;
  Close();
  source_ = *stream;
  source_.Seek(0, framework::ByteStream::kFromStart);
  zip_ = OpenZip(&source_);
  if (!zip_ || !ListEntries()) {
    Close();
    return 0;
  }
  return 1;
}

bool PackageArchive::ListEntries() {
  unz_file_info64 zip_info;
  int result = unzGoToFirstFile(zip_);
  if (result != UNZ_OK) return false;  // also an archive without entries
  while (result == UNZ_OK) {
    if (CurrentEntry(zip_, &zip_info, name_buffer_) != UNZ_OK) return false;
    if (!IsDirectoryName(name_buffer_)) names_.emplace_back(name_buffer_);
    result = unzGoToNextFile(zip_);
  }
  return result == UNZ_END_OF_LIST_OF_FILE;
}

int32_t PackageArchive::OpenFileW(const wchar_t* path) {
  DataStream file;
  if (!file.OpenFile(path, stream_flags::kArchiveFile)) return 0;
  return OpenStream(&file);
}

int32_t PackageArchive::OpenFileA(const char* path) {
  DataStream file;
  if (!file.OpenFile(path, stream_flags::kArchiveFile)) return 0;
  return OpenStream(&file);
}

int32_t PackageArchive::Close() {
  const bool was_open = zip_ != nullptr;
  if (zip_) unzClose(zip_);
  zip_ = nullptr;
  names_.clear();
  source_.Close();
  return was_open ? 1 : 0;
}

uint32_t PackageArchive::GetEntryCount() { return uint32_t(names_.size()); }

const char* PackageArchive::EntryName(uint32_t index) const {
  return index < names_.size() ? names_[index].c_str() : nullptr;
}

int32_t PackageArchive::GetEntryInfoAt(uint32_t index, framework::ArchiveEntryInfo* info) {
  const char* name = EntryName(index);
  return name ? GetEntryInfo(name, info) : 0;
}

uint32_t PackageArchive::ReadEntryAt(uint32_t index, uint8_t** buffer) {
  if (buffer) *buffer = nullptr;
  const char* name = EntryName(index);
  return name ? ReadEntry(name, buffer) : 0;
}
