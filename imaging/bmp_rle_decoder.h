// BmpRleDecoder: expands the run-length encoded pixel data of 8-bit (RLE8)
// and 4-bit (RLE4) BMP files into a created DibImage of that depth.
//
// The write position is kept in pixels (column, row from the bottom) as
// 64-bit values, so hostile runs and deltas can move it anywhere without
// overflow; only pixels inside the picture are stored, the rest is dropped.
#pragma once

#include <cstdint>

#include "imaging/win32_types.h"

class DibImage;
class ImageStream;

class BmpRleDecoder {
 public:
  // bitsPerPixel is 8 for RLE8 and 4 for RLE4; the image has that depth.
  BmpRleDecoder(ImageStream& stream, DibImage& image, int bitsPerPixel);

  // Reads codes up to the end-of-bitmap code or the end of the data, which
  // real files often reach first: what arrived is kept, the rest of the
  // picture stays as it was created.
  void Decode();

 private:
  // Each step reports false when the data ended inside it.
  bool ReadByte(BYTE& value);
  // Escape codes after a zero count; sets finished_ on end of bitmap.
  bool Escape(BYTE code);
  bool EncodedRun(int count);
  bool AbsoluteRun(int count);
  // Stores one index at the write position (when inside) and moves right.
  void Put(BYTE index);

  ImageStream& stream_;
  DibImage& image_;
  int bitsPerPixel_;
  int64_t column_ = 0;
  int64_t row_ = 0;
  bool finished_ = false;
};
