// GdiObject<Handle>: owns one GDI object (bitmap, brush, pen, font, region)
// and deletes it when it goes. For handles that live inside one function;
// classes that keep an object keep it in one of these too.
#pragma once

#include <windows.h>

template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle_; }
  operator Handle() const { return handle_; }
  bool IsNull() const { return handle_ == nullptr; }
  // Deletes the object held and takes handle instead.
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) ::DeleteObject(handle_);
    handle_ = handle;
  }
  // Hands the object over; the caller deletes it.
  Handle Detach() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  Handle handle_ = nullptr;
};
