#include "imaging/dib_image.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/test_images.h"

namespace {

// --- Creation and layout ------------------------------------------------------

TEST(DibImageCreate, NewImageIsEmptyWithDefaults) {
  DibImage image(DibImage::kFormatPng);
  EXPECT_FALSE(image.IsValid());
  EXPECT_EQ(image.Format(), DibImage::kFormatPng);
  EXPECT_EQ(image.TransparentIndex(), -1);
  EXPECT_EQ(image.Header().biSize, 40u);
  EXPECT_EQ(image.XDpi(), 72);
  EXPECT_EQ(image.YDpi(), 72);
  EXPECT_EQ(image.Header().biXPelsPerMeter, 2835);  // 72 x 39.37... + 0.5
  EXPECT_EQ(image.Header().biYPelsPerMeter, 2835);
  EXPECT_EQ(image.Palette(), nullptr);
  EXPECT_EQ(image.Row(0), nullptr);
  EXPECT_FALSE(image.IsInside(0, 0));
#ifndef _WIN32
  EXPECT_FALSE(image.SystemAlphaBlending());
#endif
}

struct DepthCase {
  int requested;
  int stored;
  DWORD colors;
};

TEST(DibImageCreate, NormalisesDepthAndSizesPalette) {
  const DepthCase cases[] = {{0, 1, 2},   {1, 1, 2},   {2, 4, 16}, {3, 4, 16},  {4, 4, 16},
                             {5, 8, 256}, {8, 8, 256}, {9, 24, 0}, {16, 24, 0}, {32, 24, 0}};
  for (const DepthCase& c : cases) {
    SCOPED_TRACE(c.requested);
    DibImage image;
    ASSERT_NE(image.Create(3, 2, c.requested, DibImage::kFormatBmp), nullptr);
    EXPECT_EQ(image.BitCount(), c.stored);
    EXPECT_EQ(image.ColorsUsed(), c.colors);
    EXPECT_EQ(image.Palette() == nullptr, c.colors == 0);
    EXPECT_EQ(image.ColorKind(),
              c.stored == 24 ? DibImage::kColorKindTrueColor : DibImage::kColorKindIndexed);
  }
}

struct StrideCase {
  int width;
  int bits;
  DWORD stride;
};

TEST(DibImageCreate, RowsArePaddedToFourBytes) {
  const StrideCase cases[] = {{1, 1, 4}, {32, 1, 4}, {33, 1, 8},  {8, 4, 4},   {9, 4, 8},
                              {5, 8, 8}, {1, 24, 4}, {3, 24, 12}, {4, 24, 12}, {5, 24, 16}};
  for (const StrideCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.bits));
    DibImage image;
    ASSERT_NE(image.Create(c.width, 3, c.bits, DibImage::kFormatBmp), nullptr);
    EXPECT_EQ(image.RowStride(), c.stride);
    EXPECT_EQ(image.SizeImage(), c.stride * 3);
    EXPECT_EQ(image.BlockSize(), 40 + 4 * image.ColorsUsed() + c.stride * 3);
    EXPECT_EQ(image.Pixels(), image.Block() + 40 + 4 * image.ColorsUsed());
    EXPECT_EQ(image.Row(1), image.Pixels() + c.stride);
    EXPECT_EQ(image.Row(3), nullptr);
    EXPECT_EQ(image.Row(-1), nullptr);
  }
}

TEST(DibImageCreate, WritesHeaderIntoBlockAndStartsBlank) {
  DibImage image;
  ASSERT_TRUE(MakeFilledImage(image, 5, 4, 8, Rgb(200, 200, 200)));
  ASSERT_TRUE(image.AlphaCreate());
  image.SetXDpi(96);

  BYTE* pixels = image.Create(7, 3, 4, DibImage::kFormatPng);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels, image.Pixels());
  EXPECT_EQ(image.Format(), DibImage::kFormatPng);
  EXPECT_FALSE(image.HasAlpha());
  const BITMAPINFOHEADER& header = image.Header();
  EXPECT_EQ(header.biWidth, 7);
  EXPECT_EQ(header.biHeight, 3);
  EXPECT_EQ(header.biPlanes, 1);
  EXPECT_EQ(header.biCompression, 0u);
  EXPECT_EQ(header.biClrImportant, 0u);
  EXPECT_EQ(header.biXPelsPerMeter, 3780);  // resolution survives re-creation
  EXPECT_EQ(std::memcmp(image.Block(), &header, 40), 0);
  for (size_t i = 40; i < image.BlockSize(); ++i) ASSERT_EQ(image.Block()[i], 0) << i;
}

TEST(DibImageCreate, ImpossibleSizesFailAndLeaveImageEmpty) {
  struct SizeCase {
    int width;
    int height;
    int bits;
  };
  const SizeCase cases[] = {
      {0, 5, 8},
      {5, 0, 8},
      {-1, 5, 8},
      {5, -3, 24},
      {INT_MAX, 1, 24},        // stride alone beyond the limit
      {INT_MAX, INT_MAX, 24},  // stride x height overflows 32 bits many times
      {100000, 100000, 1},
      {1 << 15, 1 << 14, 8},  // pixels exactly at the limit; header and palette exceed it
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    DibImage image;
    ASSERT_TRUE(MakeFilledImage(image, 2, 2, 24, Rgb(1, 2, 3)));
    EXPECT_EQ(image.Create(c.width, c.height, c.bits, DibImage::kFormatBmp), nullptr);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.Pixels(), nullptr);
    EXPECT_EQ(image.Row(0), nullptr);
    EXPECT_FALSE(image.AlphaCreate());
  }
}

TEST(DibImageHeader, ResolutionFollowsDpiAndPelsPerMeter) {
  DibImage image;
  ASSERT_NE(image.Create(1, 1, 24, DibImage::kFormatBmp), nullptr);
  image.SetXDpi(96);
  image.SetYDpi(300);
  EXPECT_EQ(image.Header().biXPelsPerMeter, 3780);
  EXPECT_EQ(image.Header().biYPelsPerMeter, 11811);
  // Drawing and the BMP writer use the block's own header.
  BITMAPINFOHEADER stored;
  std::memcpy(&stored, image.Block(), sizeof(stored));
  EXPECT_EQ(stored.biXPelsPerMeter, 3780);
  EXPECT_EQ(stored.biYPelsPerMeter, 11811);

  image.MutableHeader().biXPelsPerMeter = 2834;  // 71.98 rounds to 72
  image.MutableHeader().biYPelsPerMeter = 0;
  image.DpiFromPelsPerMeter();
  EXPECT_EQ(image.XDpi(), 72);
  EXPECT_EQ(image.YDpi(), 0);

  image.SetXDpi(INT_MAX);  // saturates instead of overflowing
  EXPECT_EQ(image.Header().biXPelsPerMeter, INT_MAX);
}

TEST(DibImageHeader, LastErrorKeepsAtMost255Characters) {
  DibImage image;
  image.SetLastError("Not a BMP");
  EXPECT_STREQ(image.LastError(), "Not a BMP");
  const std::string longText(400, 'x');
  image.SetLastError(longText.c_str());
  EXPECT_EQ(std::string(image.LastError()), std::string(255, 'x'));
  image.SetLastError(nullptr);
  EXPECT_STREQ(image.LastError(), "");
}

// --- Ownership -----------------------------------------------------------------

class DibImageOwnership : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeIndexPatternImage(source_, 5, 3, 8));
    source_.SetPaletteColor(7, 10, 20, 30, 40);
    source_.SetTransparentIndex(7);
    source_.SetBackgroundColor(Rgb(9, 8, 7));
    source_.SetXDpi(150);
    source_.SetAlphaPalette(true);
    source_.SetLastError("kept");
    ASSERT_TRUE(source_.AlphaCreate());
    source_.AlphaSet(4, 2, 99);
  }

  static void ExpectSameDescription(const DibImage& a, const DibImage& b) {
    EXPECT_EQ(a.Width(), b.Width());
    EXPECT_EQ(a.Height(), b.Height());
    EXPECT_EQ(a.BitCount(), b.BitCount());
    EXPECT_EQ(a.Format(), b.Format());
    EXPECT_EQ(a.TransparentIndex(), b.TransparentIndex());
    EXPECT_EQ(a.BackgroundColor(), b.BackgroundColor());
    EXPECT_EQ(a.XDpi(), b.XDpi());
    EXPECT_EQ(a.Header().biXPelsPerMeter, b.Header().biXPelsPerMeter);
    EXPECT_EQ(a.AlphaPalette(), b.AlphaPalette());
    EXPECT_STREQ(a.LastError(), b.LastError());
  }

  DibImage source_{DibImage::kFormatPng};
};

TEST_F(DibImageOwnership, CopyDuplicatesBlockAndAlpha) {
  DibImage copy;
  ASSERT_TRUE(copy.Copy(source_));
  ExpectSameDescription(copy, source_);
  ASSERT_EQ(copy.BlockSize(), source_.BlockSize());
  EXPECT_NE(copy.Block(), source_.Block());
  EXPECT_EQ(std::memcmp(copy.Block(), source_.Block(), copy.BlockSize()), 0);
  ASSERT_TRUE(copy.HasAlpha());
  EXPECT_NE(copy.AlphaPlane(), source_.AlphaPlane());
  EXPECT_EQ(copy.AlphaGet(4, 2), 99);
}

TEST_F(DibImageOwnership, CopyWithoutPixelsKeepsPaletteOnly) {
  DibImage copy;
  ASSERT_TRUE(copy.Copy(source_, false, false));
  ExpectSameDescription(copy, source_);
  EXPECT_EQ(copy.GetPaletteColor(7), Rgb(10, 20, 30, 40));
  EXPECT_EQ(copy.GetPixelIndex(4, 2), 0);
  EXPECT_EQ(source_.GetPixelIndex(4, 2), 10);
  EXPECT_FALSE(copy.HasAlpha());
}

TEST_F(DibImageOwnership, CopyOfEmptySourceDestroysTarget) {
  DibImage empty;
  EXPECT_FALSE(source_.Copy(empty));
  EXPECT_FALSE(source_.IsValid());
  EXPECT_FALSE(source_.HasAlpha());
}

TEST_F(DibImageOwnership, CopyFromItselfOrItsGhostKeepsThePicture) {
  ASSERT_TRUE(source_.Copy(source_));
  EXPECT_EQ(source_.GetPixelIndex(4, 2), 10);
  EXPECT_EQ(source_.AlphaGet(4, 2), 99);

  DibImage ghost;
  ghost.Ghost(source_);
  DibImage copy;
  ASSERT_TRUE(ghost.Copy(source_));  // the ghost becomes a real copy
  EXPECT_FALSE(ghost.IsGhost());
  EXPECT_NE(ghost.Block(), source_.Block());
  EXPECT_EQ(ghost.GetPixelIndex(4, 2), 10);
}

TEST_F(DibImageOwnership, TransferMovesBlocksAndEmptiesSource) {
  const BYTE* block = source_.Block();
  const BYTE* alpha = source_.AlphaPlane();
  DibImage target;
  ASSERT_TRUE(MakeFilledImage(target, 2, 2, 24, Rgb(1, 1, 1)));
  target.Transfer(source_);

  EXPECT_EQ(target.Block(), block);
  EXPECT_EQ(target.AlphaPlane(), alpha);
  EXPECT_EQ(target.TransparentIndex(), 7);
  EXPECT_EQ(target.XDpi(), 150);
  EXPECT_EQ(target.GetPixelIndex(4, 2), 10);

  EXPECT_FALSE(source_.IsValid());
  EXPECT_FALSE(source_.HasAlpha());
  EXPECT_EQ(source_.Width(), 0);
  EXPECT_EQ(source_.TransparentIndex(), -1);
  EXPECT_EQ(source_.XDpi(), 72);
  EXPECT_FALSE(source_.AlphaPalette());
  EXPECT_STREQ(source_.LastError(), "");
}

TEST_F(DibImageOwnership, GhostSharesAndDestroyLeavesOwnerIntact) {
  {
    DibImage ghost;
    ghost.Ghost(source_);
    EXPECT_TRUE(ghost.IsGhost());
    EXPECT_EQ(ghost.GhostOwner(), &source_);
    EXPECT_EQ(ghost.Block(), source_.Block());
    EXPECT_EQ(ghost.AlphaPlane(), source_.AlphaPlane());
    ExpectSameDescription(ghost, source_);
    ghost.SetPixelIndex(0, 0, 200);  // writes reach the owner's pixels
    EXPECT_EQ(source_.GetPixelIndex(0, 0), 200);
    ghost.Destroy();
    EXPECT_FALSE(ghost.IsValid());
  }
  {
    DibImage ghost;
    ghost.Ghost(source_);
  }  // destruction of a ghost frees nothing either
  ASSERT_TRUE(source_.IsValid());
  EXPECT_EQ(source_.GetPixelIndex(0, 0), 200);
  EXPECT_EQ(source_.AlphaGet(4, 2), 99);
}

TEST_F(DibImageOwnership, GhostOwnsOnlyThePlaneItMakes) {
  const BYTE* ownerAlpha = source_.AlphaPlane();
  DibImage ghost;
  ghost.Ghost(source_);
  ASSERT_TRUE(ghost.AlphaCreate());
  EXPECT_NE(ghost.AlphaPlane(), ownerAlpha);
  ghost.AlphaSet(0, 0, 5);
  ghost.AlphaDelete();  // frees the ghost's own plane (leak checks would see it)
  EXPECT_EQ(source_.AlphaPlane(), ownerAlpha);
  EXPECT_EQ(source_.AlphaGet(4, 2), 99);
  EXPECT_EQ(source_.AlphaGet(0, 0), 0);
}

TEST_F(DibImageOwnership, CreateOnAGhostDetachesIt) {
  DibImage ghost;
  ghost.Ghost(source_);
  ASSERT_NE(ghost.Create(2, 2, 24, DibImage::kFormatBmp), nullptr);
  EXPECT_FALSE(ghost.IsGhost());
  EXPECT_NE(ghost.Block(), source_.Block());
  EXPECT_EQ(source_.Width(), 5);
  EXPECT_EQ(source_.GetPixelIndex(4, 2), 10);
}

TEST_F(DibImageOwnership, OwnerTakesBackWhatItsGhostChanged) {
  DibImage ghost;
  ghost.Ghost(source_);
  ghost.SetTransparentIndex(0);
  ASSERT_TRUE(ghost.AlphaCreate());
  ghost.AlphaSet(1, 1, 33);
  const BYTE* block = source_.Block();
  source_.Transfer(ghost);
  EXPECT_EQ(source_.Block(), block);
  EXPECT_EQ(source_.TransparentIndex(), 0);
  EXPECT_EQ(source_.AlphaGet(1, 1), 33);
  EXPECT_FALSE(ghost.IsValid());
  EXPECT_FALSE(ghost.HasAlpha());
}

TEST_F(DibImageOwnership, TransferFromAGhostKeepsItAGhost) {
  DibImage ghost;
  ghost.Ghost(source_);
  DibImage holder;
  holder.Transfer(ghost);
  EXPECT_TRUE(holder.IsGhost());
  EXPECT_EQ(holder.GhostOwner(), &source_);
  holder.Destroy();
  EXPECT_EQ(source_.GetPixelIndex(4, 2), 10);
}

// --- Pixels ------------------------------------------------------------------

TEST(DibImagePixels, IndexPackingPerDepth) {
  DibImage one;
  ASSERT_NE(one.Create(16, 2, 1, DibImage::kFormatBmp), nullptr);
  one.SetPixelIndex(0, 1, 1);
  one.SetPixelIndex(7, 1, 1);
  one.SetPixelIndex(9, 1, 1);
  EXPECT_EQ(one.Row(1)[0], 0x81);
  EXPECT_EQ(one.Row(1)[1], 0x40);
  EXPECT_EQ(one.Row(0)[0], 0x00);
  EXPECT_EQ(one.GetPixelIndex(7, 1), 1);
  EXPECT_EQ(one.GetPixelIndex(8, 1), 0);
  one.SetPixelIndex(7, 1, 0);
  EXPECT_EQ(one.Row(1)[0], 0x80);

  DibImage four;
  ASSERT_NE(four.Create(3, 1, 4, DibImage::kFormatBmp), nullptr);
  four.SetPixelIndex(0, 0, 0xA);
  four.SetPixelIndex(1, 0, 0x5);
  four.SetPixelIndex(2, 0, 0xF);
  EXPECT_EQ(four.Row(0)[0], 0xA5);
  EXPECT_EQ(four.Row(0)[1], 0xF0);
  EXPECT_EQ(four.GetPixelIndex(1, 0), 0x5);
  four.SetPixelIndex(0, 0, 0x3);
  EXPECT_EQ(four.Row(0)[0], 0x35);

  DibImage eight;
  ASSERT_NE(eight.Create(3, 2, 8, DibImage::kFormatBmp), nullptr);
  eight.SetPixelIndex(2, 1, 0xC8);
  EXPECT_EQ(eight.Row(1)[2], 0xC8);
  EXPECT_EQ(eight.GetPixelIndex(2, 1), 0xC8);

  DibImage full;
  ASSERT_NE(full.Create(2, 2, 24, DibImage::kFormatBmp), nullptr);
  full.SetPixelColor(1, 1, Rgb(1, 2, 3));
  const BYTE* pixel = full.Row(1) + 3;
  EXPECT_EQ(pixel[0], 3);  // blue, green, red
  EXPECT_EQ(pixel[1], 2);
  EXPECT_EQ(pixel[2], 1);
  EXPECT_EQ(full.GetPixelColor(1, 1), Rgb(1, 2, 3));
  full.SetPixelIndex(0, 0, 9);  // no index storage in 24 bits
  EXPECT_EQ(full.GetPixelIndex(1, 1), 0);
  EXPECT_EQ(full.GetPixelColor(0, 0), Rgb(0, 0, 0));
}

TEST(DibImagePixels, IndexedColorsResolveThePalette) {
  DibImage image;
  ASSERT_NE(image.Create(4, 1, 4, DibImage::kFormatBmp), nullptr);
  image.SetPaletteColor(3, 10, 20, 30, 77);
  image.SetPixelIndex(2, 0, 3);
  EXPECT_EQ(image.GetPixelColor(2, 0), Rgb(10, 20, 30, 77));
  image.SetPaletteColor(5, 100, 110, 120);
  image.SetPixelColor(1, 0, Rgb(98, 111, 121));
  EXPECT_EQ(image.GetPixelIndex(1, 0), 5);
}

TEST(DibImagePixels, OutsideReadsGiveFallbacksAndWritesAreIgnored) {
  DibImage indexed;
  ASSERT_NE(indexed.Create(2, 2, 8, DibImage::kFormatBmp), nullptr);
  indexed.SetPaletteColor(5, 50, 60, 70);
  indexed.SetBackgroundColor(Rgb(1, 2, 3));
  EXPECT_EQ(indexed.GetPixelIndex(2, 0), 0);
  EXPECT_EQ(indexed.GetPixelColor(-1, 0), Rgb(1, 2, 3));
  indexed.SetTransparentIndex(5);
  EXPECT_EQ(indexed.GetPixelIndex(0, 2), 5);
  EXPECT_EQ(indexed.GetPixelColor(0, -1), Rgb(50, 60, 70));
  EXPECT_EQ(indexed.GetPixelIndex(0, 0), 0);  // inside: the stored index

  DibImage full;
  ASSERT_NE(full.Create(2, 2, 24, DibImage::kFormatBmp), nullptr);
  full.SetBackgroundColor(Rgb(4, 5, 6));
  full.SetTransparentIndex(5);
  EXPECT_EQ(full.GetPixelIndex(5, 5), 0);
  EXPECT_EQ(full.GetPixelColor(2, 2), Rgb(4, 5, 6));

  const std::vector<BYTE> before(full.Block(), full.Block() + full.BlockSize());
  for (int x : {-1, 2, INT_MIN, INT_MAX}) {
    full.SetPixelColor(x, 0, Rgb(255, 255, 255));
    full.SetPixelColor(0, x, Rgb(255, 255, 255));
    full.AlphaSet(x, 0, 1);
    EXPECT_FALSE(full.IsInside(x, 0));
    EXPECT_FALSE(full.IsInside(0, x));
  }
  EXPECT_EQ(std::vector<BYTE>(full.Block(), full.Block() + full.BlockSize()), before);
  EXPECT_TRUE(full.IsInside(1, 1));
}

TEST(DibImagePixels, AlphaPlaneIsUnpaddedBottomUp) {
  DibImage image;
  ASSERT_NE(image.Create(3, 2, 1, DibImage::kFormatBmp), nullptr);
  EXPECT_EQ(image.AlphaGet(0, 0), 0);  // no plane yet
  image.AlphaSet(0, 0, 9);
  ASSERT_TRUE(image.AlphaCreate());
  image.AlphaSet(2, 1, 200);
  EXPECT_EQ(image.AlphaPlane()[1 * 3 + 2], 200);
  EXPECT_EQ(image.AlphaGet(2, 1), 200);
  EXPECT_EQ(image.AlphaGet(3, 1), 0);
  image.AlphaDelete();
  EXPECT_FALSE(image.HasAlpha());
  EXPECT_EQ(image.AlphaGet(2, 1), 0);
}

// --- Palette -------------------------------------------------------------------

TEST(DibImagePalette, NearestIndexPrefersExactThenLowestOfEqualDistance) {
  DibImage image;
  ASSERT_NE(image.Create(1, 1, 4, DibImage::kFormatBmp), nullptr);
  image.SetPaletteColor(0, 255, 255, 255);
  image.SetPaletteColor(2, 100, 100, 100);
  image.SetPaletteColor(3, 110, 100, 100);
  image.SetPaletteColor(4, 90, 100, 100);
  image.SetPaletteColor(6, 100, 100, 100);                  // duplicate of 2
  image.SetPaletteColor(1, 255, 255, 255);                  // duplicate of 0
  EXPECT_EQ(image.GetNearestIndex(Rgb(105, 100, 100)), 2);  // 2 and 3 both at 25
  EXPECT_EQ(image.GetNearestIndex(Rgb(95, 100, 100)), 2);   // 2 and 4 both at 25
  EXPECT_EQ(image.GetNearestIndex(Rgb(100, 100, 100)), 2);  // exact, first of two
  EXPECT_EQ(image.GetNearestIndex(Rgb(111, 100, 100)), 3);
  EXPECT_EQ(image.GetNearestIndex(Rgb(250, 250, 250)), 0);
  EXPECT_EQ(image.GetNearestIndex(Rgb(1, 1, 1)), 5);  // black entries: 5 is the first

  DibImage full;
  ASSERT_NE(full.Create(1, 1, 24, DibImage::kFormatBmp), nullptr);
  EXPECT_EQ(full.GetNearestIndex(Rgb(1, 2, 3)), 0);
}

TEST(DibImagePalette, EntriesBeyondThePaletteAreNeverTouched) {
  DibImage image;
  ASSERT_NE(image.Create(8, 1, 1, DibImage::kFormatBmp), nullptr);
  image.SetPaletteColor(1, 10, 20, 30);
  image.SetPaletteColor(2, 1, 2, 3, 4);  // would land on the first pixels
  image.SetPaletteColor(200, Rgb(1, 2, 3));
  EXPECT_EQ(image.Pixels()[0], 0);
  EXPECT_EQ(image.GetPaletteColor(1), Rgb(10, 20, 30));
  EXPECT_EQ(image.GetPaletteColor(2), Rgb(0, 0, 0));

  BYTE red = 9;
  BYTE green = 9;
  BYTE blue = 9;
  EXPECT_TRUE(image.GetPaletteColor(1, &red, &green, &blue));
  EXPECT_EQ(red, 10);
  EXPECT_EQ(green, 20);
  EXPECT_EQ(blue, 30);
  EXPECT_TRUE(image.GetPaletteColor(7, &red, &green, &blue));
  EXPECT_EQ(red + green + blue, 0);

  DibImage full;
  ASSERT_NE(full.Create(1, 1, 24, DibImage::kFormatBmp), nullptr);
  EXPECT_FALSE(full.GetPaletteColor(0, &red, &green, &blue));
  full.SetPaletteColor(0, 1, 2, 3);
  EXPECT_EQ(full.GetPixelColor(0, 0), Rgb(0, 0, 0));
}

TEST(DibImagePalette, SetPaletteCopiesAtMostThePaletteSize) {
  DibImage image;
  ASSERT_NE(image.Create(8, 1, 1, DibImage::kFormatBmp), nullptr);
  image.SetPaletteColor(0, 0, 0, 0, 123);
  const RgbTriple triples[3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  image.SetPalette(triples, 3);
  EXPECT_EQ(image.GetPaletteColor(0), Rgb(1, 2, 3, 123));  // fourth byte untouched
  EXPECT_EQ(image.GetPaletteColor(1), Rgb(4, 5, 6));
  EXPECT_EQ(image.Pixels()[0], 0);

  const RGBQUAD quads[3] = {Rgb(10, 11, 12, 13), Rgb(14, 15, 16, 17), Rgb(99, 99, 99, 99)};
  image.SetPalette(quads, 3);
  EXPECT_EQ(image.GetPaletteColor(0), Rgb(10, 11, 12, 13));
  EXPECT_EQ(image.GetPaletteColor(1), Rgb(14, 15, 16, 17));
  EXPECT_EQ(image.Pixels()[0], 0);
  image.SetPalette(quads, 1);
  image.SetPalette(static_cast<const RGBQUAD*>(nullptr), 2);
  EXPECT_EQ(image.GetPaletteColor(1), Rgb(14, 15, 16, 17));
}

TEST(DibImagePalette, GrayPaletteSpreadsLevels) {
  struct GrayCase {
    int bits;
    BYTE index;
    BYTE level;
  };
  const GrayCase cases[] = {{1, 0, 0},    {1, 1, 255},   {4, 1, 17},
                            {4, 15, 255}, {8, 200, 200}, {8, 255, 255}};
  for (const GrayCase& c : cases) {
    DibImage image;
    ASSERT_NE(image.Create(1, 1, c.bits, DibImage::kFormatBmp), nullptr);
    image.SetGrayPalette();
    EXPECT_EQ(image.GetPaletteColor(c.index), Rgb(c.level, c.level, c.level))
        << c.bits << " bits, entry " << int{c.index};
  }
}

TEST(DibImagePalette, SwapIndexExchangesEntriesAndPixels) {
  for (int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    DibImage image;
    ASSERT_TRUE(MakeIndexPatternImage(image, 11, 3, bits));
    const BYTE a = 0;
    const BYTE b = 1;
    const RGBQUAD entryA = image.GetPaletteColor(a);
    const RGBQUAD entryB = image.GetPaletteColor(b);
    DibImage before;
    ASSERT_TRUE(before.Copy(image));
    image.SwapIndex(a, b);
    EXPECT_EQ(image.GetPaletteColor(a), entryB);
    EXPECT_EQ(image.GetPaletteColor(b), entryA);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 11; ++x) {
        const BYTE old = before.GetPixelIndex(x, y);
        const BYTE expected = old == a ? b : old == b ? a : old;
        ASSERT_EQ(image.GetPixelIndex(x, y), expected) << x << "," << y;
        ASSERT_EQ(image.GetPixelColor(x, y), before.GetPixelColor(x, y));
      }
    }
  }
  DibImage small;
  ASSERT_TRUE(MakeIndexPatternImage(small, 4, 1, 1));
  small.SwapIndex(0, 5);  // 5 is no entry of a two-colour palette
  EXPECT_EQ(small.GetPaletteColor(0), Rgb(0, 0, 0));
  EXPECT_EQ(small.GetPixelIndex(1, 0), 1);
}

TEST(DibImagePalette, TransColorComesFromPaletteOrBackground) {
  DibImage indexed;
  ASSERT_NE(indexed.Create(1, 1, 8, DibImage::kFormatBmp), nullptr);
  indexed.SetPaletteColor(4, 1, 2, 3);
  indexed.SetBackgroundColor(Rgb(7, 7, 7));
  EXPECT_EQ(indexed.GetTransColor(), Rgb(7, 7, 7));
  indexed.SetTransparentIndex(4);
  EXPECT_EQ(indexed.GetTransColor(), Rgb(1, 2, 3));

  DibImage full;
  ASSERT_NE(full.Create(1, 1, 24, DibImage::kFormatBmp), nullptr);
  full.SetBackgroundColor(Rgb(9, 9, 9));
  full.SetTransparentIndex(0);
  EXPECT_EQ(full.GetTransColor(), Rgb(9, 9, 9));
}

// --- Bitfield conversion ----------------------------------------------------------

void PutWord(std::vector<BYTE>& data, size_t at, uint16_t word) {
  data[at] = static_cast<BYTE>(word);
  data[at + 1] = static_cast<BYTE>(word >> 8);
}

TEST(DibImageBitfields, SixteenBitWordsExpandWithTheirMasks) {
  struct MaskCase {
    const char* name;
    DWORD red, green, blue;
    uint16_t word;
    RGBQUAD expected;
  };
  const MaskCase cases[] = {
      {"555 red", 0x7C00, 0x03E0, 0x001F, 0x7C00, Rgb(248, 0, 0)},
      {"555 green", 0x7C00, 0x03E0, 0x001F, 0x03E0, Rgb(0, 248, 0)},
      {"555 blue", 0x7C00, 0x03E0, 0x001F, 0x001F, Rgb(0, 0, 248)},
      {"555 mixed", 0x7C00, 0x03E0, 0x001F, (1 << 10) | (2 << 5) | 3, Rgb(8, 16, 24)},
      {"565 red", 0xF800, 0x07E0, 0x001F, 0xF800, Rgb(248, 0, 0)},
      {"565 green", 0xF800, 0x07E0, 0x001F, 0x07E0, Rgb(0, 252, 0)},
      {"565 mixed", 0xF800, 0x07E0, 0x001F, (3 << 11) | (5 << 5) | 7, Rgb(24, 20, 56)},
      // Overlapping full masks: shifts beyond the word give 0, never UB.
      {"full masks", 0xFFFF, 0xFFFF, 0xFFFF, 0xABCD, Rgb(0, 0, 0xAB)},
  };
  for (const MaskCase& c : cases) {
    SCOPED_TRACE(c.name);
    DibImage image;
    ASSERT_NE(image.Create(1, 1, 24, DibImage::kFormatBmp), nullptr);
    std::vector<BYTE> source(4, 0);
    PutWord(source, 0, c.word);
    image.ConvertBitfields(source.data(), c.red, c.green, c.blue, 16);
    EXPECT_EQ(image.GetPixelColor(0, 0), c.expected);
  }
}

TEST(DibImageBitfields, SixteenBitConversionWorksInPlace) {
  // Odd width: 16-bit source rows carry a padding word, ((3 + 1) / 2) x 4 = 8 bytes.
  const int width = 3;
  const int height = 4;
  DibImage image;
  ASSERT_NE(image.Create(width, height, 24, DibImage::kFormatBmp), nullptr);
  std::vector<BYTE> source(size_t(8) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      PutWord(source, size_t(y) * 8 + size_t(x) * 2,
              static_cast<uint16_t>((x << 10) | (y << 5) | (x + y)));
  std::memcpy(image.Pixels(), source.data(), source.size());
  image.ConvertBitfields(image.Pixels(), 0x7C00, 0x03E0, 0x001F, 16);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      EXPECT_EQ(image.GetPixelColor(x, y), Rgb(static_cast<BYTE>(x * 8), static_cast<BYTE>(y * 8),
                                               static_cast<BYTE>((x + y) * 8)))
          << x << "," << y;
}

TEST(DibImageBitfields, ThirtyTwoBitPixelsDropTheFourthByte) {
  DibImage image;
  ASSERT_NE(image.Create(3, 2, 24, DibImage::kFormatBmp), nullptr);
  std::vector<BYTE> source(3 * 2 * 4);
  for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<BYTE>(i + 1);
  image.ConvertBitfields(source.data(), 0, 0, 0, 32);
  // Pixel (x, y) starts at (y x 3 + x) x 4; bytes are blue, green, red, dropped.
  EXPECT_EQ(image.GetPixelColor(0, 0), Rgb(3, 2, 1));
  EXPECT_EQ(image.GetPixelColor(2, 0), Rgb(11, 10, 9));
  EXPECT_EQ(image.GetPixelColor(1, 1), Rgb(19, 18, 17));
  EXPECT_FALSE(image.HasAlpha());
  EXPECT_EQ(image.Row(0)[9], 0);  // row padding untouched
}

TEST(DibImageBitfields, OnlyTwentyFourBitImagesConvert) {
  DibImage image;
  ASSERT_NE(image.Create(2, 1, 8, DibImage::kFormatBmp), nullptr);
  const BYTE source[8] = {0xFF, 0x7F, 0xFF, 0x7F, 1, 2, 3, 4};
  image.ConvertBitfields(source, 0x7C00, 0x03E0, 0x001F, 16);
  EXPECT_EQ(image.Row(0)[0], 0);
  EXPECT_EQ(image.Row(0)[1], 0);
}

}  // namespace
