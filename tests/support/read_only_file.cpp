#include "tests/support/read_only_file.h"

#include <utility>

ReadOnlyFile::ReadOnlyFile(std::string path) : path_(std::move(path)) {
  std::FILE* created = std::fopen(path_.c_str(), "wb");
  if (created == nullptr) return;
  std::fclose(created);
  file_ = std::fopen(path_.c_str(), "rb");
}

ReadOnlyFile::~ReadOnlyFile() {
  if (file_ != nullptr) std::fclose(file_);
  std::remove(path_.c_str());
}
