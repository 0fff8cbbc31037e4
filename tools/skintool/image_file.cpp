#include "tools/skintool/image_file.h"

#include <cstdio>

#include "imaging/image_stream.h"

namespace {

bool EndsWithNoCase(const std::string& text, const char* suffix) {
  const std::string tail(suffix);
  if (text.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i) {
    char c = text[text.size() - tail.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != tail[i]) return false;
  }
  return true;
}

}  // namespace

int ImageFile::FormatOf(const std::string& path) {
  if (EndsWithNoCase(path, ".bmp")) return DibImage::kFormatBmp;
  if (EndsWithNoCase(path, ".png")) return DibImage::kFormatPng;
  return -1;
}

std::string ImageFile::LastErrorOr(const DibImage& image, const char* fallback) {
  const char* lastError = image.LastError();
  return lastError[0] != '\0' ? std::string(lastError) : std::string(fallback);
}

bool ImageFile::Load(const std::string& path, DibImage& image, std::string& error) {
  const int format = FormatOf(path);
  if (format < 0) {
    error = "not a .bmp or .png file";
    return false;
  }
  image.SetLastError("");
  if (!image.Load(path.c_str(), format)) {
    error = LastErrorOr(image, "cannot open the file");
    return false;
  }
  return true;
}

bool ImageFile::Save(DibImage& image, const std::string& path, std::string& error) {
  const int format = FormatOf(path);
  if (format < 0) {
    error = "not a .bmp or .png file";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot create the file";
    return false;
  }
  image.SetLastError("");
  bool encoded = false;
  {
    ImageStream stream(file);
    encoded = image.Encode(stream, format);
  }
  const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
  const bool closed = std::fclose(file) == 0;
  if (encoded && flushed && closed) return true;
  error = !encoded ? LastErrorOr(image, "cannot encode the image") : "cannot write the file";
  std::remove(path.c_str());
  return false;
}
