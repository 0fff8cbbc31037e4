// A ByteStream over a std::string for the framework's tests and fuzz
// targets: reads and writes at a position, optionally refusing writes past
// a byte limit (a full disk), and counting the calls it receives.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/interfaces.h"

class MemoryByteStream final : public framework::ByteStream {
 public:
  MemoryByteStream() = default;
  explicit MemoryByteStream(std::string bytes) : bytes_(std::move(bytes)) {}

  const std::string& bytes() const { return bytes_; }
  void set_write_limit(size_t limit) { write_limit_ = limit; }
  int calls() const { return calls_; }

  uint32_t FRAMEWORK_CALL Read(void* buffer, uint32_t size) override {
    ++calls_;
    size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    size_t count = std::min<size_t>(size, available);
    if (count > 0) std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return static_cast<uint32_t>(count);
  }
  uint32_t FRAMEWORK_CALL Write(const void* data, uint32_t size) override {
    ++calls_;
    size_t room = position_ < write_limit_ ? write_limit_ - position_ : 0;
    size_t count = std::min<size_t>(size, room);
    if (bytes_.size() < position_ + count) bytes_.resize(position_ + count);
    if (count > 0) std::memcpy(&bytes_[position_], data, count);
    position_ += count;
    return static_cast<uint32_t>(count);
  }
  int64_t FRAMEWORK_CALL Seek(int64_t offset, int32_t origin) override {
    ++calls_;
    int64_t base = origin == kFromStart     ? 0
                   : origin == kFromCurrent ? static_cast<int64_t>(position_)
                                            : static_cast<int64_t>(bytes_.size());
    if (base + offset < 0) return -1;
    position_ = static_cast<size_t>(base + offset);
    return static_cast<int64_t>(position_);
  }
  int64_t FRAMEWORK_CALL GetSize() override {
    ++calls_;
    return static_cast<int64_t>(bytes_.size());
  }
  int64_t FRAMEWORK_CALL GetRemaining() override {
    ++calls_;
    return position_ < bytes_.size() ? static_cast<int64_t>(bytes_.size() - position_) : 0;
  }

 private:
  std::string bytes_;
  size_t position_ = 0;
  size_t write_limit_ = static_cast<size_t>(-1);
  int calls_ = 0;
};
