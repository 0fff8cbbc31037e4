// DibPixelReader: walks a DibImage's stored rows the way drawing sees them,
// so every drawing path resolves colour and opacity identically.
//
// Colour: indexed pictures resolve the palette (the entry's fourth byte kept),
// 24-bit pictures give blue, green, red and a zero fourth byte.
// Opacity: the alpha-plane value, 255 without a plane; when the alpha palette
// flag is on, an indexed pixel's opacity is scaled by its entry's alpha as
// (entry alpha + 1) x opacity >> 8.
//
// Header-only so that the row loops inline into their callers. The depth is
// dispatched once per row and the loop state lives in locals: callers write
// pixels through byte pointers, which may alias anything, so state read from
// members would be reloaded after every store. The reader holds raw pointers
// into the image: it must not outlive the image or survive a re-Create.
#pragma once

#include <cstddef>

#include "imaging/dib_image.h"

class DibPixelReader {
 public:
  explicit DibPixelReader(const DibImage& image)
      : bitCount_(image.BitCount()),
        width_(image.Width()),
        height_(image.Height()),
        stride_(image.RowStride()),
        pixels_(image.Pixels()),
        palette_(image.Palette()),
        alpha_(image.AlphaPlane()),
        alphaPalette_(image.AlphaPalette() && image.Palette() != nullptr) {}

  // Calls visit(i, colour, opacity) for i = 0 .. count - 1 with the pixel at
  // column columnOf(i) of the picture's line rowFromTop (0 = top line).
  // Rows and columns must lie inside the picture.
  template <typename ColumnOf, typename Visit>
  void ForEachPixel(int rowFromTop, ColumnOf columnOf, int count, Visit visit) const {
    const size_t stored = static_cast<size_t>(height_ - 1 - rowFromTop);
    const BYTE* row = pixels_ + stored * stride_;
    const BYTE* alphaRow =
        alpha_ != nullptr ? alpha_ + stored * static_cast<size_t>(width_) : nullptr;
    switch (bitCount_) {
      case 24:
        return Walk<24>(row, alphaRow, columnOf, count, visit);
      case 8:
        return Walk<8>(row, alphaRow, columnOf, count, visit);
      case 4:
        return Walk<4>(row, alphaRow, columnOf, count, visit);
      default:
        return Walk<1>(row, alphaRow, columnOf, count, visit);
    }
  }

 private:
  template <int Bits>
  static RGBQUAD ColorAt(const BYTE* row, const RGBQUAD* palette, int column) {
    if (Bits == 24) {
      const BYTE* p = row + static_cast<size_t>(column) * 3;
      return RGBQUAD{p[0], p[1], p[2], 0};
    }
    if (Bits == 8) return palette[row[column]];
    if (Bits == 4) {
      const BYTE packed = row[column >> 1];
      return palette[(column & 1) != 0 ? (packed & 0x0F) : (packed >> 4)];
    }
    return palette[(row[column >> 3] >> (7 - (column & 7))) & 1];
  }

  template <int Bits, typename ColumnOf, typename Visit>
  void Walk(const BYTE* row, const BYTE* alphaRow, ColumnOf columnOf, int count,
            Visit& visit) const {
    const RGBQUAD* palette = palette_;
    const bool alphaPalette = Bits != 24 && alphaPalette_;
    for (int i = 0; i < count; ++i) {
      const int column = columnOf(i);
      const RGBQUAD color = ColorAt<Bits>(row, palette, column);
      int opacity = alphaRow != nullptr ? alphaRow[column] : 255;
      if (alphaPalette) opacity = ((color.rgbReserved + 1) * opacity) >> 8;
      visit(i, color, opacity);
    }
  }

  int bitCount_;
  int width_;
  int height_;
  size_t stride_;
  const BYTE* pixels_;
  const RGBQUAD* palette_;
  const BYTE* alpha_;
  bool alphaPalette_;
};
