// ReadOnlyFile: an empty file opened for reading only, so every write through
// its FILE* fails; for tests of write-failure handling. Closed and removed
// when destroyed.
#pragma once

#include <cstdio>
#include <string>

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  std::FILE* Get() const { return file_; }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};
