#include "imaging/image_stream.h"

size_t ImageStream::Read(void* buffer, size_t itemSize, size_t count) {
  if (file_ == nullptr || buffer == nullptr || itemSize == 0 || count == 0) return 0;
  return std::fread(buffer, itemSize, count, file_);
}

size_t ImageStream::Write(const void* buffer, size_t itemSize, size_t count) {
  if (file_ == nullptr || buffer == nullptr || itemSize == 0 || count == 0) return 0;
  return std::fwrite(buffer, itemSize, count, file_);
}

int ImageStream::Seek(long offset, Origin origin) {
  if (file_ == nullptr) return -1;
  return std::fseek(file_, offset, origin) == 0 ? 0 : -1;
}

long ImageStream::Tell() const { return file_ == nullptr ? -1L : std::ftell(file_); }

int ImageStream::Flush() { return file_ == nullptr ? -1 : std::fflush(file_); }

// The owner of the file closes it; a stream placed inside a larger file must
// never end it for them.
int ImageStream::Close() {
  if (keepOpen_ || file_ == nullptr) return -1;
  const int result = std::fclose(file_);
  file_ = nullptr;
  return result;
}
