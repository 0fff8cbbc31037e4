#include "imaging/stdio_fields.h"

#include <sys/stat.h>
#include <sys/types.h>

#include "imaging/little_endian.h"

namespace stdio_fields {

namespace {

// The size of the file behind the stream when it is a regular file. Asking
// the file system keeps the stream's read buffer, which a seek to the end
// would throw away.
bool RegularFileSize(std::FILE* file, uint64_t& size) {
#ifdef _WIN32
  struct _stat64 info;
  const int descriptor = _fileno(file);
  if (descriptor < 0 || _fstat64(descriptor, &info) != 0) return false;
#else
  struct stat info;
  const int descriptor = fileno(file);
  if (descriptor < 0 || fstat(descriptor, &info) != 0) return false;
#endif
  if ((info.st_mode & S_IFMT) != S_IFREG || info.st_size < 0) return false;
  size = static_cast<uint64_t>(info.st_size);
  return true;
}

int64_t Position(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return ftello(file);
#endif
}

bool SeekTo(std::FILE* file, int64_t offset, int origin) {
#ifdef _WIN32
  return _fseeki64(file, offset, origin) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
#endif
}

}  // namespace

bool BytesLeft(std::FILE* file, uint64_t& left) {
  const int64_t here = Position(file);
  if (here < 0) return false;
  uint64_t end = 0;
  if (!RegularFileSize(file, end)) {
    if (!SeekTo(file, 0, SEEK_END)) return false;
    const int64_t last = Position(file);
    if (!SeekTo(file, here, SEEK_SET) || last < 0) return false;
    end = static_cast<uint64_t>(last);
  }
  left = end > static_cast<uint64_t>(here) ? end - static_cast<uint64_t>(here) : 0;
  return true;
}

bool WriteBytes(std::FILE* file, const void* bytes, size_t count) {
  return count == 0 || std::fwrite(bytes, 1, count, file) == count;
}

bool WriteByte(std::FILE* file, BYTE value) { return std::fputc(value, file) != EOF; }

bool WriteI16(std::FILE* file, int16_t value) {
  uint8_t bytes[2];
  StoreLeI16(bytes, value);
  return WriteBytes(file, bytes, sizeof(bytes));
}

bool WriteI32(std::FILE* file, int32_t value) {
  uint8_t bytes[4];
  StoreLeI32(bytes, value);
  return WriteBytes(file, bytes, sizeof(bytes));
}

bool WriteU32(std::FILE* file, uint32_t value) {
  uint8_t bytes[4];
  StoreLe32(bytes, value);
  return WriteBytes(file, bytes, sizeof(bytes));
}

bool ReadBytes(std::FILE* file, void* bytes, size_t count) {
  return count == 0 || std::fread(bytes, 1, count, file) == count;
}

bool ReadByte(std::FILE* file, BYTE& value) {
  const int c = std::fgetc(file);
  if (c == EOF) return false;
  value = static_cast<BYTE>(c);
  return true;
}

bool ReadI16(std::FILE* file, int16_t& value) {
  uint8_t bytes[2];
  if (!ReadBytes(file, bytes, sizeof(bytes))) return false;
  value = LoadLeI16(bytes);
  return true;
}

bool ReadI32(std::FILE* file, int32_t& value) {
  uint8_t bytes[4];
  if (!ReadBytes(file, bytes, sizeof(bytes))) return false;
  value = LoadLeI32(bytes);
  return true;
}

bool ReadU32(std::FILE* file, uint32_t& value) {
  uint8_t bytes[4];
  if (!ReadBytes(file, bytes, sizeof(bytes))) return false;
  value = LoadLe32(bytes);
  return true;
}

bool MayHold(std::FILE* file, uint64_t size) {
  uint64_t left = 0;
  return !BytesLeft(file, left) || size <= left;
}

}  // namespace stdio_fields
