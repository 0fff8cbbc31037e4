#include "imaging/color_key_region.h"

#include "imaging/color_compare.h"

#include <cstddef>

namespace {

constexpr uint32_t kColorBits = 0x00FFFFFF;

// Adds the runs of non-key pixels of one row. isKey is a small inlined
// lambda, so the per-pixel work stays inside this loop.
template <typename IsKey>
bool AddRowRuns(BandedRegionBuilder& builder, int y, int width, IsKey isKey) {
  int x = 0;
  while (x < width) {
    while (x < width && isKey(x)) ++x;
    const int start = x;
    while (x < width && !isKey(x)) ++x;
    if (x > start && !builder.AddRun(y, start, x)) return false;
  }
  return true;
}

// Per stored row of an image: the region rows are top-down, the stored rows
// bottom-up.
template <typename RowRuns>
bool BuildImageRegion(const DibImage& image, RowRuns rowRuns, RegionData& out) {
  BandedRegionBuilder builder;
  const int height = image.Height();
  for (int y = 0; y < height; ++y) {
    if (!rowRuns(builder, y, image.Row(height - 1 - y))) return false;
  }
  return builder.Finish(out);
}

bool TrueColorRegion(const DibImage& image, const RGBQUAD& key, RegionData& out) {
  const int width = image.Width();
  return BuildImageRegion(
      image,
      [&](BandedRegionBuilder& builder, int y, const BYTE* row) {
        return AddRowRuns(builder, y, width, [&](int x) {
          const BYTE* p = row + static_cast<size_t>(x) * 3;
          return p[0] == key.rgbBlue && p[1] == key.rgbGreen && p[2] == key.rgbRed;
        });
      },
      out);
}

// Indexed pictures: which palette entries carry the key colour is decided
// once per entry, so a pixel costs one table look-up.
bool IndexedRegion(const DibImage& image, const RGBQUAD& key, RegionData& out) {
  const int bits = image.BitCount();
  bool keyIndex[256] = {};
  for (int i = 0; i < (1 << bits); ++i) {
    keyIndex[i] = SameRgb(image.GetPaletteColor(static_cast<BYTE>(i)), key);
  }
  const int width = image.Width();
  return BuildImageRegion(
      image,
      [&](BandedRegionBuilder& builder, int y, const BYTE* row) {
        switch (bits) {
          case 8:
            return AddRowRuns(builder, y, width, [&](int x) { return keyIndex[row[x]]; });
          case 4:
            return AddRowRuns(builder, y, width, [&](int x) {
              const BYTE packed = row[x >> 1];
              return keyIndex[(x & 1) != 0 ? (packed & 0x0F) : (packed >> 4)];
            });
          default:
            return AddRowRuns(builder, y, width,
                              [&](int x) { return keyIndex[(row[x >> 3] >> (7 - (x & 7))) & 1]; });
        }
      },
      out);
}

// No pixel matches: every row is one run, and the builder folds them into
// the single rectangle.
bool WholeImageRegion(const DibImage& image, RegionData& out) {
  BandedRegionBuilder builder;
  for (int y = 0; y < image.Height(); ++y) builder.AddRun(y, 0, image.Width());
  return builder.Finish(out);
}

}  // namespace

bool AddColorKeyRow(BandedRegionBuilder& builder, int y, const uint32_t* row, int width,
                    uint32_t key) {
  return AddRowRuns(builder, y, width, [&](int x) { return (row[x] & kColorBits) == key; });
}

bool ColorKeyRegion(const uint32_t* pixels, int width, int height, uint32_t key, RegionData& out) {
  if (width < 0 || height < 0 || (pixels == nullptr && width > 0 && height > 0)) return false;
  BandedRegionBuilder builder;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
    if (!AddColorKeyRow(builder, y, row, width, key)) return false;
  }
  return builder.Finish(out);
}

bool ColorKeyRegion(const DibImage& image, POINT clicked, RegionData& out) {
  if (!image.IsValid() || image.Width() <= 0 || image.Height() <= 0) return false;
  const int bits = image.BitCount();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return false;
  if (clicked.x < 0 || clicked.x >= image.Width() || clicked.y < 0 || clicked.y >= image.Height()) {
    return WholeImageRegion(image, out);
  }
  const RGBQUAD key = image.GetPixelColor(clicked.x, image.Height() - 1 - clicked.y);
  return bits == 24 ? TrueColorRegion(image, key, out) : IndexedRegion(image, key, out);
}
