// MemoryCanvas: a memory device context drawing into a 24- or 32-bit DIB
// section, so tests can draw with GDI and read the exact pixels back.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height, int bitCount = 24);
  ~MemoryCanvas();
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  bool IsValid() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return bitCount_; }

  // Every pixel becomes color (fourth byte 0).
  void Fill(RGBQUAD color);
  // Colour at (x, y), y counted from the top; the fourth byte is always 0
  // (what GDI leaves in a 32-bit canvas's fourth byte is not compared).
  RGBQUAD Pixel(int x, int y) const;
  void SetPixel(int x, int y, RGBQUAD color);
  // Limits drawing to rect (logical units); ClearClip lifts the limit.
  void ClipTo(const RECT& rect);
  void ClearClip();
  // True when both canvases have the same size and the same pixels.
  bool SamePixels(const MemoryCanvas& other) const;

 private:
  BYTE* At(int x, int y) const;

  int width_;
  int height_;
  int bitCount_;
  size_t stride_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  BYTE* bits_ = nullptr;
};

// Succeeds when both colours have the same four bytes; the failure message
// shows them as blue, green, red, reserved.
::testing::AssertionResult SameColor(RGBQUAD actual, RGBQUAD expected);
// Succeeds when every channel is within tolerance of the expected one.
::testing::AssertionResult NearColor(RGBQUAD actual, RGBQUAD expected, int tolerance);
