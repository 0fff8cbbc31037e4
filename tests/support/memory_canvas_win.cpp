#include "tests/support/memory_canvas_win.h"

#include <cstdlib>
#include <cstring>
#include <string>

MemoryCanvas::MemoryCanvas(int width, int height, int bitCount)
    : width_(width), height_(height), bitCount_(bitCount) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(nullptr);
  if (bitmap_ == nullptr || dc_ == nullptr || bits == nullptr) return;
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<BYTE*>(bits);
  stride_ = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
}

MemoryCanvas::~MemoryCanvas() {
  if (dc_ != nullptr) {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

BYTE* MemoryCanvas::At(int x, int y) const {
  return bits_ + static_cast<size_t>(height_ - 1 - y) * stride_ +
         static_cast<size_t>(x) * (bitCount_ / 8);
}

void MemoryCanvas::Fill(RGBQUAD color) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) SetPixel(x, y, color);
}

RGBQUAD MemoryCanvas::Pixel(int x, int y) const {
  GdiFlush();
  const BYTE* p = At(x, y);
  return RGBQUAD{p[0], p[1], p[2], 0};
}

void MemoryCanvas::SetPixel(int x, int y, RGBQUAD color) {
  GdiFlush();
  BYTE* p = At(x, y);
  p[0] = color.rgbBlue;
  p[1] = color.rgbGreen;
  p[2] = color.rgbRed;
  if (bitCount_ == 32) p[3] = 0;
}

void MemoryCanvas::ClipTo(const RECT& rect) {
  HRGN region = CreateRectRgnIndirect(&rect);
  SelectClipRgn(dc_, region);
  DeleteObject(region);
}

void MemoryCanvas::ClearClip() { SelectClipRgn(dc_, nullptr); }

bool MemoryCanvas::SamePixels(const MemoryCanvas& other) const {
  if (width_ != other.width_ || height_ != other.height_ || bitCount_ != other.bitCount_)
    return false;
  GdiFlush();
  return std::memcmp(bits_, other.bits_, stride_ * static_cast<size_t>(height_)) == 0;
}

namespace {

std::string Describe(RGBQUAD color) {
  return "(b " + std::to_string(color.rgbBlue) + ", g " + std::to_string(color.rgbGreen) + ", r " +
         std::to_string(color.rgbRed) + ", x " + std::to_string(color.rgbReserved) + ")";
}

int Distance(BYTE a, BYTE b) { return std::abs(int{a} - int{b}); }

}  // namespace

::testing::AssertionResult SameColor(RGBQUAD actual, RGBQUAD expected) {
  return NearColor(actual, expected, 0);
}

::testing::AssertionResult NearColor(RGBQUAD actual, RGBQUAD expected, int tolerance) {
  const bool withinTolerance = Distance(actual.rgbBlue, expected.rgbBlue) <= tolerance &&
                               Distance(actual.rgbGreen, expected.rgbGreen) <= tolerance &&
                               Distance(actual.rgbRed, expected.rgbRed) <= tolerance &&
                               Distance(actual.rgbReserved, expected.rgbReserved) <= tolerance;
  if (withinTolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << Describe(actual) << ", expected "
                                       << Describe(expected) << " within " << tolerance;
}
