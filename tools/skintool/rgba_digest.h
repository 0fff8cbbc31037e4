// RgbaDigest: a picture's fingerprint for skin dumps. The picture is taken
// as top-down rows of red, green, blue, alpha bytes and hashed with SHA-256.
// Alpha comes from the alpha plane when there is one; else, for indexed
// pictures with the alpha-palette flag, from the palette entry's fourth
// byte; else it is 0 for pixels of the transparent index and 255 otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/dib_image.h"

class RgbaDigest {
 public:
  // The picture's rows as RGBA bytes; false for an empty image.
  static bool Rows(const DibImage& image, std::vector<uint8_t>& rgba);
  // Lower-case hex SHA-256 of those rows; empty for an empty image.
  static std::string HexOf(const DibImage& image);

 private:
  static void AppendRow(const DibImage& image, int rowFromTop, std::vector<uint8_t>& rgba);
  static uint8_t AlphaAt(const DibImage& image, int x, int y);
};
