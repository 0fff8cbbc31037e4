// GlobalMemoryLock: GlobalLock for the lifetime of the object, GlobalUnlock
// after. The memory stays owned by whoever gave the handle (the clipboard).
#pragma once

#include <windows.h>

class GlobalMemoryLock {
 public:
  explicit GlobalMemoryLock(HGLOBAL memory)
      : memory_(memory), bytes_(memory != nullptr ? ::GlobalLock(memory) : nullptr) {}
  ~GlobalMemoryLock() {
    if (bytes_ != nullptr) ::GlobalUnlock(memory_);
  }
  GlobalMemoryLock(const GlobalMemoryLock&) = delete;
  GlobalMemoryLock& operator=(const GlobalMemoryLock&) = delete;

  // The locked bytes, null when the lock failed.
  const BYTE* Bytes() const { return static_cast<const BYTE*>(bytes_); }
  BYTE* MutableBytes() const { return static_cast<BYTE*>(bytes_); }

 private:
  HGLOBAL memory_;
  void* bytes_;
};
