#include "imaging/bmp_rle_decoder.h"

#include "imaging/dib_image.h"
#include "imaging/image_stream.h"

namespace {

constexpr BYTE kEndOfLine = 0;
constexpr BYTE kEndOfBitmap = 1;
constexpr BYTE kDelta = 2;

// Absolute runs keep the data on 16-bit boundaries.
bool NeedsPadding(int64_t bytesInRun) { return (bytesInRun & 1) != 0; }

}  // namespace

BmpRleDecoder::BmpRleDecoder(ImageStream& stream, DibImage& image, int bitsPerPixel)
    : stream_(stream), image_(image), bitsPerPixel_(bitsPerPixel) {}

void BmpRleDecoder::Decode() {
  while (!finished_) {
    BYTE count = 0;
    if (!ReadByte(count)) return;
    if (count == 0) {
      BYTE code = 0;
      if (!ReadByte(code) || !Escape(code)) return;
    } else if (!EncodedRun(count)) {
      return;
    }
  }
}

bool BmpRleDecoder::ReadByte(BYTE& value) { return stream_.Read(&value, 1, 1) == 1; }

bool BmpRleDecoder::Escape(BYTE code) {
  switch (code) {
    case kEndOfLine:
      column_ = 0;
      ++row_;
      return true;
    case kEndOfBitmap:
      finished_ = true;
      return true;
    case kDelta: {
      BYTE dx = 0;
      BYTE dy = 0;
      if (!ReadByte(dx) || !ReadByte(dy)) return false;
      // Offsets count pixels for both depths, so an odd RLE4 offset lands
      // on the low half of a byte rather than being rounded away.
      column_ += dx;
      row_ += dy;
      return true;
    }
    default:
      return AbsoluteRun(code);
  }
}

bool BmpRleDecoder::EncodedRun(int count) {
  BYTE value = 0;
  if (!ReadByte(value)) return false;
  if (bitsPerPixel_ == 8) {
    for (int i = 0; i < count; ++i) Put(value);
    return true;
  }
  // RLE4 alternates the high and the low nibble of the value.
  for (int i = 0; i < count; ++i) Put((i & 1) == 0 ? value >> 4 : value & 0x0F);
  return true;
}

bool BmpRleDecoder::AbsoluteRun(int count) {
  BYTE value = 0;
  if (bitsPerPixel_ == 8) {
    for (int i = 0; i < count; ++i) {
      if (!ReadByte(value)) return false;
      Put(value);
    }
    return !NeedsPadding(count) || ReadByte(value);
  }
  for (int i = 0; i < count; ++i) {
    if ((i & 1) == 0 && !ReadByte(value)) return false;
    Put((i & 1) == 0 ? value >> 4 : value & 0x0F);
  }
  return !NeedsPadding((int64_t{count} + 1) / 2) || ReadByte(value);
}

void BmpRleDecoder::Put(BYTE index) {
  if (column_ >= 0 && column_ < image_.Width() && row_ >= 0 && row_ < image_.Height())
    image_.SetPixelIndex(static_cast<int>(column_), static_cast<int>(row_), index);
  ++column_;
}
