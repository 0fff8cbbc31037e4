// Comparisons of palette entries and pixel colours (blue, green, red and
// the fourth byte, which is reserved or alpha depending on the picture).
#pragma once

#include "imaging/win32_types.h"

// The colour alone: the fourth byte is not looked at.
inline bool SameRgb(const RGBQUAD& a, const RGBQUAD& b) {
  return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed;
}

// All four bytes, as the transparent-colour test of drawing compares them.
inline bool SameQuad(const RGBQUAD& a, const RGBQUAD& b) {
  return SameRgb(a, b) && a.rgbReserved == b.rgbReserved;
}
