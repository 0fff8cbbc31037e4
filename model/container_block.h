// ContainerBlock: the 256-byte property block of a skin container. Only the
// movie area is defined; every other byte is kept as read or copied.
#pragma once

#include <array>
#include <cstddef>

#include "imaging/win32_types.h"

class ContainerBlock {
 public:
  static constexpr size_t kSize = 256;

  ContainerBlock() { Clear(); }

  void Clear() { bytes_.fill(0); }
  std::array<BYTE, kSize>& Bytes() { return bytes_; }
  const std::array<BYTE, kSize>& Bytes() const { return bytes_; }

  bool operator==(const ContainerBlock& other) const { return bytes_ == other.bytes_; }
  bool operator!=(const ContainerBlock& other) const { return bytes_ != other.bytes_; }

  // Whether the container shows a movie area (only the main window may).
  bool MovieAreaOn() const;
  void SetMovieAreaOn(bool on);
  // The movie area in container pixels.
  RECT MovieArea() const;
  void SetMovieArea(const RECT& rect);

 private:
  std::array<BYTE, kSize> bytes_;
};
