#include "tools/skintool/rgba_digest.h"

#include "tools/skintool/sha256.h"

bool RgbaDigest::Rows(const DibImage& image, std::vector<uint8_t>& rgba) {
  rgba.clear();
  if (!image.IsValid()) return false;
  rgba.reserve(static_cast<size_t>(image.Width()) * 4 * static_cast<size_t>(image.Height()));
  for (int row = 0; row < image.Height(); ++row) AppendRow(image, row, rgba);
  return true;
}

std::string RgbaDigest::HexOf(const DibImage& image) {
  if (!image.IsValid()) return std::string();
  // Row by row, so only one row of RGBA is held at a time.
  Sha256 hash;
  std::vector<uint8_t> row;
  row.reserve(static_cast<size_t>(image.Width()) * 4);
  for (int y = 0; y < image.Height(); ++y) {
    row.clear();
    AppendRow(image, y, row);
    hash.Update(row.data(), row.size());
  }
  return Sha256::ToHex(hash.Finish());
}

void RgbaDigest::AppendRow(const DibImage& image, int rowFromTop, std::vector<uint8_t>& rgba) {
  const int y = image.Height() - 1 - rowFromTop;  // stored rows count from the bottom
  for (int x = 0; x < image.Width(); ++x) {
    const RGBQUAD color = image.GetPixelColor(x, y);
    rgba.push_back(color.rgbRed);
    rgba.push_back(color.rgbGreen);
    rgba.push_back(color.rgbBlue);
    rgba.push_back(AlphaAt(image, x, y));
  }
}

uint8_t RgbaDigest::AlphaAt(const DibImage& image, int x, int y) {
  if (image.HasAlpha()) return image.AlphaGet(x, y);
  const bool indexed = image.Palette() != nullptr;
  if (!indexed) return 255;
  const BYTE index = image.GetPixelIndex(x, y);
  if (image.AlphaPalette()) return image.GetPaletteColor(index).rgbReserved;
  return image.TransparentIndex() == static_cast<int>(index) ? 0 : 255;
}
