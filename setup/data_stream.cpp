#include "setup/data_stream.h"

#include <cstring>
#include <new>

DataStream::DataStream(const DataStream& other) { ShareFrom(other); }

DataStream& DataStream::operator=(const DataStream& other) {
  if (this != &other) {
    Close();
    ShareFrom(other);
  }
  return *this;
}

DataStream::~DataStream() { Close(); }

void DataStream::ShareFrom(const DataStream& other) {
  file_ = other.file_;
  if (file_) file_->references.fetch_add(1);
  buffer_ = other.buffer_;
  if (buffer_) buffer_->references.fetch_add(1);
  name_ = other.name_;
  memory_ = other.memory_;
  memory_size_ = other.memory_size_;
  position_ = other.position_;
  read_only_ = other.read_only_;
  grow_ = other.grow_;
  grow_context_ = other.grow_context_;
}

bool DataStream::AdoptHandle(os_file::Handle handle, unsigned flags) {
  if (handle == os_file::kInvalidHandle) return false;
  file_ = new (std::nothrow) SharedFile;
  if (!file_) {
    os_file::Close(handle);
    return false;
  }
  file_->handle = handle;
  read_only_ = (flags & stream_flags::kWrite) == 0;
  return true;
}

bool DataStream::OpenFile(const wchar_t* path, unsigned flags) {
  Close();
  if (!path) return false;
  if (!AdoptHandle(os_file::Open(path, flags), flags)) return false;
  name_ = path;
  return true;
}

bool DataStream::OpenFile(const char* path, unsigned flags) {
  Close();
  if (!path) return false;
  if (!AdoptHandle(os_file::Open(path, flags), flags)) return false;
  name_ = os_file::WidenAnsi(path);
  return true;
}

void DataStream::AttachMemory(uint8_t* bytes, size_t size, const wchar_t* name) {
  Close();
  memory_ = bytes;
  memory_size_ = bytes ? size : 0;
  position_ = 0;
  read_only_ = false;
  if (name) name_ = name;
}

bool DataStream::AttachWholeFileRange(const DataStream& owner, size_t offset, size_t size) {
  SharedBuffer* buffer = owner.buffer_;
  if (!buffer || offset > buffer->length || size > buffer->length - offset) return false;
  buffer->references.fetch_add(1);
  Close();
  buffer_ = buffer;
  memory_ = buffer->bytes + offset;
  memory_size_ = size;
  return true;
}

void DataStream::SetGrowCallback(GrowCallback callback, void* context) {
  grow_ = callback;
  grow_context_ = context;
}

uint32_t DataStream::Read(void* buffer, uint32_t size) {
  if (file_) return uint32_t(os_file::Read(file_->handle, buffer, size));
  if (!memory_ || position_ >= memory_size_) return 0;
  const size_t count = size < memory_size_ - position_ ? size : memory_size_ - position_;
  std::memcpy(buffer, memory_ + position_, count);
  position_ += count;
  return uint32_t(count);
}

uint32_t DataStream::Write(const void* data, uint32_t size) {
  if (file_) return read_only_ ? 0 : uint32_t(os_file::Write(file_->handle, data, size));
  return WriteMemory(data, size);
}

uint32_t DataStream::WriteMemory(const void* data, uint32_t size) {
  if (!memory_ && !grow_) return 0;
  const size_t end = position_ + size;  // position_ never exceeds the block size
  if (end > memory_size_ && grow_) {
    uint8_t* bytes = memory_;
    size_t grown = memory_size_;
    if (grow_(grow_context_, end, &bytes, &grown) && bytes && grown >= end) {
      memory_ = bytes;
      memory_size_ = grown;
    }
  }
  if (position_ >= memory_size_) return 0;
  const size_t count = end <= memory_size_ ? size : memory_size_ - position_;
  std::memcpy(memory_ + position_, data, count);
  position_ += count;
  return uint32_t(count);
}

int64_t DataStream::Seek(int64_t offset, int32_t origin) {
  if (origin < kFromStart || origin > kFromEnd) return -1;
  if (file_) return os_file::Seek(file_->handle, offset, os_file::SeekOrigin(origin));
  if (!memory_) return -1;
  const int64_t base = origin == kFromStart     ? 0
                       : origin == kFromCurrent ? int64_t(position_)
                                                : int64_t(memory_size_);
  // Memory positions stay inside the block.
  if ((offset < 0 && -offset > base) || (offset > 0 && offset > int64_t(memory_size_) - base)) {
    return -1;
  }
  position_ = size_t(base + offset);
  return int64_t(position_);
}

int64_t DataStream::GetSize() {
  if (file_) return os_file::Size(file_->handle);
  return memory_ ? int64_t(memory_size_) : -1;
}

int64_t DataStream::GetRemaining() {
  if (file_) {
    const int64_t size = os_file::Size(file_->handle);
    const int64_t position = os_file::Seek(file_->handle, 0, os_file::kSeekCurrent);
    if (size < 0 || position < 0) return -1;
    return position < size ? size - position : 0;
  }
  return memory_ ? int64_t(memory_size_ - position_) : -1;
}

bool DataStream::ReadWholeFile() {
  if (!file_) return false;
  const int64_t size = os_file::Size(file_->handle);
  if (size < 0 || uint64_t(size) > SIZE_MAX - 1 ||
      os_file::Seek(file_->handle, 0, os_file::kSeekStart) != 0) {
    return false;
  }
  SharedBuffer* buffer = new (std::nothrow) SharedBuffer;
  uint8_t* bytes = new (std::nothrow) uint8_t[size_t(size) + 1];
  if (!buffer || !bytes) {
    delete buffer;
    delete[] bytes;
    return false;
  }
  buffer->bytes = bytes;
  buffer->length = os_file::Read(file_->handle, bytes, size_t(size));
  if (size > 0 && buffer->length == 0) {
    delete[] bytes;
    delete buffer;
    return false;
  }
  ReleaseBuffer();
  buffer_ = buffer;
  return true;
}

const uint8_t* DataStream::WholeFileData() const { return buffer_ ? buffer_->bytes : nullptr; }

size_t DataStream::WholeFileSize() const { return buffer_ ? buffer_->length : 0; }

void DataStream::ReleaseBuffer() {
  if (buffer_ && buffer_->references.fetch_sub(1) == 1) {
    delete[] buffer_->bytes;
    delete buffer_;
  }
  buffer_ = nullptr;
}

bool DataStream::Flush() { return file_ ? os_file::Flush(file_->handle) : IsMemory(); }

void DataStream::Close() {
  if (file_ && file_->references.fetch_sub(1) == 1) {
    os_file::Close(file_->handle);
    delete file_;
  }
  file_ = nullptr;
  ReleaseBuffer();
  memory_ = nullptr;
  memory_size_ = 0;
  position_ = 0;
  name_.clear();
  read_only_ = false;
}
