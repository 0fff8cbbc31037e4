// ImageStream: a byte stream over an already open stdio file. It never closes
// the file (Close does nothing while the keep-open flag is set, which it is
// from construction), so codecs can read and write images in place inside a
// larger file such as the skin file; the file's owner closes it.
#pragma once

#include <cstddef>
#include <cstdio>

class ImageStream {
 public:
  enum Origin { kFromStart = SEEK_SET, kFromCurrent = SEEK_CUR, kFromEnd = SEEK_END };

  explicit ImageStream(std::FILE* file) : file_(file) {}
  // A stream whose first bytes were already read from the file: Read hands
  // out those size bytes (at most kMaxReadAhead) before the file's own.
  ImageStream(std::FILE* file, const unsigned char* readAhead, size_t size);
  ImageStream(const ImageStream&) = delete;
  ImageStream& operator=(const ImageStream&) = delete;

  // Whole items read or written, like fread/fwrite.
  size_t Read(void* buffer, size_t itemSize, size_t count);
  size_t Write(const void* buffer, size_t itemSize, size_t count);
  // 0 on success, -1 on failure.
  int Seek(long offset, Origin origin);
  long Tell() const;
  // 0 on success.
  int Flush();
  // Does nothing and returns -1 while the file is kept open.
  int Close();

  std::FILE* File() const { return file_; }

 private:
  static constexpr size_t kMaxReadAhead = 32;

  // Gives up the read-ahead bytes; the file position then stands where the
  // stream's did.
  bool DropReadAhead();

  std::FILE* file_;
  bool keepOpen_ = true;
  unsigned char readAhead_[kMaxReadAhead];
  size_t readAheadSize_ = 0;
  size_t readAheadUsed_ = 0;
};
