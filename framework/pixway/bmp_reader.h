// Windows bitmap files: core (12-byte) and info (40 bytes or longer)
// headers; 1, 4 and 8 bits with palette, 16 bits (5-5-5, or bit fields),
// 24 and 32 bits; bottom-up and top-down. Compressed bitmaps are refused.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/pixway/decoded_image.h"

namespace pixway {

class BmpReader {
 public:
  static bool IsBmp(const uint8_t* data, size_t size);
  static bool Read(const uint8_t* data, size_t size, DecodedImage* image);
};

}  // namespace pixway
