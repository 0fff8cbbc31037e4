// ImageFile: reads and writes whole BMP and PNG files through DibImage's
// codecs, picking the format from the file name's extension (.bmp or .png,
// any case). Failures come back as one line of text: the image's last error
// when the codec set one, else what went wrong with the file.
#pragma once

#include <string>

#include "imaging/dib_image.h"

class ImageFile {
 public:
  // DibImage::kFormatBmp or kFormatPng for the extension of path, else -1.
  static int FormatOf(const std::string& path);

  static bool Load(const std::string& path, DibImage& image, std::string& error);
  // Writes image in the format of path's extension. A failed write removes
  // the partly written file.
  static bool Save(DibImage& image, const std::string& path, std::string& error);

 private:
  static std::string LastErrorOr(const DibImage& image, const char* fallback);
};
