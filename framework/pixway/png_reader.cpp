#include "framework/pixway/png_reader.h"

#include <png.h>

#include <cstring>
#include <new>

namespace pixway {

bool PngReader::IsPng(const uint8_t* data, size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool PngReader::Read(const uint8_t* data, size_t size, DecodedImage* image) {
  *image = DecodedImage();
  if (!IsPng(data, size)) return false;
  png_image png;
  std::memset(&png, 0, sizeof(png));
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) return false;
  if (png.width == 0 || png.height == 0 || png.width > static_cast<uint32_t>(kMaxImageSide) ||
      png.height > static_cast<uint32_t>(kMaxImageSide)) {
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_BGRA;
  const size_t bytes = PNG_IMAGE_SIZE(png);
  std::vector<uint8_t> pixels;
  pixels.resize(bytes);
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  image->width = static_cast<int32_t>(png.width);
  image->height = static_cast<int32_t>(png.height);
  image->pixels.swap(pixels);
  png_image_free(&png);
  return true;
}

}  // namespace pixway
