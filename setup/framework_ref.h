// FrameworkRef: holds one reference to a framework object and releases it
// when it goes, so every path out of a function lets go of what it took.
#pragma once

#include <utility>

template <typename Interface>
class FrameworkRef {
 public:
  FrameworkRef() = default;
  // Takes over a reference the caller already holds.
  explicit FrameworkRef(Interface* object) : object_(object) {}
  ~FrameworkRef() { Reset(); }
  FrameworkRef(const FrameworkRef&) = delete;
  FrameworkRef& operator=(const FrameworkRef&) = delete;
  FrameworkRef(FrameworkRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  FrameworkRef& operator=(FrameworkRef&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // For out parameters: lets go of the current object first.
  Interface** Out() {
    Reset();
    return &object_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }

  void Reset() {
    if (object_ != nullptr) object_->Release();
    object_ = nullptr;
  }

 private:
  Interface* object_ = nullptr;
};
