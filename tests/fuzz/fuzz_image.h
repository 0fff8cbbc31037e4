// Shared by the image fuzz targets: decode bytes, and for every picture that
// decodes, write it back in the same format and check that reading the
// written bytes gives the same picture (a writer fault or a reader that
// depends on more than the file shows as a crash).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "imaging/dib_image.h"
#include "imaging/image_stream.h"

namespace fuzz_image {

inline bool DecodeBytes(const uint8_t* data, size_t size, int format, DibImage& image) {
  if (size == 0) return false;  // fmemopen refuses an empty buffer
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (file == nullptr) return false;
  ImageStream stream(file);
  const bool decoded = image.Decode(stream, format);
  std::fclose(file);
  return decoded;
}

inline void Require(bool condition) {
  if (!condition) std::abort();
}

inline bool SameEntry(const RGBQUAD& a, const RGBQUAD& b) {
  return std::memcmp(&a, &b, sizeof(RGBQUAD)) == 0;
}

inline void RequireSamePicture(const DibImage& a, const DibImage& b) {
  Require(a.Width() == b.Width() && a.Height() == b.Height() && a.BitCount() == b.BitCount());
  Require(a.ColorsUsed() == b.ColorsUsed() && a.TransparentIndex() == b.TransparentIndex());
  Require(a.AlphaPalette() == b.AlphaPalette() && a.HasAlpha() == b.HasAlpha());
  for (DWORD i = 0; i < a.ColorsUsed(); ++i) Require(SameEntry(a.Palette()[i], b.Palette()[i]));
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.ColorsUsed() != 0)
        Require(a.GetPixelIndex(x, y) == b.GetPixelIndex(x, y));
      else
        Require(SameEntry(a.GetPixelColor(x, y), b.GetPixelColor(x, y)));
      Require(a.AlphaGet(x, y) == b.AlphaGet(x, y));
    }
  }
}

inline void RoundTrip(DibImage& image, int format) {
  char* written = nullptr;
  size_t size = 0;
  std::FILE* file = open_memstream(&written, &size);
  if (file == nullptr) return;
  ImageStream stream(file);
  const bool encoded = image.Encode(stream, format);
  std::fclose(file);
  Require(encoded);
  DibImage again;
  Require(DecodeBytes(reinterpret_cast<const uint8_t*>(written), size, format, again));
  RequireSamePicture(image, again);
  std::free(written);
}

// A header of a few bytes can ask for a picture of hundreds of megabytes,
// and zero-filling that for every such input would leave the fuzzer running
// a few inputs a second. Inputs whose header asks for more pixels than this
// are skipped (the size checks themselves are unit-tested); the pixel-by-
// pixel comparison has a lower limit of its own.
constexpr int64_t kLargestPicture = int64_t{1} << 22;
constexpr int64_t kRoundTripPixels = int64_t{1} << 20;

inline int64_t Magnitude(int64_t value) { return value < 0 ? -value : value; }

inline bool IsLargePicture(int64_t width, int64_t height) {
  width = Magnitude(width);
  height = Magnitude(height);
  if (width > kLargestPicture || height > kLargestPicture) return true;
  return width * height > kLargestPicture;
}

inline void Run(const uint8_t* data, size_t size, int format) {
  DibImage image;
  if (!DecodeBytes(data, size, format, image)) return;
  if (int64_t{image.Width()} * image.Height() <= kRoundTripPixels) RoundTrip(image, format);
}

}  // namespace fuzz_image
