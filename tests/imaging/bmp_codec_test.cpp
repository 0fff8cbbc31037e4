#include "imaging/bmp_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/image_stream.h"
#include "imaging/little_endian.h"
#include "tests/support/read_only_file.h"
#include "tests/support/stream_file.h"
#include "tests/support/test_images.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Append(Bytes& bytes, const Bytes& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
}

void Put16(Bytes& bytes, uint16_t value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(Bytes& bytes, uint32_t value) {
  Put16(bytes, static_cast<uint16_t>(value));
  Put16(bytes, static_cast<uint16_t>(value >> 16));
}

struct Info {
  int32_t width;
  int32_t height;
  uint16_t bits;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  uint32_t headerSize = 40;
};

Bytes InfoHeader(const Info& info) {
  Bytes bytes;
  Put32(bytes, info.headerSize);
  Put32(bytes, static_cast<uint32_t>(info.width));
  Put32(bytes, static_cast<uint32_t>(info.height));
  Put16(bytes, 1);
  Put16(bytes, info.bits);
  Put32(bytes, info.compression);
  Put32(bytes, 0);
  Put32(bytes, 3780);  // 96 dpi
  Put32(bytes, 3780);
  Put32(bytes, info.colorsUsed);
  Put32(bytes, 0);
  bytes.resize(info.headerSize < 40 ? 40 : info.headerSize, 0);
  return bytes;
}

Bytes CoreHeader(uint16_t width, uint16_t height, uint16_t bits) {
  Bytes bytes;
  Put32(bytes, 12);
  Put16(bytes, width);
  Put16(bytes, height);
  Put16(bytes, 1);
  Put16(bytes, bits);
  return bytes;
}

// File header + header + what follows it; the pixels start `gap` bytes after
// the palette (the file header's offset says where).
Bytes BmpFile(const Bytes& header, const Bytes& palette, const Bytes& pixels, size_t gap = 0) {
  Bytes bytes = {'B', 'M'};
  const uint32_t offset = static_cast<uint32_t>(14 + header.size() + palette.size() + gap);
  Put32(bytes, static_cast<uint32_t>(offset + pixels.size()));
  Put32(bytes, 0);
  Put32(bytes, offset);
  Append(bytes, header);
  Append(bytes, palette);
  bytes.resize(bytes.size() + gap, 0xEE);
  Append(bytes, pixels);
  return bytes;
}

// Palette entry i: blue 10 i, green 10 i + 1, red 10 i + 2 (a distinct
// colour per entry).
Bytes Palette(int count, int entrySize = 4) {
  Bytes bytes;
  for (int i = 0; i < count; ++i) {
    bytes.push_back(static_cast<uint8_t>(10 * i));
    bytes.push_back(static_cast<uint8_t>(10 * i + 1));
    bytes.push_back(static_cast<uint8_t>(10 * i + 2));
    if (entrySize == 4) bytes.push_back(0);
  }
  return bytes;
}

RGBQUAD Entry(int i) {
  return Rgb(static_cast<BYTE>(10 * i + 2), static_cast<BYTE>(10 * i + 1),
             static_cast<BYTE>(10 * i));
}

struct Decoded {
  bool ok;
  std::string error;
};

Decoded DecodeBytes(const Bytes& bytes, DibImage& image, int format = DibImage::kFormatBmp) {
  StreamFile file;
  EXPECT_TRUE(file.Assign(bytes));
  ImageStream stream(file.Get());
  const bool ok = image.Decode(stream, format);
  return Decoded{ok, image.LastError()};
}

Bytes EncodeBmp(DibImage& image) {
  StreamFile file;
  ImageStream stream(file.Get());
  EXPECT_TRUE(image.Encode(stream, DibImage::kFormatBmp)) << image.LastError();
  return file.Contents();
}

// Rows of indexes, top row first, as the test writes pictures.
std::vector<std::vector<int>> Indexes(const DibImage& image) {
  std::vector<std::vector<int>> rows;
  for (int y = image.Height() - 1; y >= 0; --y) {
    rows.emplace_back();
    for (int x = 0; x < image.Width(); ++x) rows.back().push_back(image.GetPixelIndex(x, y));
  }
  return rows;
}

// --- Layouts ----------------------------------------------------------------

// 3 x 2, 4-bit; bottom row 1 2 3, top row 4 5 6 (rows padded to 4 bytes).
const Bytes kFourBitPixels = {0x12, 0x30, 0, 0, 0x45, 0x60, 0, 0};

TEST(BmpRead, HeaderlessDibReadsLikeAFile) {
  const Bytes header = InfoHeader({3, 2, 4});
  Bytes bare = header;
  Append(bare, Palette(16));
  Append(bare, kFourBitPixels);
  DibImage fromFile;
  DibImage fromDib;
  ASSERT_TRUE(DecodeBytes(BmpFile(header, Palette(16), kFourBitPixels), fromFile).ok);
  ASSERT_TRUE(DecodeBytes(bare, fromDib).ok) << fromDib.LastError();
  EXPECT_EQ(Indexes(fromDib), (std::vector<std::vector<int>>{{4, 5, 6}, {1, 2, 3}}));
  EXPECT_EQ(Indexes(fromDib), Indexes(fromFile));
  EXPECT_EQ(fromDib.GetPaletteColor(15), Entry(15));
  EXPECT_EQ(fromDib.Format(), DibImage::kFormatBmp);
  EXPECT_EQ(fromDib.XDpi(), 96);
}

// Without a file header nothing says where the pixels start: they follow the
// entries the header says are stored.
TEST(BmpRead, HeaderlessDibWithShortPaletteReadsPixelsAfterIt) {
  Bytes bare = InfoHeader({3, 2, 4, 0, 4});
  Append(bare, Palette(4));
  Append(bare, kFourBitPixels);
  DibImage image;
  ASSERT_TRUE(DecodeBytes(bare, image).ok) << image.LastError();
  EXPECT_EQ(Indexes(image), (std::vector<std::vector<int>>{{4, 5, 6}, {1, 2, 3}}));
  EXPECT_EQ(image.GetPaletteColor(3), Entry(3));
  EXPECT_EQ(image.GetPaletteColor(4), Rgb(0, 0, 0));
}

TEST(BmpRead, CoreHeaderReads256TripletsAndPixelsFromTheOffset) {
  const Bytes pixels = {7, 255, 0, 0, 128, 1, 0, 0};  // 2 x 2, 8-bit
  DibImage image;
  ASSERT_TRUE(DecodeBytes(BmpFile(CoreHeader(2, 2, 8), Palette(256, 3), pixels, 6), image).ok)
      << image.LastError();
  EXPECT_EQ(image.BitCount(), 8);
  EXPECT_EQ(image.Header().biSize, 40u);
  EXPECT_EQ(Indexes(image), (std::vector<std::vector<int>>{{128, 1}, {7, 255}}));
  EXPECT_EQ(image.GetPaletteColor(7), Entry(7));
  EXPECT_EQ(image.GetPaletteColor(255), Entry(255));
  EXPECT_EQ(image.Palette()[7].rgbReserved, 0);
}

// A tiny core-header file holds fewer bytes than a 40-byte header would need.
TEST(BmpRead, TinyCoreHeaderFileReads) {
  Bytes palette = {0, 0, 0, 255, 255, 255};
  DibImage image;
  ASSERT_TRUE(DecodeBytes(BmpFile(CoreHeader(1, 1, 1), palette, {0x80, 0, 0, 0}), image).ok)
      << image.LastError();
  EXPECT_EQ(image.GetPixelColor(0, 0), Rgb(255, 255, 255));
}

TEST(BmpRead, SixteenColourEightBitGetsFullPaletteAndPixelsFromOffset) {
  const Bytes pixels = {3, 15, 0, 0};  // 2 x 1
  DibImage image;
  ASSERT_TRUE(DecodeBytes(BmpFile(InfoHeader({2, 1, 8, 0, 16}), Palette(16), pixels), image).ok)
      << image.LastError();
  EXPECT_EQ(image.ColorsUsed(), 256u);
  EXPECT_EQ(image.GetPaletteColor(15), Entry(15));
  // Entry 16 comes from the bytes that follow the 16 stored entries.
  EXPECT_EQ(image.GetPaletteColor(16), Rgb(0, 15, 3));
  EXPECT_EQ(image.GetPixelIndex(0, 0), 3);
  EXPECT_EQ(image.GetPixelIndex(1, 0), 15);
}

// Newer, longer info headers: the palette follows the whole header.
TEST(BmpRead, LongInfoHeaderPaletteFollowsTheHeader) {
  DibImage image;
  ASSERT_TRUE(
      DecodeBytes(BmpFile(InfoHeader({2, 1, 1, 0, 0, 124}), Palette(2), {0x40, 0, 0, 0}), image).ok)
      << image.LastError();
  EXPECT_EQ(image.GetPaletteColor(1), Entry(1));
  EXPECT_EQ(image.GetPixelColor(1, 0), Entry(1));
  EXPECT_EQ(image.GetPixelColor(0, 0), Entry(0));
}

struct SixteenBitCase {
  const char* name;
  bool masks;
  uint16_t word;
  RGBQUAD color;
};

TEST(BmpRead, SixteenBitWithAndWithoutMasks) {
  const SixteenBitCase cases[] = {
      {"5-5-5 red", false, 0x7C00, Rgb(0xF8, 0, 0)},
      {"5-5-5 green", false, 0x03E0, Rgb(0, 0xF8, 0)},
      {"5-5-5 blue", false, 0x001F, Rgb(0, 0, 0xF8)},
      {"5-6-5 red", true, 0xF800, Rgb(0xF8, 0, 0)},
      {"5-6-5 green", true, 0x07E0, Rgb(0, 0xFC, 0)},
      {"5-6-5 mixed", true, 0x8410, Rgb(0x80, 0x80, 0x80)},
  };
  for (const SixteenBitCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes pixels;
    Put16(pixels, c.word);
    Put16(pixels, 0);
    Bytes header = InfoHeader({1, 1, 16, c.masks ? 3u : 0u});
    if (c.masks) {
      Put32(header, 0xF800);
      Put32(header, 0x07E0);
      Put32(header, 0x001F);
    }
    DibImage image;
    ASSERT_TRUE(DecodeBytes(BmpFile(header, {}, pixels), image).ok) << image.LastError();
    EXPECT_EQ(image.BitCount(), 24);
    EXPECT_EQ(image.GetPixelColor(0, 0), c.color);
  }
}

TEST(BmpRead, ThirtyTwoBitDropsTheFourthByte) {
  const Bytes pixels = {1, 2, 3, 0x80, 4, 5, 6, 0xFF};  // 2 x 1
  DibImage image;
  ASSERT_TRUE(DecodeBytes(BmpFile(InfoHeader({2, 1, 32}), {}, pixels), image).ok);
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_FALSE(image.HasAlpha());
  EXPECT_EQ(image.GetPixelColor(0, 0), Rgb(3, 2, 1));
  EXPECT_EQ(image.GetPixelColor(1, 0), Rgb(6, 5, 4));
}

// Bitfield masks of a bare 32-bit DIB sit between header and pixels.
TEST(BmpRead, BareThirtyTwoBitDibSkipsItsMasks) {
  Bytes bare = InfoHeader({1, 1, 32, 3});
  for (uint32_t mask : {0xFF0000u, 0xFF00u, 0xFFu}) Put32(bare, mask);
  Append(bare, {9, 8, 7, 0});
  DibImage image;
  ASSERT_TRUE(DecodeBytes(bare, image).ok) << image.LastError();
  EXPECT_EQ(image.GetPixelColor(0, 0), Rgb(7, 8, 9));
}

struct TopDownCase {
  uint16_t bits;
  Bytes bottomUp;  // two rows of one pixel each, bottom row first
  Bytes topDown;
};

TEST(BmpRead, TopDownRowsReadTheSameAsBottomUp) {
  const TopDownCase cases[] = {
      {8, {1, 0, 0, 0, 2, 0, 0, 0}, {2, 0, 0, 0, 1, 0, 0, 0}},
      {24, {1, 2, 3, 0, 4, 5, 6, 0}, {4, 5, 6, 0, 1, 2, 3, 0}},
      {16, {0x1F, 0, 0, 0, 0, 0x7C, 0, 0}, {0, 0x7C, 0, 0, 0x1F, 0, 0, 0}},
      {32, {1, 2, 3, 0, 4, 5, 6, 0}, {4, 5, 6, 0, 1, 2, 3, 0}},
  };
  for (const TopDownCase& c : cases) {
    SCOPED_TRACE(c.bits);
    const Bytes palette = c.bits == 8 ? Palette(256) : Bytes{};
    DibImage bottomUp;
    DibImage topDown;
    ASSERT_TRUE(DecodeBytes(BmpFile(InfoHeader({1, 2, c.bits}), palette, c.bottomUp), bottomUp).ok);
    ASSERT_TRUE(DecodeBytes(BmpFile(InfoHeader({1, -2, c.bits}), palette, c.topDown), topDown).ok)
        << topDown.LastError();
    EXPECT_EQ(topDown.Height(), 2);
    EXPECT_EQ(topDown.GetPixelColor(0, 0), bottomUp.GetPixelColor(0, 0));
    EXPECT_EQ(topDown.GetPixelColor(0, 1), bottomUp.GetPixelColor(0, 1));
    EXPECT_NE(topDown.GetPixelColor(0, 0), topDown.GetPixelColor(0, 1));
  }
}

// --- Run-length data -----------------------------------------------------------

struct RleCase {
  const char* name;
  Bytes data;
  std::vector<std::vector<int>> rows;  // top row first
};

void ExpectRle(uint16_t bits, const RleCase& c) {
  SCOPED_TRACE(c.name);
  const uint32_t compression = bits == 8 ? 1 : 2;
  DibImage image;
  const Decoded decoded = DecodeBytes(
      BmpFile(InfoHeader({4, 3, bits, compression}), Palette(1 << bits), c.data), image);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(Indexes(image), c.rows);
}

TEST(BmpRead, Rle8) {
  const RleCase cases[] = {
      {"runs and end of line",
       {2, 7, 2, 8, 0, 0, 4, 9, 0, 1},
       {{0, 0, 0, 0}, {9, 9, 9, 9}, {7, 7, 8, 8}}},
      {"absolute run with padding",
       {0, 3, 1, 2, 3, 0xAA, 1, 4, 0, 1},
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {1, 2, 3, 4}}},
      {"delta", {0, 2, 1, 2, 1, 5, 0, 1}, {{0, 5, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
      // Past the end of a row is dropped, not spilled into the next row.
      {"run past the row end",
       {9, 6, 0, 0, 1, 3, 0, 1},
       {{0, 0, 0, 0}, {3, 0, 0, 0}, {6, 6, 6, 6}}},
      {"absolute run past the row end",
       {1, 1, 0, 5, 2, 3, 4, 5, 6, 0, 0, 1},
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {1, 2, 3, 4}}},
      // Rows past the top and columns far right are dropped.
      {"delta past the picture",
       {0, 2, 200, 0, 5, 9, 0, 2, 0, 250, 255, 1, 0, 1},
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
      {"many lines past the top",
       {0, 0, 0, 0, 0, 0, 0, 0, 255, 4, 0, 1},
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
      // Data that ends without the end-of-bitmap code keeps what arrived.
      {"no end of bitmap", {2, 7, 0, 0, 4, 9}, {{0, 0, 0, 0}, {9, 9, 9, 9}, {7, 7, 0, 0}}},
      {"cut inside an absolute run",
       {2, 7, 0, 5, 1, 2},
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {7, 7, 1, 2}}},
      {"cut after a count", {3, 4, 5}, {{0, 0, 0, 0}, {0, 0, 0, 0}, {4, 4, 4, 0}}},
  };
  for (const RleCase& c : cases) ExpectRle(8, c);
}

TEST(BmpRead, Rle4) {
  const RleCase cases[] = {
      {"alternating nibbles",
       {3, 0x12, 0, 0, 4, 0x34, 0, 1},
       {{0, 0, 0, 0}, {3, 4, 3, 4}, {1, 2, 1, 0}}},
      // Three nibbles take two bytes: an even count, so no padding byte.
      {"absolute run",
       {0, 3, 0x56, 0x70, 1, 0x90, 0, 1},
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {5, 6, 7, 9}}},
      // Five nibbles take three bytes, padded to four.
      {"absolute run with padding",
       {0, 5, 0x12, 0x34, 0x50, 0xFF, 0, 1},
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {1, 2, 3, 4}}},
      // An odd delta lands on the low half of a byte.
      {"odd delta", {0, 2, 1, 1, 1, 0x80, 0, 1}, {{0, 0, 0, 0}, {0, 8, 0, 0}, {0, 0, 0, 0}}},
      {"run past the row end",
       {7, 0xAB, 0, 0, 1, 0xC0, 0, 1},
       {{0, 0, 0, 0}, {12, 0, 0, 0}, {10, 11, 10, 11}}},
      {"delta past the picture",
       {0, 2, 255, 255, 3, 0x11, 0, 1},
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
  };
  for (const RleCase& c : cases) ExpectRle(4, c);
}

// --- Failures -----------------------------------------------------------------

struct FailureCase {
  const char* name;
  Bytes bytes;
  const char* error;
};

Bytes WithPixels(const Info& info, size_t pixelBytes) {
  return BmpFile(InfoHeader(info), info.bits <= 8 ? Palette(1 << info.bits) : Bytes{},
                 Bytes(pixelBytes, 0));
}

TEST(BmpRead, FailureTexts) {
  Bytes truncatedInfo = BmpFile(InfoHeader({2, 2, 24}), {}, {});
  truncatedInfo.resize(14 + 30);
  Bytes truncatedPalette = BmpFile(InfoHeader({2, 2, 8}), Palette(256), {});
  truncatedPalette.resize(14 + 40 + 100);
  Bytes bareShortPalette = InfoHeader({2, 2, 8, 0, 16});
  Append(bareShortPalette, Palette(8));
  const FailureCase cases[] = {
      {"empty", {}, "Not a BMP"},
      {"13 bytes", Bytes(13, 'B'), "Not a BMP"},
      {"short info header", truncatedInfo, "Error reading BMP info"},
      {"zero width", WithPixels({0, 2, 24}, 16), "Error reading BMP info"},
      {"negative width", WithPixels({-2, 2, 24}, 16), "Error reading BMP info"},
      {"zero height", WithPixels({2, 0, 24}, 16), "Error reading BMP info"},
      {"most negative height", WithPixels({2, INT32_MIN, 24}, 16), "Error reading BMP info"},
      {"byte count overflows", WithPixels({0x7FFFFFFF, 0x7FFFFFFF, 32}, 16),
       "Error reading BMP info"},
      {"rows too long", WithPixels({0x40000000, 1, 24}, 16), "Error reading BMP info"},
      {"too large for a block", WithPixels({20000, 20000, 24}, 16), "Error reading BMP info"},
      {"bit count 7", WithPixels({2, 2, 7}, 16), "Error reading BMP info"},
      {"bit count 0", WithPixels({2, 2, 0}, 16), "Error reading BMP info"},
      {"short palette", truncatedPalette, "Error reading BMP info"},
      {"bare DIB with short palette", bareShortPalette, "Error reading BMP info"},
      {"8-bit bitfields", WithPixels({2, 2, 8, 3}, 8), "compression type not supported"},
      {"4-bit with RLE8", WithPixels({2, 2, 4, 1}, 8), "compression type not supported"},
      {"top-down RLE8", WithPixels({2, -2, 8, 1}, 8), "compression type not supported"},
      {"24-bit RLE8", WithPixels({2, 2, 24, 1}, 16), "unknown compression"},
      {"32-bit RLE4", WithPixels({2, 2, 32, 2}, 16), "unknown compression"},
      {"16-bit RLE8", WithPixels({2, 2, 16, 1}, 16), "unknown compression"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    DibImage image;
    const Decoded decoded = DecodeBytes(c.bytes, image);
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.error, c.error);
    EXPECT_FALSE(image.IsValid());
  }
}

// Files that end early keep the rows that arrived; the others stay as the
// picture was created (black).
TEST(BmpRead, PixelDataThatEndsEarlyKeepsWhatArrived) {
  // 2 x 2, 24-bit: rows of 6 bytes padded to 8, bottom row first.
  const Bytes rows = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  struct Case {
    const char* name;
    Bytes file;
    int height;
    RGBQUAD bottomLeft, topRight;
  };
  const RGBQUAD black = Rgb(0, 0, 0);
  const Case cases[] = {
      {"last row without its padding",
       BmpFile(InfoHeader({2, 2, 24}), {}, Bytes(rows.begin(), rows.end() - 2)), 2, Rgb(3, 2, 1),
       Rgb(12, 11, 10)},
      {"last row cut inside",
       BmpFile(InfoHeader({2, 2, 24}), {}, Bytes(rows.begin(), rows.begin() + 11)), 2, Rgb(3, 2, 1),
       black},
      {"top-down, second row missing",
       BmpFile(InfoHeader({2, -2, 24}), {}, Bytes(rows.begin(), rows.begin() + 8)), 2, black,
       Rgb(6, 5, 4)},
      {"no pixel data at all", BmpFile(InfoHeader({2, 2, 24}), {}, {}), 2, black, black},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DibImage image;
    const Decoded decoded = DecodeBytes(c.file, image);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(image.Height(), c.height);
    EXPECT_EQ(image.GetPixelColor(0, 0), c.bottomLeft);
    EXPECT_EQ(image.GetPixelColor(1, 1), c.topRight);
  }
}

TEST(BmpRead, FailedDecodeLeavesTheTargetUntouched) {
  DibImage image;
  ASSERT_TRUE(MakeIndexPatternImage(image, 5, 3, 4));
  image.SetTransparentIndex(2);
  const Bytes before(image.Block(), image.Block() + image.BlockSize());
  const Decoded decoded = DecodeBytes(WithPixels({2, 2, 7}, 16), image);
  EXPECT_FALSE(decoded.ok);
  EXPECT_STREQ(image.LastError(), "Error reading BMP info");
  ASSERT_TRUE(image.IsValid());
  EXPECT_EQ(Bytes(image.Block(), image.Block() + image.BlockSize()), before);
  EXPECT_EQ(image.TransparentIndex(), 2);
}

TEST(ImageFiles, UnsupportedFormatCode) {
  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 2, 2));
  StreamFile file;
  ImageStream stream(file.Get());
  EXPECT_FALSE(image.Decode(stream, 2));
  EXPECT_STREQ(image.LastError(), "Unsupported operation for this format");
  image.SetLastError("");
  EXPECT_FALSE(image.Encode(stream, -1));
  EXPECT_STREQ(image.LastError(), "Unsupported operation for this format");
  EXPECT_TRUE(file.Contents().empty());
  EXPECT_TRUE(image.IsValid());
}

// --- Writing ------------------------------------------------------------------

TEST(BmpWrite, FileHeaderAndBlockRoundTrip) {
  for (int bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    DibImage image;
    if (bits == 24)
      ASSERT_TRUE(MakePatternImage(image, 5, 3));
    else
      ASSERT_TRUE(MakeIndexPatternImage(image, 5, 3, bits));
    const Bytes bytes = EncodeBmp(image);
    const uint32_t offset = 14 + 40 + 4 * image.ColorsUsed();
    ASSERT_EQ(bytes.size(), offset + image.SizeImage());
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(LoadLe32(&bytes[2]), bytes.size());
    EXPECT_EQ(LoadLe32(&bytes[6]), 0u);
    EXPECT_EQ(LoadLe32(&bytes[10]), offset);
    EXPECT_TRUE(std::equal(image.Block(), image.Block() + image.BlockSize(), bytes.begin() + 14));

    DibImage again;
    ASSERT_TRUE(DecodeBytes(bytes, again).ok) << again.LastError();
    ASSERT_EQ(again.BlockSize(), image.BlockSize());
    EXPECT_TRUE(std::equal(image.Block(), image.Block() + image.BlockSize(), again.Block()));
  }
}

TEST(BmpWrite, FailsOnEmptyImageAndOnFailedWrites) {
  DibImage empty;
  StreamFile file;
  ImageStream stream(file.Get());
  EXPECT_FALSE(empty.Encode(stream, DibImage::kFormatBmp));
  EXPECT_STREQ(empty.LastError(), "Error saving BMP file");

  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 3, 3));
  // A stream that cannot be written: the file is open for reading only.
  ReadOnlyFile readOnly("bmp_codec_test_readonly.bmp");
  ASSERT_NE(readOnly.Get(), nullptr);
  ImageStream readOnlyStream(readOnly.Get());
  EXPECT_FALSE(image.Encode(readOnlyStream, DibImage::kFormatBmp));
  EXPECT_STREQ(image.LastError(), "Error saving BMP file");
}

TEST(ImageFiles, LoadReadsAFileByName) {
  DibImage source;
  ASSERT_TRUE(MakeIndexPatternImage(source, 4, 4, 8));
  const std::string path = "bmp_codec_test_load.bmp";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  ImageStream stream(file);
  ASSERT_TRUE(source.Encode(stream, DibImage::kFormatBmp));
  std::fclose(file);

  DibImage image;
  EXPECT_TRUE(image.Load(path.c_str(), DibImage::kFormatBmp));
  EXPECT_EQ(Indexes(image), Indexes(source));
  std::remove(path.c_str());

  DibImage missing;
  EXPECT_FALSE(missing.Load("no such file.bmp", DibImage::kFormatBmp));
  EXPECT_STREQ(missing.LastError(), "");
}

TEST(ImageStreamTest, CloseNeverClosesTheFile) {
  StreamFile file;
  ImageStream stream(file.Get());
  EXPECT_EQ(stream.Close(), -1);
  EXPECT_EQ(stream.Write("abc", 1, 3), 3u);
  EXPECT_EQ(stream.Flush(), 0);
  EXPECT_EQ(stream.Tell(), 3);
  EXPECT_EQ(stream.Seek(1, ImageStream::kFromStart), 0);
  char got[4] = {};
  EXPECT_EQ(stream.Read(got, 1, 4), 2u);  // whole items only
  EXPECT_STREQ(got, "bc");
  EXPECT_EQ(stream.Seek(-1, ImageStream::kFromStart), -1);
}

}  // namespace
