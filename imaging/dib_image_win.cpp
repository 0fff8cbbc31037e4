// DibImage's GDI side: conversions from and to GDI bitmaps and clipboard
// blocks, and drawing onto device contexts.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "imaging/dib_image.h"
#include "imaging/dib_pixel_reader.h"
#include "imaging/dib_section_win.h"
#include "imaging/gdi_object_win.h"
#include "imaging/global_memory_lock_win.h"
#include "imaging/scratch_section_win.h"
#include "imaging/screen_dc_win.h"
#include "imaging/software_compositor_win.h"

namespace {

// --- Packed DIBs from outside ---------------------------------------------

// Where the parts of a packed DIB lie. Bit-field masks follow a 40-byte
// header (larger headers carry them inside); the colour table follows them.
struct PackedDibLayout {
  uint64_t paletteOffset = 0;
  uint64_t paletteEntries = 0;
  uint64_t pixelOffset = 0;
  uint64_t pixelBytes = 0;  // 0 for compressed pixels, which are not read
};

bool IsSupportedDepth(WORD bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
         bitCount == 32;
}

bool HasPlainPixels(const BITMAPINFOHEADER& header) {
  if (header.biCompression == BI_RGB) return true;
  return header.biCompression == BI_BITFIELDS &&
         (header.biBitCount == 16 || header.biBitCount == 32);
}

bool IsUsableHeader(const BITMAPINFOHEADER& header) {
  return header.biSize >= sizeof(BITMAPINFOHEADER) && IsSupportedDepth(header.biBitCount) &&
         header.biWidth > 0 && header.biHeight > 0;
}

PackedDibLayout LayoutOf(const BITMAPINFOHEADER& header) {
  PackedDibLayout layout;
  const bool masksFollow = header.biCompression == BI_BITFIELDS && header.biSize == 40;
  layout.paletteOffset = uint64_t{header.biSize} + (masksFollow ? 12 : 0);
  if (header.biClrUsed != 0)
    layout.paletteEntries = header.biClrUsed;
  else if (header.biBitCount <= 8)
    layout.paletteEntries = uint64_t{1} << header.biBitCount;
  layout.pixelOffset = layout.paletteOffset + layout.paletteEntries * 4;
  const uint64_t width = static_cast<uint64_t>(header.biWidth);
  const uint64_t stride = (width * header.biBitCount + 31) / 32 * 4;
  if (HasPlainPixels(header)) layout.pixelBytes = stride * static_cast<uint64_t>(header.biHeight);
  return layout;
}

// Written so that no sum can wrap, whatever the header claims.
bool FitsIn(const PackedDibLayout& layout, uint64_t available) {
  return layout.pixelOffset <= available && layout.pixelBytes <= available - layout.pixelOffset;
}

void CopyPalette(DibImage& image, const BYTE* source, const PackedDibLayout& layout) {
  RGBQUAD* palette = image.Palette();
  if (palette == nullptr) return;
  const uint64_t count =
      layout.paletteEntries < image.ColorsUsed() ? layout.paletteEntries : image.ColorsUsed();
  std::memcpy(palette, source + layout.paletteOffset, static_cast<size_t>(count) * 4);
}

// A 32-bit picture goes through a 32-bit DIB section and GDI's own conversion
// to 24 bits. The rows are copied into the section's memory as they are, both
// being bottom-up (SetBitmapBits would take them top-down and flip the picture).
bool CreateFrom32BitPixels(DibImage& image, const BITMAPINFOHEADER& header, const BYTE* pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = header.biWidth;
  info.bmiHeader.biHeight = header.biHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const GdiObject<HBITMAP> section(
      CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (section.IsNull() || bits == nullptr) return false;
  std::memcpy(bits, pixels,
              static_cast<size_t>(header.biWidth) * static_cast<size_t>(header.biHeight) * 4);
  GdiFlush();
  return image.CreateFromHBITMAP(section);
}

void ConvertFrom16BitPixels(DibImage& image, const BYTE* source, const BITMAPINFOHEADER& header,
                            const BYTE* pixels) {
  DWORD masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (header.biCompression == BI_BITFIELDS) std::memcpy(masks, source + 40, sizeof(masks));
  image.ConvertBitfields(pixels, masks[0], masks[1], masks[2], 16);
}

bool FillFromPackedBytes(DibImage& image, const BYTE* source, const BITMAPINFOHEADER& header,
                         const PackedDibLayout& layout) {
  const BYTE* pixels = source + layout.pixelOffset;
  if (header.biBitCount == 32) return CreateFrom32BitPixels(image, header, pixels);
  if (image.Create(header.biWidth, header.biHeight, header.biBitCount, image.Format()) == nullptr)
    return false;
  if (header.biBitCount == 16 && HasPlainPixels(header)) {
    ConvertFrom16BitPixels(image, source, header, pixels);
  } else if (header.biCompression == BI_RGB) {
    CopyPalette(image, source, layout);
    std::memcpy(image.Pixels(), pixels, image.SizeImage());
  }
  return true;  // compressed pixels are not decoded: the picture stays blank
}

// --- Drawing ----------------------------------------------------------------

const BITMAPINFO* InfoOf(const DibImage& image) {
  return reinterpret_cast<const BITMAPINFO*>(image.Block());
}

// AlphaBlend takes colours premultiplied by their opacity. Opacity is read
// exactly as the software compositor reads it, so both paths agree.
void FillPremultiplied(const DibImage& image, DibSection& section) {
  const DibPixelReader reader(image);
  for (int row = 0; row < image.Height(); ++row) {
    BYTE* out = section.RowFromTop(row);
    reader.ForEachPixel(
        row, [](int column) { return column; }, image.Width(),
        [out](int column, RGBQUAD color, int opacity) {
          BYTE* pixel = out + static_cast<size_t>(column) * 4;
          if (opacity == 0) {
            std::memset(pixel, 0, 4);
            return;
          }
          pixel[0] = static_cast<BYTE>((color.rgbBlue * opacity) >> 8);
          pixel[1] = static_cast<BYTE>((color.rgbGreen * opacity) >> 8);
          pixel[2] = static_cast<BYTE>((color.rgbRed * opacity) >> 8);
          pixel[3] = static_cast<BYTE>(opacity);
        });
  }
}

// Always at the picture's natural size.
bool DrawWithPlatformBlending(const DibImage& image, HDC dc, int x, int y) {
  const int width = image.Width();
  const int height = image.Height();
  ScratchSection scratch(width, height, 32);
  DibSection* section = scratch.Get();
  if (section == nullptr) return false;
  FillPremultiplied(image, *section);
  GdiFlush();
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, width, height, section->Context(), 0, 0, width, height, blend);
  return true;
}

bool DrawNaturalOpaque(const DibImage& image, HDC dc, int x, int y) {
  SetStretchBltMode(dc, COLORONCOLOR);
  const int height = image.Height();
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(image.Width()), static_cast<DWORD>(height), 0, 0,
                    0, static_cast<UINT>(height), image.Pixels(), InfoOf(image), DIB_RGB_COLORS);
  return true;
}

}  // namespace

// --- Creation from platform objects -------------------------------------

bool DibImage::CreateFromHBITMAP(HBITMAP bitmap) {
  Destroy();
  if (bitmap == nullptr) return false;
  BITMAP info{};
  if (GetObject(bitmap, sizeof(info), &info) == 0) return false;
  const int bitCount = info.bmBitsPixel > 8 ? 24 : info.bmBitsPixel;
  if (Create(info.bmWidth, std::abs(info.bmHeight), bitCount, format_) == nullptr) return false;

  const ScreenDC screen;
  const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(Height()), pixels_,
                              reinterpret_cast<BITMAPINFO*>(block_), DIB_RGB_COLORS);
  // GetDIBits may rewrite counts in the block's header; the block must keep
  // describing this image.
  std::memcpy(block_, &header_, sizeof(header_));
  if (lines == 0) {
    SetLastError("GetDIBits failed");
    return false;
  }
  return true;
}

// The block comes from another program (the clipboard): its header, colour
// table and pixels are checked against the block's real size before any read.
bool DibImage::CreateFromPackedDib(HGLOBAL packedDib) {
  Destroy();
  if (packedDib == nullptr) return false;
  const SIZE_T available = GlobalSize(packedDib);
  if (available < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER header;
  bool created = false;
  {
    const GlobalMemoryLock lock(packedDib);
    const BYTE* source = lock.Bytes();
    if (source == nullptr) return false;
    std::memcpy(&header, source, sizeof(header));
    if (IsUsableHeader(header)) {
      const PackedDibLayout layout = LayoutOf(header);
      created = FitsIn(layout, available) && FillFromPackedBytes(*this, source, header, layout);
    }
  }
  if (!created) {
    Destroy();
    return false;
  }
  header_.biXPelsPerMeter = header.biXPelsPerMeter;
  header_.biYPelsPerMeter = header.biYPelsPerMeter;
  DpiFromPelsPerMeter();
  std::memcpy(block_, &header_, sizeof(header_));
  return true;
}

HBITMAP DibImage::MakeBitmap(HDC dc) const {
  if (!IsValid()) return nullptr;
  if (dc != nullptr)
    return CreateDIBitmap(dc, &header_, CBM_INIT, pixels_, InfoOf(*this), DIB_RGB_COLORS);
  const ScreenDC screen;
  return CreateDIBitmap(screen, &header_, CBM_INIT, pixels_, InfoOf(*this), DIB_RGB_COLORS);
}

// --- Drawing ----------------------------------------------------------------

bool DibImage::Draw(HDC dc, int x, int y, int cx, int cy) const {
  if (!IsValid() || dc == nullptr || cx == 0 || cy == 0) return false;
  const int width = Width();
  const int height = Height();
  if (cx < 0) cx = width;
  if (cy < 0) cy = height;
  const bool keyed = transparentIndex_ >= 0;
  const bool transparent = keyed || HasAlpha() || alphaPalette_;
  if (!transparent && cx == width && cy == height) return DrawNaturalOpaque(*this, dc, x, y);
  if (!transparent) return SoftwareCompositor(*this, x, y, cx, cy).DrawOpaque(dc);
  if (systemAlphaBlending_ && !keyed) return DrawWithPlatformBlending(*this, dc, x, y);
  return SoftwareCompositor(*this, x, y, cx, cy).DrawBlended(dc);
}

bool DibImage::Stretch(HDC dc, int x, int y, int cx, int cy) const {
  if (!IsValid() || dc == nullptr || cx == 0 || cy == 0) return false;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x, y, cx, cy, 0, 0, Width(), Height(), pixels_, InfoOf(*this), DIB_RGB_COLORS,
                SRCCOPY);
  return true;
}

// The last column and row are not cut to the rectangle; the context's
// clipping alone limits them.
bool DibImage::Tile(HDC dc, const RECT& rect) const {
  if (!IsValid() || dc == nullptr) return false;
  const int64_t rectWidth = int64_t{rect.right} - rect.left;
  const int64_t rectHeight = int64_t{rect.bottom} - rect.top;
  for (int64_t y = 0; y < rectHeight; y += Height())
    for (int64_t x = 0; x < rectWidth; x += Width())
      Draw(dc, static_cast<int>(rect.left + x), static_cast<int>(rect.top + y), -1, -1);
  return true;
}

bool DibImage::DrawCentered(HDC dc, const RECT& rect) const {
  const int x = rect.left + (rect.right - rect.left) / 2 - Width() / 2;
  const int y = rect.top + (rect.bottom - rect.top) / 2 - Height() / 2;
  return Draw(dc, x, y, -1, -1);
}
