// PNG files through libpng's simplified reader: every colour type, depth,
// palette, transparency and interlacing libpng reads, as BGRA pixels.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/pixway/decoded_image.h"

namespace pixway {

class PngReader {
 public:
  static bool IsPng(const uint8_t* data, size_t size);
  // False for damaged files and images beyond kMaxImageSide.
  static bool Read(const uint8_t* data, size_t size, DecodedImage* image);
};

}  // namespace pixway
