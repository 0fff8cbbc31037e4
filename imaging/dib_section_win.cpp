#include "imaging/dib_section_win.h"

DibSection::~DibSection() { Release(); }

void DibSection::Release() {
  if (memoryDc_ != nullptr) {
    if (previousBitmap_ != nullptr) SelectObject(memoryDc_, previousBitmap_);
    DeleteDC(memoryDc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  memoryDc_ = nullptr;
  bitmap_ = nullptr;
  previousBitmap_ = nullptr;
  bits_ = nullptr;
  stride_ = 0;
  info_ = BITMAPINFO{};
}

bool DibSection::Create(HDC reference, int width, int height, int bitCount) {
  Release();
  if (width <= 0 || height <= 0 || (bitCount != 24 && bitCount != 32)) return false;
  BITMAPINFOHEADER& header = info_.bmiHeader;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitCount);
  header.biCompression = BI_RGB;
  // 96 dpi, as the screen shows it.
  header.biXPelsPerMeter = kPelsPerMeter96Dpi;
  header.biYPelsPerMeter = kPelsPerMeter96Dpi;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(reference, &info_, DIB_RGB_COLORS, &bits, nullptr, 0);
  memoryDc_ = CreateCompatibleDC(reference);
  if (bitmap_ == nullptr || bits == nullptr || memoryDc_ == nullptr) {
    Release();
    return false;
  }
  previousBitmap_ = SelectObject(memoryDc_, bitmap_);
  bits_ = static_cast<BYTE*>(bits);
  stride_ = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
  return true;
}

bool DibSection::ReadFrom(HDC dc, int x, int y, int width, int height) {
  if (memoryDc_ == nullptr) return false;
  const BOOL copied = BitBlt(memoryDc_, 0, 0, width, height, dc, x, y, SRCCOPY);
  // GDI may batch the blit; the pixels are read straight from memory next.
  GdiFlush();
  return copied != FALSE;
}

// In a bottom-up section the top-left area's lowest line is Height() - height
// lines above the section's bottom, which is where GDI counts source lines from.
bool DibSection::WriteTo(HDC dc, int x, int y, int width, int height) const {
  if (bits_ == nullptr) return false;
  GdiFlush();
  const int sectionHeight = Height();
  return SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0,
                           sectionHeight - height, 0, static_cast<UINT>(sectionHeight), bits_,
                           &info_, DIB_RGB_COLORS) != 0;
}
