// DibSection: a 24- or 32-bit DIB section selected into its own memory
// context, the scratch surface of DibImage's drawing paths. Rows are stored
// bottom-up as GDI keeps them; RowFromTop hides that. A caller may use only
// the top-left part of a larger section.
#pragma once

#include <cstddef>

#include "imaging/win32_types.h"

class DibSection {
 public:
  static constexpr LONG kPelsPerMeter96Dpi = 3780;

  DibSection() = default;
  ~DibSection();
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  // Makes a zero-filled width x height section (bitCount 24 or 32) and selects
  // it into a memory context compatible with reference (null: the screen).
  // False (and nothing held) when a size is not positive or GDI refuses.
  bool Create(HDC reference, int width, int height, int bitCount);

  bool IsValid() const { return bits_ != nullptr; }
  HDC Context() const { return memoryDc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  int Width() const { return info_.bmiHeader.biWidth; }
  int Height() const { return info_.bmiHeader.biHeight; }
  int BitCount() const { return info_.bmiHeader.biBitCount; }
  // Start of line y, counted from the top of the section.
  BYTE* RowFromTop(int y) { return bits_ + static_cast<size_t>(Height() - 1 - y) * stride_; }

  // Copies what dc shows in the width x height area at (x, y) into the
  // section's top-left corner.
  bool ReadFrom(HDC dc, int x, int y, int width, int height);
  // Puts the section's top-left width x height area onto dc at (x, y).
  bool WriteTo(HDC dc, int x, int y, int width, int height) const;

 private:
  void Release();

  BITMAPINFO info_{};
  HDC memoryDc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previousBitmap_ = nullptr;
  BYTE* bits_ = nullptr;
  size_t stride_ = 0;
};
