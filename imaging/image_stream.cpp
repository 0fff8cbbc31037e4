#include "imaging/image_stream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

ImageStream::ImageStream(std::FILE* file, const unsigned char* readAhead, size_t size)
    : file_(file), readAheadSize_(std::min(size, kMaxReadAhead)) {
  if (readAhead == nullptr) readAheadSize_ = 0;
  if (readAheadSize_ > 0) std::memcpy(readAhead_, readAhead, readAheadSize_);
}

// Whole items, as fread counts them: an item may be split between the
// read-ahead bytes and the file.
size_t ImageStream::Read(void* buffer, size_t itemSize, size_t count) {
  if (file_ == nullptr || buffer == nullptr || itemSize == 0 || count == 0) return 0;
  if (readAheadUsed_ == readAheadSize_) return std::fread(buffer, itemSize, count, file_);
  if (count > SIZE_MAX / itemSize) return 0;
  const size_t wanted = itemSize * count;
  const size_t fromAhead = std::min(wanted, readAheadSize_ - readAheadUsed_);
  std::memcpy(buffer, readAhead_ + readAheadUsed_, fromAhead);
  readAheadUsed_ += fromAhead;
  size_t total = fromAhead;
  if (total < wanted)
    total += std::fread(static_cast<unsigned char*>(buffer) + total, 1, wanted - total, file_);
  return total / itemSize;
}

size_t ImageStream::Write(const void* buffer, size_t itemSize, size_t count) {
  if (file_ == nullptr || buffer == nullptr || itemSize == 0 || count == 0) return 0;
  if (!DropReadAhead()) return 0;
  return std::fwrite(buffer, itemSize, count, file_);
}

int ImageStream::Seek(long offset, Origin origin) {
  if (file_ == nullptr) return -1;
  if (origin == kFromCurrent) {
    const long pending = static_cast<long>(readAheadSize_ - readAheadUsed_);
    readAheadUsed_ = readAheadSize_;
    return std::fseek(file_, offset - pending, SEEK_CUR) == 0 ? 0 : -1;
  }
  readAheadUsed_ = readAheadSize_;
  return std::fseek(file_, offset, origin) == 0 ? 0 : -1;
}

long ImageStream::Tell() const {
  if (file_ == nullptr) return -1L;
  const long position = std::ftell(file_);
  if (position < 0) return position;
  return position - static_cast<long>(readAheadSize_ - readAheadUsed_);
}

bool ImageStream::DropReadAhead() {
  if (readAheadUsed_ == readAheadSize_) return true;
  return Seek(0, kFromCurrent) == 0;
}

int ImageStream::Flush() { return file_ == nullptr ? -1 : std::fflush(file_); }

// The owner of the file closes it; a stream placed inside a larger file must
// never end it for them.
int ImageStream::Close() {
  if (keepOpen_ || file_ == nullptr) return -1;
  const int result = std::fclose(file_);
  file_ = nullptr;
  return result;
}
