#include "setup/package_archive.h"

#include <minizip/unzip.h>
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <new>

namespace {

constexpr unsigned kNameBufferSize = 0x8001;

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

bool IsDirectoryName(const std::string& name) { return !name.empty() && name.back() == '/'; }

}  // namespace

PackageArchive* PackageArchive::Create() { return new (std::nothrow) PackageArchive; }

PackageArchive::~PackageArchive() { CloseLocked(); }

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

bool PackageArchive::FindEntry(const char* name, const EntryPlace** place,
                               const char** stored_name) const {
  if (!zip_ || !name) return false;
  const auto found = by_name_.find(name);
  if (found == by_name_.end()) return false;
  *place = &found->second;
  *stored_name = found->first.c_str();
  return true;
}

bool PackageArchive::ListedEntry(uint32_t index, const EntryPlace** place,
                                 const char** stored_name) const {
  if (!zip_ || index >= listed_.size()) return false;
  *place = &listed_[index];
  *stored_name = names_[index].c_str();
  return true;
}

bool PackageArchive::FillInfo(const EntryPlace& place, const char* stored_name,
                              framework::ArchiveEntryInfo* info) {
  // The interface carries 32-bit sizes; larger (zip64) entries are not readable here.
  if (place.uncompressed_size > UINT32_MAX || place.compressed_size > UINT32_MAX) return false;
  if (info) {
    info->uncompressed_size = uint32_t(place.uncompressed_size);
    info->compressed = place.compressed;
    info->compressed_size = uint32_t(place.compressed_size);
    info->name = stored_name;
  }
  return true;
}

int32_t PackageArchive::GetEntryInfo(const char* name, framework::ArchiveEntryInfo* info) {
  std::lock_guard<std::mutex> hold(lock_);
  const EntryPlace* place = nullptr;
  const char* stored_name = nullptr;
  return FindEntry(name, &place, &stored_name) && FillInfo(*place, stored_name, info) ? 1 : 0;
}

int32_t PackageArchive::GetEntryInfoAt(uint32_t index, framework::ArchiveEntryInfo* info) {
  std::lock_guard<std::mutex> hold(lock_);
  const EntryPlace* place = nullptr;
  const char* stored_name = nullptr;
  return ListedEntry(index, &place, &stored_name) && FillInfo(*place, stored_name, info) ? 1 : 0;
}

uint32_t PackageArchive::ReadEntry(const char* name, uint8_t** buffer) {
  if (!buffer) return 0;
  *buffer = nullptr;
  std::lock_guard<std::mutex> hold(lock_);
  const EntryPlace* place = nullptr;
  const char* stored_name = nullptr;
  return FindEntry(name, &place, &stored_name) ? ReadPlace(*place, buffer) : 0;
}

uint32_t PackageArchive::ReadEntryAt(uint32_t index, uint8_t** buffer) {
  if (!buffer) return 0;
  *buffer = nullptr;
  std::lock_guard<std::mutex> hold(lock_);
  const EntryPlace* place = nullptr;
  const char* stored_name = nullptr;
  return ListedEntry(index, &place, &stored_name) ? ReadPlace(*place, buffer) : 0;
}

// Reads all of an entry in one go. The recorded size must come out exactly:
// minizip checks the CRC only when the whole recorded size was read, so a
// shorter entry would otherwise pass.
uint32_t PackageArchive::ReadPlace(const EntryPlace& place, uint8_t** buffer) {
  // unzReadCurrentFile counts in int.
  if (place.uncompressed_size == 0 || place.uncompressed_size > uint64_t(INT32_MAX)) return 0;
  const uint32_t size = uint32_t(place.uncompressed_size);
  uint8_t* bytes = new (std::nothrow) uint8_t[size];
  if (!bytes) return 0;
  uint64_t start = 0;
  const bool ok = DataInMemory(place, &start) ? InflateFromMemory(place, start, bytes)
                                              : ReadThroughZipReader(place, bytes);
  if (!ok) {
    delete[] bytes;
    return 0;
  }
  *buffer = bytes;
  return size;
}

// Makes the entry current by its remembered place and reads it with minizip.
bool PackageArchive::ReadThroughZipReader(const EntryPlace& place, uint8_t* bytes) {
  unz64_file_pos position;
  position.pos_in_zip_directory = place.directory_offset;
  position.num_of_file = place.file_number;
  if (unzGoToFilePos64(zip_, &position) != UNZ_OK || unzOpenCurrentFile(zip_) != UNZ_OK) {
    return false;
  }
  const int size = int(place.uncompressed_size);
  const bool whole = unzReadCurrentFile(zip_, bytes, unsigned(size)) == size;
  // Closing checks the entry's CRC; a mismatch counts as a missing entry.
  return unzCloseCurrentFile(zip_) == UNZ_OK && whole;
}

// When the archive lies in memory (the payload) and the entry is stored or
// deflated, finds where its data starts from the two headers in place: the
// entry's directory record (where minizip found it) gives its local header,
// which the data follows. Anything unusual (zip64 offsets, data before the
// archive, headers not where they should be) leaves the entry to minizip.
bool PackageArchive::DataInMemory(const EntryPlace& place, uint64_t* start) const {
  constexpr uint64_t kDirectoryRecord = 46;
  constexpr uint64_t kLocalHeader = 30;
  if (!source_.IsMemory() || (place.method != 0 && place.method != Z_DEFLATED)) return false;
  const uint8_t* memory = source_.MemoryData();
  const uint64_t size = source_.MemorySize();
  auto little16 = [&](uint64_t at) { return uint32_t(memory[at] | (memory[at + 1] << 8)); };
  auto little32 = [&](uint64_t at) { return little16(at) | (little16(at + 2) << 16); };
  const uint64_t record = place.directory_offset;
  if (record > size || size - record < kDirectoryRecord || little32(record) != 0x02014B50) {
    return false;
  }
  const uint64_t local = little32(record + 42);
  if (local == 0xFFFFFFFFu || local > size || size - local < kLocalHeader ||
      little32(local) != 0x04034B50) {
    return false;
  }
  const uint64_t data = local + kLocalHeader + little16(local + 26) + little16(local + 28);
  if (data > size || place.compressed_size > size - data) return false;
  *start = data;
  return true;
}

// Inflates (or copies, when stored) the entry's data from the archive's
// memory into its buffer. The data must end exactly at the recorded size and
// match the recorded CRC, as minizip would require. Large entries come out
// in slices whose CRC is taken while they are still in the cache.
bool PackageArchive::InflateFromMemory(const EntryPlace& place, uint64_t start,
                                       uint8_t* bytes) const {
  constexpr uint32_t kSlice = 256 << 10;
  const uint8_t* data = source_.MemoryData() + start;
  const uint32_t size = uint32_t(place.uncompressed_size);
  uLong crc = crc32(0L, Z_NULL, 0);
  if (place.method == 0) {
    if (place.compressed_size != size) return false;
    std::memcpy(bytes, data, size);
    return crc32(crc, bytes, size) == place.crc;
  }
  if (place.compressed_size > UINT32_MAX) return false;
  z_stream stream = {};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(data);
  stream.avail_in = uInt(place.compressed_size);
  stream.next_out = bytes;
  int result = Z_OK;
  while (result == Z_OK && stream.total_out < size) {
    const uint32_t done = uint32_t(stream.total_out);
    const uint32_t slice = size - done < kSlice ? size - done : kSlice;
    stream.avail_out = slice;
    result = inflate(&stream, slice == size - done ? Z_FINISH : Z_NO_FLUSH);
    crc = crc32(crc, bytes + done, uInt(stream.total_out - done));
  }
  const bool whole = result == Z_STREAM_END && stream.total_out == size;
  inflateEnd(&stream);
  return whole && crc == place.crc;
}

void PackageArchive::FreeBuffer(uint8_t* buffer) { delete[] buffer; }

void PackageArchive::GetName(const wchar_t** name) {
  if (!name) return;
  std::lock_guard<std::mutex> hold(lock_);
  *name = has_display_name_ ? display_name_.c_str() : source_.Name().c_str();
}

void PackageArchive::SetName(const wchar_t* name) {
  std::lock_guard<std::mutex> hold(lock_);
  display_name_ = name ? name : L"";
  has_display_name_ = true;
}

int32_t PackageArchive::OpenStream(const ::DataStream* stream) {
  std::lock_guard<std::mutex> hold(lock_);
  return OpenLocked(stream) ? 1 : 0;
}

bool PackageArchive::OpenLocked(const ::DataStream* stream) {
  if (!stream || !stream->IsOpen()) return false;
  CloseLocked();
  source_ = *stream;
  source_.Seek(0, framework::ByteStream::kFromStart);
  zip_ = OpenZip(&source_);
  if (!zip_ || !ListEntries()) {
    CloseLocked();
    return false;
  }
  return true;
}

bool PackageArchive::ListEntries() {
  unz_file_info64 zip_info;
  int result = unzGoToFirstFile(zip_);
  if (result != UNZ_OK) return false;  // also an archive without entries
  while (result == UNZ_OK) {
    unz64_file_pos position;
    if (CurrentEntry(zip_, &zip_info, name_buffer_) != UNZ_OK ||
        unzGetFilePos64(zip_, &position) != UNZ_OK) {
      return false;
    }
    EntryPlace place;
    place.directory_offset = position.pos_in_zip_directory;
    place.file_number = position.num_of_file;
    place.uncompressed_size = zip_info.uncompressed_size;
    place.compressed_size = zip_info.compressed_size;
    place.method = uint32_t(zip_info.compression_method);
    place.crc = uint32_t(zip_info.crc);
    place.compressed = zip_info.compression_method != 0;
    std::string name(name_buffer_);
    // Cut by the buffer or by a zero byte inside: not the entry's real name.
    const bool whole = name.size() == zip_info.size_filename;
    const EntryPlace* first = &place;
    if (whole) first = &by_name_.emplace(name, place).first->second;
    if (!IsDirectoryName(name)) {
      names_.push_back(std::move(name));
      listed_.push_back(*first);
    }
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
  std::lock_guard<std::mutex> hold(lock_);
  return CloseLocked() ? 1 : 0;
}

bool PackageArchive::CloseLocked() {
  const bool was_open = zip_ != nullptr;
  if (zip_) unzClose(zip_);
  zip_ = nullptr;
  by_name_.clear();
  names_.clear();
  listed_.clear();
  source_.Close();
  return was_open;
}

uint32_t PackageArchive::GetEntryCount() {
  std::lock_guard<std::mutex> hold(lock_);
  return uint32_t(names_.size());
}

const char* PackageArchive::EntryName(uint32_t index) {
  std::lock_guard<std::mutex> hold(lock_);
  return index < names_.size() ? names_[index].c_str() : nullptr;
}
