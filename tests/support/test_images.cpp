#include "tests/support/test_images.h"

RGBQUAD Rgb(BYTE red, BYTE green, BYTE blue, BYTE reserved) {
  RGBQUAD color;
  color.rgbBlue = blue;
  color.rgbGreen = green;
  color.rgbRed = red;
  color.rgbReserved = reserved;
  return color;
}

bool MakeFilledImage(DibImage& image, int width, int height, int bitCount, RGBQUAD color) {
  if (image.Create(width, height, bitCount, DibImage::kFormatBmp) == nullptr) return false;
  image.SetGrayPalette();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixelColor(x, y, color);
  return true;
}

RGBQUAD PatternColor(int x, int y) {
  return Rgb(static_cast<BYTE>(10 * x + 1), static_cast<BYTE>(20 * y + 2),
             static_cast<BYTE>(x * 7 + y * 13 + 3));
}

bool MakePatternImage(DibImage& image, int width, int height) {
  if (image.Create(width, height, 24, DibImage::kFormatBmp) == nullptr) return false;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixelColor(x, y, PatternColor(x, y));
  return true;
}

bool MakeIndexPatternImage(DibImage& image, int width, int height, int bitCount) {
  if (image.Create(width, height, bitCount, DibImage::kFormatBmp) == nullptr) return false;
  image.SetGrayPalette();
  const int colors = static_cast<int>(image.ColorsUsed());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixelIndex(x, y, static_cast<BYTE>((x + 3 * y) % colors));
  return true;
}

bool operator==(const RGBQUAD& a, const RGBQUAD& b) {
  return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed &&
         a.rgbReserved == b.rgbReserved;
}

void PrintTo(const RGBQUAD& color, std::ostream* out) {
  *out << "rgb(" << int{color.rgbRed} << "," << int{color.rgbGreen} << "," << int{color.rgbBlue}
       << "," << int{color.rgbReserved} << ")";
}
