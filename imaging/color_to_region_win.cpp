#include "imaging/color_to_region_win.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

#include "imaging/banded_region_builder.h"
#include "imaging/color_key_region.h"
#include "imaging/gdi_object_win.h"
#include "imaging/region_data.h"
#include "imaging/screen_dc_win.h"

namespace {

// The device bitmap is read back this many rows at a time: the buffer stays
// small (fresh memory is costly to touch) whatever the picture's size.
constexpr int kRowsPerRead = 64;

// Reads the device bitmap as 32-bit pixels, bottom-up like the bitmap's scan
// lines. GetDIBits wants the bitmap selected into no context, so it is read
// through a memory context compatible with the caller's, without selecting.
class DeviceRowReader {
 public:
  DeviceRowReader(HDC dc, HBITMAP bitmap, int width, int height)
      : memory_(CreateCompatibleDC(dc)), bitmap_(bitmap), width_(width), height_(height) {
    info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info_.bmiHeader.biWidth = width;
    info_.bmiHeader.biHeight = height;
    info_.bmiHeader.biPlanes = 1;
    info_.bmiHeader.biBitCount = 32;
    info_.bmiHeader.biCompression = BI_RGB;
    const size_t rows = static_cast<size_t>(std::min(height, kRowsPerRead));
    buffer_.reset(new (std::nothrow) uint32_t[rows * static_cast<size_t>(width)]);
  }
  ~DeviceRowReader() {
    if (memory_ != nullptr) DeleteDC(memory_);
  }
  DeviceRowReader(const DeviceRowReader&) = delete;
  DeviceRowReader& operator=(const DeviceRowReader&) = delete;

  bool IsReady() const { return memory_ != nullptr && buffer_ != nullptr; }

  // Reads count rows starting at row top (counted from the top); Row(i) is
  // then row top + i.
  bool Read(int top, int count) {
    count_ = count;
    const UINT firstScan = static_cast<UINT>(height_ - top - count);
    return GetDIBits(memory_, bitmap_, firstScan, static_cast<UINT>(count), buffer_.get(), &info_,
                     DIB_RGB_COLORS) == count;
  }
  const uint32_t* Row(int i) const {
    return buffer_.get() + static_cast<size_t>(count_ - 1 - i) * static_cast<size_t>(width_);
  }

 private:
  HDC memory_;
  HBITMAP bitmap_;
  int width_;
  int height_;
  int count_ = 0;
  BITMAPINFO info_{};
  std::unique_ptr<uint32_t[]> buffer_;
};

// The clicked pixel's device colour; kNoColorKey off the picture, as
// GetPixel reports there.
bool ReadKey(DeviceRowReader& reader, POINT clicked, int width, int height, uint32_t& key) {
  key = kNoColorKey;
  if (clicked.x < 0 || clicked.x >= width || clicked.y < 0 || clicked.y >= height) return true;
  if (!reader.Read(clicked.y, 1)) return false;
  key = reader.Row(0)[clicked.x] & 0x00FFFFFF;
  return true;
}

bool BuildFromDevice(DeviceRowReader& reader, POINT clicked, int width, int height,
                     RegionData& out) {
  uint32_t key = 0;
  if (!ReadKey(reader, clicked, width, height, key)) return false;
  BandedRegionBuilder builder;
  for (int top = 0; top < height; top += kRowsPerRead) {
    const int count = std::min(kRowsPerRead, height - top);
    if (!reader.Read(top, count)) return false;
    for (int i = 0; i < count; ++i) {
      if (!AddColorKeyRow(builder, top + i, reader.Row(i), width, key)) return false;
    }
  }
  return builder.Finish(out);
}

// The colour-key region of the picture as the device shows it.
bool DeviceColorKeyRegion(const DibImage& image, POINT clicked, HDC dc, RegionData& out) {
  const int width = image.Width();
  const int height = image.Height();
  if (width <= 0 || height <= 0) return false;
  const GdiObject<HBITMAP> bitmap(image.MakeBitmap(dc));
  if (bitmap.IsNull()) return false;
  DeviceRowReader reader(dc, bitmap, width, height);
  return reader.IsReady() && BuildFromDevice(reader, clicked, width, height, out);
}

// Whether bitmaps made for dc keep every 24-bit colour as it is (eight bits
// a channel, no palette). The device colours are then the picture's own
// colours, and the picture can be read directly instead of through a device
// bitmap, which saves creating and reading back a bitmap of the picture's
// full size.
bool DeviceKeepsTrueColor(HDC dc) {
  const ScreenDC screen;
  const GdiObject<HBITMAP> probe(CreateCompatibleBitmap(dc != nullptr ? dc : screen.Get(), 1, 1));
  if (probe.IsNull()) return false;
  DIBSECTION section{};
  const int size = GetObject(probe, sizeof(section), &section);
  const int bits = section.dsBm.bmBitsPixel;
  if (size == static_cast<int>(sizeof(BITMAP))) return bits == 24 || bits == 32;
  if (size != static_cast<int>(sizeof(DIBSECTION)) || (bits != 24 && bits != 32)) return false;
  if (section.dsBmih.biCompression == BI_RGB) return true;
  return section.dsBmih.biCompression == BI_BITFIELDS && section.dsBitfields[0] == 0xFF0000 &&
         section.dsBitfields[1] == 0x00FF00 && section.dsBitfields[2] == 0x0000FF;
}

}  // namespace

bool ColorToRegion(const DibImage& image, POINT clicked, HDC dc, WindowRegion& shape) {
  shape.points.clear();
  RegionData built;
  const bool made = DeviceKeepsTrueColor(dc) ? ColorKeyRegion(image, clicked, built)
                                             : DeviceColorKeyRegion(image, clicked, dc, built);
  if (!made) return false;
  // The stored region is what GDI makes of the rectangles, byte for byte.
  HRGN handle = built.CreateHandle();
  if (handle == nullptr) return false;
  RegionData stored;
  const bool ok = RegionData::FromHandle(handle, stored);
  DeleteObject(handle);
  if (!ok) return false;
  shape.region = std::move(stored);
  return true;
}
