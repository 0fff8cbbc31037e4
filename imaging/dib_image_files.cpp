// DibImage: reading and writing image files. The codecs work on a scratch
// image (reading) or a ghost of this one (writing), so a failed read never
// touches this picture.
#include <cstdio>

#include "imaging/bmp_codec.h"
#include "imaging/dib_image.h"
#include "imaging/image_stream.h"
#include "imaging/png_codec.h"

namespace {

constexpr char kUnsupportedFormat[] = "Unsupported operation for this format";

bool IsKnownFormat(int format) {
  return format == DibImage::kFormatBmp || format == DibImage::kFormatPng;
}

}  // namespace

bool DibImage::Load(const char* fileName, int format) {
  if (fileName == nullptr) return false;
  std::FILE* file = std::fopen(fileName, "rb");
  if (file == nullptr) return false;
  ImageStream stream(file);
  const bool decoded = Decode(stream, format);
  std::fclose(file);
  return decoded;
}

bool DibImage::Decode(ImageStream& stream, int format) {
  if (!IsKnownFormat(format)) {
    SetLastError(kUnsupportedFormat);
    return false;
  }
  DibImage scratch(format);
  const bool read =
      format == kFormatBmp ? BmpCodec(stream, scratch).Read() : PngCodec(stream, scratch).Read();
  if (!read) {
    SetLastError(scratch.LastError());
    return false;
  }
  Transfer(scratch);
  return true;
}

bool DibImage::Encode(ImageStream& stream, int format) {
  if (!IsKnownFormat(format)) {
    SetLastError(kUnsupportedFormat);
    return false;
  }
  DibImage ghost(format);
  ghost.Ghost(*this);
  const bool written =
      format == kFormatBmp ? BmpCodec(stream, ghost).Write() : PngCodec(stream, ghost).Write();
  if (!written) SetLastError(ghost.LastError());
  return written;
}
