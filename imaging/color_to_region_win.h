// ColorToRegion: the region editor's "Color2Rgn". The picture's rectangle
// minus every pixel that shows the clicked pixel's colour on the device
// (colours the device maps together count as equal, as GetPixel would
// report them).
#pragma once

#include "imaging/dib_image.h"
#include "imaging/win32_types.h"
#include "imaging/window_region.h"

// Empties shape's points, then replaces its region with the one built from
// image as drawn on dc (clicked in picture pixels, top-down). A point off the
// picture gives the whole rectangle. Where dc's bitmaps keep 24-bit colours
// as they are, the picture's own colours are compared (they are the device
// colours); otherwise the picture is made into a device bitmap (MakeBitmap)
// and read back. When the picture, the device bitmap, the read or the region
// fails, false is returned and the old region stays.
bool ColorToRegion(const DibImage& image, POINT clicked, HDC dc, WindowRegion& shape);
