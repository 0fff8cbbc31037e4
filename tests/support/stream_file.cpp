#include "tests/support/stream_file.h"

StreamFile::StreamFile() : file_(std::tmpfile()) {}

StreamFile::~StreamFile() {
  if (file_ != nullptr) std::fclose(file_);
}

bool StreamFile::Assign(const std::vector<uint8_t>& bytes) {
  if (file_ == nullptr) return false;
  // A fresh file: a shorter content must not keep the old tail.
  std::fclose(file_);
  file_ = std::tmpfile();
  if (file_ == nullptr) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    return false;
  return Rewind();
}

std::vector<uint8_t> StreamFile::Contents() {
  std::vector<uint8_t> bytes;
  if (file_ == nullptr || !Rewind()) return bytes;
  uint8_t chunk[4096];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof(chunk), file_)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + got);
  Rewind();
  return bytes;
}

bool StreamFile::Rewind() { return file_ != nullptr && std::fseek(file_, 0, SEEK_SET) == 0; }

long StreamFile::Position() const { return file_ != nullptr ? std::ftell(file_) : -1L; }
