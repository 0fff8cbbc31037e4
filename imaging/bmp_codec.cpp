#include "imaging/bmp_codec.h"

#include <algorithm>
#include <climits>
#include <new>

#include "imaging/bmp_rle_decoder.h"
#include "imaging/dib_image.h"
#include "imaging/image_stream.h"
#include "imaging/little_endian.h"

namespace {

constexpr WORD kBmpSignature = 0x4D42;  // "BM"
constexpr size_t kFileHeaderSize = 14;
constexpr DWORD kCoreHeaderSize = 12;
constexpr DWORD kInfoHeaderSize = 40;
// Later header versions (up to 124 bytes) extend the 40-byte one; their
// first extension bytes are the red, green and blue masks.
constexpr DWORD kLargestInfoHeader = 256;
constexpr DWORD kHeaderWithMasks = kInfoHeaderSize + 12;

constexpr char kNotBmp[] = "Not a BMP";
constexpr char kBadInfo[] = "Error reading BMP info";
constexpr char kNoMemory[] = "Can't allocate memory";
constexpr char kNoBufferMemory[] = "can't allocate memory";
constexpr char kIndexedCompression[] = "compression type not supported";
constexpr char kUnknownCompression[] = "unknown compression";
constexpr char kWriteFailed[] = "Error saving BMP file";

bool IsKnownBitCount(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

uint64_t RowBytes(int width, int bits) { return (uint64_t(width) * uint64_t(bits) + 31) / 32 * 4; }

}  // namespace

BmpCodec::BmpCodec(ImageStream& stream, DibImage& image) : stream_(stream), image_(image) {}

bool BmpCodec::Fail(const char* message) {
  image_.SetLastError(message);
  return false;
}

bool BmpCodec::Read() {
  return ReadFileHeader() && ReadInfoHeader() && CheckHeader() && CheckCompression() &&
         ReadMasks() && CreateImage() && ReadPalette() && SeekToPixels() && ReadPixels();
}

bool BmpCodec::ReadFileHeader() {
  start_ = stream_.Tell();
  BYTE header[kFileHeaderSize];
  if (start_ < 0 || stream_.Read(header, 1, sizeof(header)) != sizeof(header)) return Fail(kNotBmp);
  if (LoadLe16(header) == kBmpSignature) {
    pixelOffset_ = LoadLe32(header + 10);
    return true;
  }
  // A bare DIB: the info header starts right at the data.
  pixelOffset_ = 0;
  return stream_.Seek(start_, ImageStream::kFromStart) == 0 || Fail(kNotBmp);
}

// The size field is read first, so a small file with the 12-byte header is
// not refused for lacking the bytes of a 40-byte one.
bool BmpCodec::ReadInfoHeader() {
  BYTE sizeField[4];
  if (stream_.Read(sizeField, 1, sizeof(sizeField)) != sizeof(sizeField)) return Fail(kBadInfo);
  const DWORD headerSize = LoadLe32(sizeField);
  if (headerSize == kCoreHeaderSize) return ReadCoreHeader();
  return ReadFullHeader(headerSize);
}

bool BmpCodec::ReadCoreHeader() {
  BYTE fields[kCoreHeaderSize - 4];
  if (stream_.Read(fields, 1, sizeof(fields)) != sizeof(fields)) return Fail(kBadInfo);
  coreHeader_ = true;
  width_ = LoadLe16(fields);
  height_ = LoadLe16(fields + 2);
  bitCount_ = LoadLe16(fields + 6);
  return true;
}

bool BmpCodec::ReadFullHeader(DWORD headerSize) {
  BYTE fields[kInfoHeaderSize - 4];
  if (stream_.Read(fields, 1, sizeof(fields)) != sizeof(fields)) return Fail(kBadInfo);
  width_ = LoadLeI32(fields);
  height_ = LoadLeI32(fields + 4);
  bitCount_ = LoadLe16(fields + 10);
  compression_ = LoadLe32(fields + 12);
  xPelsPerMeter_ = LoadLeI32(fields + 20);
  yPelsPerMeter_ = LoadLeI32(fields + 24);
  colorsUsed_ = LoadLe32(fields + 28);
  if (headerSize <= kInfoHeaderSize || headerSize > kLargestInfoHeader) return true;
  // A longer header: the palette starts after all of it, and it carries the
  // bit masks itself.
  BYTE extension[kLargestInfoHeader - kInfoHeaderSize];
  const size_t extra = headerSize - kInfoHeaderSize;
  if (stream_.Read(extension, 1, extra) != extra) return Fail(kBadInfo);
  if (headerSize >= kHeaderWithMasks && compression_ == BI_BITFIELDS) {
    for (int i = 0; i < 3; ++i) masks_[i] = LoadLe32(extension + 4 * i);
    masksInHeader_ = true;
  }
  return true;
}

// Sizes are checked before anything is allocated: the file's pixel rows
// and the picture made from them must both stay within the block limit.
bool BmpCodec::CheckHeader() {
  if (width_ <= 0 || height_ == 0 || height_ == INT_MIN || !IsKnownBitCount(bitCount_))
    return Fail(kBadInfo);
  topDown_ = height_ < 0;
  if (topDown_) height_ = -height_;
  const int storedBits = bitCount_ > 8 ? 24 : bitCount_;
  const uint64_t stored = RowBytes(width_, storedBits) * uint64_t(height_);
  if (UncompressedDataBytes() > DibImage::kMaxBlockBytes || stored > DibImage::kMaxBlockBytes)
    return Fail(kBadInfo);
  return true;
}

bool BmpCodec::CheckCompression() {
  if (bitCount_ <= 8) {
    const bool supported = compression_ == BI_RGB || (compression_ == BI_RLE8 && bitCount_ == 8) ||
                           (compression_ == BI_RLE4 && bitCount_ == 4);
    // Run-length data always runs bottom-up.
    if (!supported || (compression_ != BI_RGB && topDown_)) return Fail(kIndexedCompression);
    return true;
  }
  if (bitCount_ == 24 && compression_ != BI_RGB) return Fail(kUnknownCompression);
  if (compression_ != BI_RGB && compression_ != BI_BITFIELDS) return Fail(kUnknownCompression);
  return true;
}

// The masks follow a 40-byte header directly, before the pixel data that the
// file header's offset points at. 32-bit data does not use them, but a bare
// DIB still carries them ahead of its pixels.
bool BmpCodec::ReadMasks() {
  if (bitCount_ <= 8 || bitCount_ == 24 || compression_ != BI_BITFIELDS || masksInHeader_)
    return true;
  BYTE fields[12];
  if (stream_.Read(fields, 1, sizeof(fields)) != sizeof(fields)) return Fail(kBadInfo);
  for (int i = 0; i < 3; ++i) masks_[i] = LoadLe32(fields + 4 * i);
  return true;
}

bool BmpCodec::CreateImage() {
  image_.MutableHeader().biXPelsPerMeter = xPelsPerMeter_;
  image_.MutableHeader().biYPelsPerMeter = yPelsPerMeter_;
  if (image_.Create(width_, height_, bitCount_, DibImage::kFormatBmp) == nullptr)
    return Fail(kNoMemory);
  image_.DpiFromPelsPerMeter();
  return true;
}

// With a pixel offset to seek to, the full palette of the depth is read
// (entries the header leaves out come from the bytes that follow); without
// one the pixels follow the stored entries, so only those are read.
bool BmpCodec::ReadPalette() {
  RGBQUAD* palette = image_.Palette();
  if (palette == nullptr) return true;
  const DWORD colors = image_.ColorsUsed();
  const DWORD stored = colorsUsed_ > 0 && colorsUsed_ < colors ? colorsUsed_ : colors;
  const DWORD wanted = pixelOffset_ != 0 ? colors : stored;
  const size_t entrySize = coreHeader_ ? 3 : 4;
  BYTE entries[256 * 4];
  const size_t arrived = stream_.Read(entries, entrySize, wanted);
  if (arrived < stored) return Fail(kBadInfo);
  for (size_t i = 0; i < arrived; ++i) {
    const BYTE* entry = entries + i * entrySize;
    palette[i].rgbBlue = entry[0];
    palette[i].rgbGreen = entry[1];
    palette[i].rgbRed = entry[2];
    palette[i].rgbReserved = coreHeader_ ? 0 : entry[3];
  }
  return true;
}

// Pixel data that lies beyond what the stream can reach is data that did not
// arrive: the picture stays as created.
bool BmpCodec::SeekToPixels() {
  if (pixelOffset_ == 0) return true;
  const int64_t target = int64_t{start_} + pixelOffset_;
  pixelsReachable_ =
      target <= LONG_MAX && stream_.Seek(static_cast<long>(target), ImageStream::kFromStart) == 0;
  return true;
}

bool BmpCodec::ReadPixels() {
  if (!pixelsReachable_) return true;
  bool read = false;
  switch (bitCount_) {
    case 16:
      read = Read16BitPixels();
      break;
    case 24:
      read = ReadUncompressed(image_.Pixels(), image_.SizeImage());
      break;
    case 32:
      read = Read32BitPixels();
      break;
    default:
      read = ReadIndexedPixels();
  }
  if (read && topDown_) FlipRows();
  return read;
}

bool BmpCodec::ReadIndexedPixels() {
  if (compression_ == BI_RGB) return ReadUncompressed(image_.Pixels(), image_.SizeImage());
  BmpRleDecoder(stream_, image_, bitCount_).Decode();
  return true;
}

// Files cut short (a missing last row padding, an interrupted download) keep
// the rows that arrived; the rest stays as created.
bool BmpCodec::ReadUncompressed(BYTE* target, uint64_t bytes) {
  stream_.Read(target, 1, static_cast<size_t>(bytes));
  return true;
}

// 16-bit rows are narrower than the 24-bit rows they become, so they are
// read into the picture itself and widened in place.
bool BmpCodec::Read16BitPixels() {
  if (!ReadUncompressed(image_.Pixels(), UncompressedDataBytes())) return false;
  image_.ConvertBitfields(image_.Pixels(), masks_[0], masks_[1], masks_[2], 16);
  return true;
}

bool BmpCodec::Read32BitPixels() {
  const size_t size = static_cast<size_t>(UncompressedDataBytes());
  BYTE* buffer = new (std::nothrow) BYTE[size]();
  if (buffer == nullptr) return Fail(kNoBufferMemory);
  const bool read = ReadUncompressed(buffer, size);
  if (read) image_.ConvertBitfields(buffer, 0, 0, 0, 32);
  delete[] buffer;
  return read;
}

void BmpCodec::FlipRows() {
  const size_t stride = image_.RowStride();
  for (int low = 0, high = image_.Height() - 1; low < high; ++low, --high) {
    BYTE* a = image_.Row(low);
    std::swap_ranges(a, a + stride, image_.Row(high));
  }
}

uint64_t BmpCodec::UncompressedDataBytes() const {
  return RowBytes(width_, bitCount_) * uint64_t(height_ < 0 ? -int64_t{height_} : height_);
}

bool BmpCodec::Write() {
  if (!image_.IsValid()) return Fail(kWriteFailed);
  const BITMAPINFOHEADER& header = image_.Header();
  const DWORD pixelOffset =
      static_cast<DWORD>(kFileHeaderSize + header.biSize + image_.ColorsUsed() * sizeof(RGBQUAD));
  BYTE fileHeader[kFileHeaderSize] = {};
  StoreLe16(fileHeader, kBmpSignature);
  StoreLe32(fileHeader + 2, pixelOffset + image_.SizeImage());
  StoreLe32(fileHeader + 10, pixelOffset);
  if (stream_.Write(fileHeader, 1, sizeof(fileHeader)) != sizeof(fileHeader) ||
      stream_.Write(image_.Block(), 1, image_.BlockSize()) != image_.BlockSize())
    return Fail(kWriteFailed);
  return true;
}
