// PngCodec: reads PNG datastreams into a DibImage and writes a DibImage as
// PNG, through libpng.
//
// Reading consumes the stream exactly through the IEND chunk's CRC, so a PNG
// kept inside a larger file is read in place and the next field starts right
// after it. A failure sets the image's last error (libpng's own message for
// a bad datastream) and returns false; the image may then hold a partly read
// picture, which is why callers read into a scratch image.
//
// libpng reports errors by longjmp. The guarded parts keep no object with a
// destructor in the frames the jump leaves, and everything that outlives a
// jump (structures, row buffer) is released by the caller.
#pragma once

class DibImage;
class ImageStream;

class PngCodec {
 public:
  PngCodec(ImageStream& stream, DibImage& image);

  // Reads from the stream's current position into the (empty) image.
  bool Read();
  // Writes the image. An indexed image with a transparent index other than
  // 0 is changed first: that entry and palette entry 0 (and their pixels)
  // are swapped, and the image (and the image it is a ghost of) gets
  // transparent index 0, which is what the file can say.
  bool Write();

 private:
  bool Fail(const char* message);

  ImageStream& stream_;
  DibImage& image_;
};
