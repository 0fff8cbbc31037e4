// The installer's byte stream: either an OS file or a memory block. Copies
// share the file handle (closed when the last copy lets go) and the optional
// whole-file buffer. The framework reads and writes it as a ByteStream.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/interfaces.h"
#include "setup/os_file.h"

// Open flags of a file stream.
namespace stream_flags {
constexpr unsigned kWrite = 0x02;
constexpr unsigned kShareRead = 0x04;  // share mode 1 in bits 2-3
constexpr unsigned kCreateNew = 0x00;
constexpr unsigned kCreateAlways = 0x10;
constexpr unsigned kOpenExisting = 0x20;
constexpr unsigned kOpenAlways = 0x30;
constexpr unsigned kRandomAccess = 0x40;
constexpr unsigned kSequentialScan = 0x80;

constexpr unsigned kOwnExecutable = 0xA5;
constexpr unsigned kArchiveFile = 0x25;
constexpr unsigned kExtractedFile = 0x12;
constexpr unsigned kUninstallLogLoad = 0x33;
constexpr unsigned kUninstallLogSave = 0x13;
}  // namespace stream_flags

class DataStream : public framework::ByteStream {
 public:
  // Called when a write runs past the end of a memory block. Must make the
  // block at least `required` bytes long (keeping its contents), update
  // *bytes and *size and return true, or return false to refuse.
  using GrowCallback = bool (*)(void* context, size_t required, uint8_t** bytes, size_t* size);

  DataStream() = default;
  DataStream(const DataStream& other);
  DataStream& operator=(const DataStream& other);
  ~DataStream();

  bool OpenFile(const wchar_t* path, unsigned flags);
  bool OpenFile(const char* path, unsigned flags);
  // Reads over `bytes` in place; the block is not owned and must outlive the stream.
  void AttachMemory(uint8_t* bytes, size_t size, const wchar_t* name = nullptr);
  // Reads over [offset, offset + size) of `owner`'s whole-file buffer in
  // place, sharing that buffer so it lives as long as any stream reading it.
  bool AttachWholeFileRange(const DataStream& owner, size_t offset, size_t size);
  void SetGrowCallback(GrowCallback callback, void* context);

  uint32_t FRAMEWORK_CALL Read(void* buffer, uint32_t size) override;
  uint32_t FRAMEWORK_CALL Write(const void* data, uint32_t size) override;
  int64_t FRAMEWORK_CALL Seek(int64_t offset, int32_t origin) override;
  int64_t FRAMEWORK_CALL GetSize() override;
  int64_t FRAMEWORK_CALL GetRemaining() override;

  // Reads the whole file from its start into a shared buffer; false when the
  // file cannot be sized, the buffer cannot be allocated or the read fails.
  bool ReadWholeFile();
  const uint8_t* WholeFileData() const;
  size_t WholeFileSize() const;

  // Hands what the system buffers for a file stream to the disk; memory
  // streams have nothing to flush.
  bool Flush();

  // Lets go of this copy's share of the handle and buffer.
  void Close();

  // The block a memory stream reads over (null for file streams) and its size.
  const uint8_t* MemoryData() const { return memory_; }
  size_t MemorySize() const { return memory_size_; }

  bool IsFile() const { return file_ != nullptr; }
  bool IsMemory() const { return memory_ != nullptr; }
  bool IsOpen() const { return IsFile() || IsMemory(); }
  bool IsReadOnly() const { return read_only_; }
  const std::wstring& Name() const { return name_; }

 private:
  struct SharedFile {
    std::atomic<int> references{1};
    os_file::Handle handle = os_file::kInvalidHandle;
  };
  struct SharedBuffer {
    std::atomic<int> references{1};
    size_t length = 0;
    uint8_t* bytes = nullptr;
  };

  void ShareFrom(const DataStream& other);
  bool AdoptHandle(os_file::Handle handle, unsigned flags);
  uint32_t WriteMemory(const void* data, uint32_t size);
  void ReleaseBuffer();

  SharedFile* file_ = nullptr;
  SharedBuffer* buffer_ = nullptr;
  std::wstring name_;
  uint8_t* memory_ = nullptr;
  size_t memory_size_ = 0;
  size_t position_ = 0;
  bool read_only_ = false;
  GrowCallback grow_ = nullptr;
  void* grow_context_ = nullptr;
};
