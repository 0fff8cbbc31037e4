// The plain colour-to-region procedure, kept as the reference for tests and
// benchmarks: start from the whole picture and cut out every pixel whose
// GetPixel colour equals the clicked pixel's, one RGN_XOR per pixel, x in the
// outer loop and y in the inner one.
#pragma once

#include <windows.h>

#include "imaging/dib_image.h"
#include "ui/crgn.h"

// out receives the region; false when the device bitmap or the memory
// context cannot be made.
bool PerPixelColorRegion(const DibImage& image, POINT clicked, HDC dc, CRgn& out);
