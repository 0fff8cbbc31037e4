// Pixels as pixway hands them out: width x height pixels of 4 bytes (blue,
// green, red, alpha; straight alpha, 255 opaque), rows top-down, unpadded.
#pragma once

#include <cstdint>
#include <vector>

namespace pixway {

// Larger sides are refused: no installer image is that big, and the bound
// keeps width * height * 4 far from overflow.
constexpr int32_t kMaxImageSide = 16384;

struct DecodedImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
};

}  // namespace pixway
