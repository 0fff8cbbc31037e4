#include "tests/support/per_pixel_color_region_win.h"

bool PerPixelColorRegion(const DibImage& image, POINT clicked, HDC dc, CRgn& out) {
  HBITMAP bitmap = image.MakeBitmap(dc);
  if (bitmap == nullptr) return false;
  HDC memory = CreateCompatibleDC(dc);
  if (memory == nullptr) {
    DeleteObject(bitmap);
    return false;
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  const int width = image.Width();
  const int height = image.Height();
  bool ok = out.CreateRectRgn(0, 0, width, height);
  const COLORREF key = GetPixel(memory, clicked.x, clicked.y);
  CRgn pixel;
  ok = ok && pixel.CreateRectRgn(0, 0, 1, 1);
  for (int x = 0; ok && x < width; ++x) {
    for (int y = 0; ok && y < height; ++y) {
      if (GetPixel(memory, x, y) != key) continue;
      ok = SetRectRgn(pixel, x, y, x + 1, y + 1) != FALSE &&
           out.CombineRgn(&out, &pixel, RGN_XOR) != ERROR;
    }
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return ok;
}
