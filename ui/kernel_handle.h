// KernelHandle: owns a kernel object handle (event, thread) and closes it.
#pragma once

#include <windows.h>

class KernelHandle {
 public:
  KernelHandle() = default;
  explicit KernelHandle(HANDLE handle) : handle_(handle) {}
  ~KernelHandle() { Close(); }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Takes handle (null for none); the one held before is closed.
  void Reset(HANDLE handle = nullptr) {
    Close();
    handle_ = handle;
  }

 private:
  void Close() {
    if (handle_ != nullptr) ::CloseHandle(handle_);
    handle_ = nullptr;
  }

  HANDLE handle_ = nullptr;
};
