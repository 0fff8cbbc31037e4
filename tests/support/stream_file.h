// StreamFile: a temporary stdio file for tests of code that reads and writes
// through a FILE* (image codecs, the skin file). Removed when destroyed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

class StreamFile {
 public:
  StreamFile();
  ~StreamFile();
  StreamFile(const StreamFile&) = delete;
  StreamFile& operator=(const StreamFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  std::FILE* Get() const { return file_; }

  // Replaces the contents with bytes and goes back to the start.
  bool Assign(const std::vector<uint8_t>& bytes);
  // The whole contents; the position is left at the start.
  std::vector<uint8_t> Contents();
  bool Rewind();
  long Position() const;

 private:
  std::FILE* file_ = nullptr;
};
