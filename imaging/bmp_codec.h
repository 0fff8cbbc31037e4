// BmpCodec: reads BMP files (with or without the 14-byte file header) into a
// DibImage and writes a DibImage as a BMP file.
//
// The input is hostile: header sizes are checked against overflow and the
// block limit, lengths against what the stream holds, and every read against
// what arrives, before anything large is allocated. A failure sets the
// image's last error and returns false; the image may then hold a partly
// read picture, which is why callers read into a scratch image.
#pragma once

#include <cstdint>

#include "imaging/win32_types.h"

class DibImage;
class ImageStream;

class BmpCodec {
 public:
  BmpCodec(ImageStream& stream, DibImage& image);

  // Reads from the stream's current position into the (empty) image.
  bool Read();
  // Writes the file header and the image's packed block.
  bool Write();

 private:
  bool ReadFileHeader();
  bool ReadInfoHeader();
  bool ReadCoreHeader();
  bool ReadFullHeader(DWORD headerSize);
  bool CheckHeader();
  bool CheckCompression();
  bool ReadMasks();
  bool CreateImage();
  bool ReadPalette();
  bool SeekToPixels();
  bool ReadPixels();
  bool ReadIndexedPixels();
  bool ReadUncompressed(BYTE* target, uint64_t bytes);
  bool Read16BitPixels();
  bool Read32BitPixels();
  void FlipRows();
  // Bytes of pixel data an uncompressed picture of this header needs.
  uint64_t UncompressedDataBytes() const;
  bool Fail(const char* message);

  ImageStream& stream_;
  DibImage& image_;
  long start_ = 0;
  DWORD pixelOffset_ = 0;
  bool coreHeader_ = false;
  bool topDown_ = false;
  bool pixelsReachable_ = true;
  int width_ = 0;
  int height_ = 0;
  int bitCount_ = 0;
  DWORD compression_ = 0;
  DWORD colorsUsed_ = 0;
  LONG xPelsPerMeter_ = 0;
  LONG yPelsPerMeter_ = 0;
  bool masksInHeader_ = false;
  DWORD masks_[3] = {0x7C00, 0x03E0, 0x001F};
};
