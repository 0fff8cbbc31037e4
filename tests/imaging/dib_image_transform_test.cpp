// Resample, Crop, Crossfade and DrawLine.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "imaging/dib_image.h"
#include "tests/support/test_images.h"

namespace {

RGBQUAD Red(BYTE red) { return Rgb(red, 0, 0); }

// --- Resample ------------------------------------------------------------------

TEST(DibImageResample, RefusesEmptyImagesAndZeroSizes) {
  DibImage empty;
  EXPECT_FALSE(empty.Resample(2, 2, DibImage::kResampleSmooth));
  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 3, 3));
  EXPECT_FALSE(image.Resample(0, 2, DibImage::kResampleSmooth));
  EXPECT_FALSE(image.Resample(2, 0, DibImage::kResampleNearest));
  EXPECT_FALSE(image.Resample(-2, 2, DibImage::kResampleNearest));
  EXPECT_EQ(image.Width(), 3);
}

TEST(DibImageResample, SameSizeChangesNothing) {
  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 4, 3));
  const BYTE* block = image.Block();
  EXPECT_TRUE(image.Resample(4, 3, DibImage::kResampleSmooth));
  EXPECT_EQ(image.Block(), block);
  EXPECT_EQ(image.GetPixelColor(3, 2), PatternColor(3, 2));
}

TEST(DibImageResample, NearestTakesTruncatedSourcePositions) {
  DibImage grown;
  ASSERT_TRUE(MakePatternImage(grown, 3, 2));
  ASSERT_TRUE(grown.Resample(6, 4, DibImage::kResampleNearest));
  ASSERT_EQ(grown.Width(), 6);
  ASSERT_EQ(grown.Height(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(grown.GetPixelColor(x, y), PatternColor(x / 2, y / 2)) << x << "," << y;

  DibImage shrunk;  // 5 -> 2 columns: scale 2.5 picks columns 0 and 2
  ASSERT_TRUE(MakePatternImage(shrunk, 5, 4));
  ASSERT_TRUE(shrunk.Resample(2, 2, DibImage::kResampleNearest));
  EXPECT_EQ(shrunk.GetPixelColor(0, 0), PatternColor(0, 0));
  EXPECT_EQ(shrunk.GetPixelColor(1, 0), PatternColor(2, 0));
  EXPECT_EQ(shrunk.GetPixelColor(1, 1), PatternColor(2, 2));
}

TEST(DibImageResample, NearestKeepsIndicesOfEveryDepth) {
  for (int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    DibImage image;
    ASSERT_TRUE(MakeIndexPatternImage(image, 5, 3, bits));
    DibImage original;
    ASSERT_TRUE(original.Copy(image));
    ASSERT_TRUE(image.Resample(10, 6, DibImage::kResampleNearest));
    EXPECT_EQ(image.BitCount(), original.BitCount());
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 10; ++x)
        ASSERT_EQ(image.GetPixelIndex(x, y), original.GetPixelIndex(x / 2, y / 2));
  }
}

TEST(DibImageResample, NearestKeepsIndexOfDuplicatePaletteColour) {
  // Entry 7 repeats entry 0's colour but is the transparent one: matching the
  // colour again would move its pixels to entry 0 and make them opaque.
  DibImage image;
  ASSERT_NE(image.Create(2, 2, 8, DibImage::kFormatBmp), nullptr);
  image.SetPaletteColor(7, 0, 0, 0);
  image.SetTransparentIndex(7);
  image.SetPixelIndex(1, 1, 7);
  ASSERT_TRUE(image.Resample(4, 4, DibImage::kResampleNearest));
  EXPECT_EQ(image.GetPixelIndex(3, 3), 7);
  EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
  EXPECT_EQ(image.TransparentIndex(), 7);
}

TEST(DibImageResample, BilinearInterpolatesAGradient) {
  DibImage image;
  ASSERT_NE(image.Create(2, 1, 24, DibImage::kFormatBmp), nullptr);
  image.SetPixelColor(0, 0, Red(0));
  image.SetPixelColor(1, 0, Red(100));
  ASSERT_TRUE(image.Resample(4, 2, DibImage::kResampleSmooth));
  // Source positions 0, 0.5, 1, 1.5; the right neighbour is clamped at the edge.
  const BYTE expected[4] = {0, 50, 100, 100};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.GetPixelColor(x, y), Red(expected[x])) << x;

  DibImage column;
  ASSERT_NE(column.Create(1, 2, 24, DibImage::kFormatBmp), nullptr);
  column.SetPixelColor(0, 0, Rgb(0, 40, 0));
  column.SetPixelColor(0, 1, Rgb(0, 200, 0));
  ASSERT_TRUE(column.Resample(1, 8, DibImage::kResampleSmooth));
  EXPECT_EQ(column.GetPixelColor(0, 1), Rgb(0, 80, 0));   // position 0.25
  EXPECT_EQ(column.GetPixelColor(0, 3), Rgb(0, 160, 0));  // position 0.75
}

TEST(DibImageResample, BilinearKeepsFlatAreasExact) {
  DibImage image;
  ASSERT_TRUE(MakeFilledImage(image, 3, 3, 24, Rgb(255, 255, 1)));
  ASSERT_TRUE(image.Resample(7, 5, DibImage::kResampleSmooth));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(image.GetPixelColor(x, y), Rgb(255, 255, 1));
}

TEST(DibImageResample, BilinearOnIndexedStoresNearestEntry) {
  DibImage image;
  ASSERT_NE(image.Create(2, 1, 8, DibImage::kFormatBmp), nullptr);
  image.SetGrayPalette();
  image.SetPixelIndex(0, 0, 0);
  image.SetPixelIndex(1, 0, 100);
  ASSERT_TRUE(image.Resample(4, 1, DibImage::kResampleSmooth));
  EXPECT_EQ(image.GetPixelIndex(1, 0), 50);
  EXPECT_EQ(image.GetPixelIndex(3, 0), 100);
}

TEST(DibImageResample, AreaAveragingShrinksTrueColour) {
  DibImage block;
  ASSERT_NE(block.Create(2, 2, 24, DibImage::kFormatBmp), nullptr);
  block.SetPixelColor(0, 0, Red(10));
  block.SetPixelColor(1, 0, Red(20));
  block.SetPixelColor(0, 1, Red(30));
  block.SetPixelColor(1, 1, Red(41));
  DibImage nearest;
  ASSERT_TRUE(nearest.Copy(block));
  ASSERT_TRUE(block.Resample(1, 1, DibImage::kResampleSmooth));
  EXPECT_EQ(block.GetPixelColor(0, 0), Red(25));  // 101 / 4, truncated
  ASSERT_TRUE(nearest.Resample(1, 1, DibImage::kResampleNearest));
  EXPECT_EQ(nearest.GetPixelColor(0, 0), Red(10));

  // 3 -> 2 in both directions: each destination pixel covers one and a half
  // source pixels, the half one weighing 500 thousandths.
  DibImage ramp;
  ASSERT_NE(ramp.Create(3, 3, 24, DibImage::kFormatBmp), nullptr);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) ramp.SetPixelColor(x, y, Red(static_cast<BYTE>(90 * x + 30 * y)));
  ASSERT_TRUE(ramp.Resample(2, 2, DibImage::kResampleSmooth));
  EXPECT_EQ(ramp.GetPixelColor(0, 0), Red(40));   // mean x 1/3, mean y 1/3
  EXPECT_EQ(ramp.GetPixelColor(1, 0), Red(160));  // mean x 5/3, mean y 1/3
  EXPECT_EQ(ramp.GetPixelColor(1, 1), Red(200));
}

TEST(DibImageResample, ReportsProgressAndHonoursStopRequest) {
  DibImage image;
  ASSERT_TRUE(MakeFilledImage(image, 2, 2, 24, Rgb(9, 9, 9)));
  ASSERT_TRUE(image.Resample(3, 4, DibImage::kResampleNearest));
  EXPECT_EQ(image.Progress(), 75);  // set at the start of the last of 4 rows

  DibImage stopped;
  ASSERT_TRUE(MakeFilledImage(stopped, 2, 2, 24, Rgb(9, 9, 9)));
  stopped.SetStopRequest(true);
  ASSERT_TRUE(stopped.Resample(3, 4, DibImage::kResampleNearest));
  EXPECT_EQ(stopped.Width(), 3);
  EXPECT_EQ(stopped.Progress(), 0);
  EXPECT_EQ(stopped.GetPixelColor(0, 0), Rgb(0, 0, 0));  // rows never made stay blank
}

TEST(DibImageResample, KeepsDescriptionAndResamplesAlphaByNearest) {
  DibImage image;
  ASSERT_TRUE(MakeFilledImage(image, 2, 2, 24, Rgb(1, 1, 1)));
  image.SetBackgroundColor(Rgb(5, 6, 7));
  image.SetTransparentIndex(0);
  image.SetXDpi(96);
  ASSERT_TRUE(image.AlphaCreate());
  image.AlphaSet(0, 0, 10);
  image.AlphaSet(1, 0, 20);
  image.AlphaSet(0, 1, 30);
  image.AlphaSet(1, 1, 40);
  ASSERT_TRUE(image.Resample(4, 3, DibImage::kResampleSmooth));
  ASSERT_TRUE(image.HasAlpha());
  EXPECT_EQ(image.AlphaGet(0, 0), 10);
  EXPECT_EQ(image.AlphaGet(1, 0), 10);
  EXPECT_EQ(image.AlphaGet(2, 0), 20);
  EXPECT_EQ(image.AlphaGet(3, 1), 20);  // row 1 x 2/3 truncates to 0
  EXPECT_EQ(image.AlphaGet(3, 2), 40);
  EXPECT_EQ(image.BackgroundColor(), Rgb(5, 6, 7));
  EXPECT_EQ(image.TransparentIndex(), 0);
  EXPECT_EQ(image.XDpi(), 96);
  EXPECT_EQ(image.Header().biXPelsPerMeter, 3780);
}

// --- Crop ----------------------------------------------------------------------

TEST(DibImageCrop, CutsRowsCountedFromTheTop) {
  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 4, 3));
  ASSERT_TRUE(image.Crop(1, 0, 3, 2));
  ASSERT_EQ(image.Width(), 2);
  ASSERT_EQ(image.Height(), 2);
  // The top two lines are stored rows 2 and 1.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(image.GetPixelColor(x, y), PatternColor(x + 1, y + 1));
}

TEST(DibImageCrop, ClampsAndOrdersEdges) {
  DibImage reference;
  ASSERT_TRUE(MakePatternImage(reference, 4, 3));
  ASSERT_TRUE(reference.Crop(1, 0, 3, 2));

  DibImage swapped;
  ASSERT_TRUE(MakePatternImage(swapped, 4, 3));
  ASSERT_TRUE(swapped.Crop(3, 2, 1, 0));
  ASSERT_EQ(swapped.SizeImage(), reference.SizeImage());
  EXPECT_EQ(std::memcmp(swapped.Pixels(), reference.Pixels(), reference.SizeImage()), 0);

  DibImage whole;
  ASSERT_TRUE(MakePatternImage(whole, 4, 3));
  ASSERT_TRUE(whole.Crop(INT_MIN, -5, INT_MAX, 100));
  EXPECT_EQ(whole.Width(), 4);
  EXPECT_EQ(whole.Height(), 3);
  EXPECT_EQ(whole.GetPixelColor(3, 2), PatternColor(3, 2));
}

TEST(DibImageCrop, EmptyRectanglesFailWithoutChange) {
  DibImage empty;
  EXPECT_FALSE(empty.Crop(0, 0, 1, 1));
  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 4, 3));
  const BYTE* block = image.Block();
  EXPECT_FALSE(image.Crop(5, 0, 9, 3));  // both columns clamp to 4
  EXPECT_FALSE(image.Crop(1, 1, 2, 1));
  EXPECT_FALSE(image.Crop(0, -4, 4, -1));
  EXPECT_EQ(image.Block(), block);
  EXPECT_EQ(image.Width(), 4);
}

TEST(DibImageCrop, IndexedDepthsKeepIndicesPaletteAndKey) {
  for (int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    DibImage image;
    ASSERT_TRUE(MakeIndexPatternImage(image, 21, 5, bits));
    image.SetPaletteColor(1, 1, 2, 3, 4);
    image.SetTransparentIndex(1);
    image.SetBackgroundColor(Rgb(8, 8, 8));
    DibImage original;
    ASSERT_TRUE(original.Copy(image));
    // Columns 3..15 (not byte-aligned in 1 and 4 bits), lines 1..3 from the top.
    ASSERT_TRUE(image.Crop(3, 1, 16, 4));
    ASSERT_EQ(image.Width(), 13);
    ASSERT_EQ(image.Height(), 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 13; ++x)
        ASSERT_EQ(image.GetPixelIndex(x, y), original.GetPixelIndex(x + 3, y + 1)) << x << "," << y;
    EXPECT_EQ(image.GetPaletteColor(1), Rgb(1, 2, 3, 4));
    EXPECT_EQ(image.TransparentIndex(), 1);
    EXPECT_EQ(image.BackgroundColor(), Rgb(8, 8, 8));
  }
}

TEST(DibImageCrop, CutsTheAlphaPlaneToo) {
  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 4, 3));
  ASSERT_TRUE(image.AlphaCreate());
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) image.AlphaSet(x, y, static_cast<BYTE>(10 * y + x));
  ASSERT_TRUE(image.Crop(2, 1, 4, 3));
  ASSERT_TRUE(image.HasAlpha());
  EXPECT_EQ(image.AlphaGet(0, 0), 2);
  EXPECT_EQ(image.AlphaGet(1, 0), 3);
  EXPECT_EQ(image.AlphaGet(0, 1), 12);
  EXPECT_EQ(image.AlphaGet(1, 1), 13);
}

TEST(DibImageCrop, DestinationTakesTheCutAndSourceStays) {
  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 4, 3));
  const BYTE* block = image.Block();
  DibImage piece;
  ASSERT_TRUE(MakeFilledImage(piece, 9, 9, 8, Rgb(1, 1, 1)));
  ASSERT_TRUE(image.Crop(0, 0, 2, 1, &piece));
  EXPECT_EQ(image.Block(), block);
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(piece.Width(), 2);
  EXPECT_EQ(piece.Height(), 1);
  EXPECT_EQ(piece.BitCount(), 24);
  EXPECT_EQ(piece.GetPixelColor(1, 0), PatternColor(1, 2));
}

// --- Crossfade -------------------------------------------------------------------

TEST(DibImageCrossfade, MixesChannelsWithTruncatedSteps) {
  DibImage first;
  DibImage second;
  ASSERT_TRUE(MakeFilledImage(first, 2, 2, 24, Rgb(0, 200, 10)));
  ASSERT_TRUE(MakeFilledImage(second, 2, 2, 24, Rgb(255, 100, 110)));
  DibImage target;
  ASSERT_NE(target.Create(2, 2, 24, DibImage::kFormatBmp), nullptr);
  struct FadeCase {
    float factor;
    RGBQUAD expected;
  };
  const FadeCase cases[] = {{0.0f, Rgb(0, 200, 10)},
                            {1.0f, Rgb(255, 100, 110)},
                            {0.5f, Rgb(127, 150, 60)},     // 127.5 and -50 truncate toward zero
                            {2.0f, Rgb(254, 0, 210)},      // 510 wraps to 254
                            {-0.25f, Rgb(193, 225, 241)},  // -63 and -15 wrap
                            // Steps beyond the int range saturate before wrapping.
                            {1e20f, Rgb(255, 200, 9)}};
  for (const FadeCase& c : cases) {
    target.Crossfade(first, second, c.factor);
    EXPECT_EQ(target.GetPixelColor(1, 1), c.expected) << c.factor;
  }
  EXPECT_FALSE(target.HasAlpha());
}

TEST(DibImageCrossfade, SmallerSourceReadsItsOutsideColourAndNoOpacity) {
  DibImage first;
  DibImage second;
  ASSERT_TRUE(MakeFilledImage(first, 3, 1, 24, Rgb(100, 100, 100)));
  ASSERT_TRUE(first.AlphaCreate());
  for (int x = 0; x < 3; ++x) first.AlphaSet(x, 0, 200);
  ASSERT_TRUE(MakeFilledImage(second, 2, 1, 24, Rgb(200, 200, 200)));
  second.SetBackgroundColor(Rgb(0, 50, 0));
  DibImage target;
  ASSERT_NE(target.Create(3, 1, 24, DibImage::kFormatBmp), nullptr);
  target.Crossfade(first, second, 0.5f);
  EXPECT_EQ(target.GetPixelColor(0, 0), Rgb(150, 150, 150));
  EXPECT_EQ(target.GetPixelColor(2, 0), Rgb(50, 75, 50));
  ASSERT_TRUE(target.HasAlpha());
  EXPECT_EQ(target.AlphaGet(0, 0), 227);  // second has no plane: opaque inside
  EXPECT_EQ(target.AlphaGet(2, 0), 100);  // outside second: 0
}

TEST(DibImageCrossfade, TargetMayBeOneOfTheSources) {
  DibImage image;
  DibImage other;
  ASSERT_TRUE(MakeFilledImage(image, 2, 2, 24, Rgb(0, 0, 0)));
  ASSERT_TRUE(image.AlphaCreate());
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) image.AlphaSet(x, y, 100);
  ASSERT_TRUE(MakeFilledImage(other, 2, 2, 24, Rgb(200, 0, 0)));
  image.Crossfade(image, other, 0.5f);
  EXPECT_EQ(image.GetPixelColor(1, 1), Rgb(100, 0, 0));
  EXPECT_EQ(image.AlphaGet(1, 1), 177);  // 100 + (int)(155 x 0.5)
}

TEST(DibImageCrossfade, IndexedTargetStoresNearestAndEmptySourcesDoNothing) {
  DibImage first;
  DibImage second;
  ASSERT_TRUE(MakeFilledImage(first, 1, 1, 24, Rgb(0, 0, 0)));
  ASSERT_TRUE(MakeFilledImage(second, 1, 1, 24, Rgb(100, 100, 100)));
  DibImage target;
  ASSERT_NE(target.Create(1, 1, 8, DibImage::kFormatBmp), nullptr);
  target.SetGrayPalette();
  target.Crossfade(first, second, 0.5f);
  EXPECT_EQ(target.GetPixelIndex(0, 0), 50);

  DibImage empty;
  target.Crossfade(first, empty, 0.5f);
  target.Crossfade(empty, second, 0.5f);
  EXPECT_EQ(target.GetPixelIndex(0, 0), 50);
}

// --- DrawLine --------------------------------------------------------------------

TEST(DibImageDrawLine, ColoursLinePointsButNotTheEnd) {
  DibImage image;
  ASSERT_TRUE(MakeFilledImage(image, 8, 4, 24, Rgb(255, 255, 255)));
  image.DrawLine(1, 2, 5, 2, Rgb(0, 0, 0), false);
  for (int x = 0; x < 8; ++x) {
    const bool onLine = x >= 1 && x <= 4;
    EXPECT_EQ(image.GetPixelColor(x, 2), onLine ? Rgb(0, 0, 0) : Rgb(255, 255, 255)) << x;
    EXPECT_EQ(image.GetPixelColor(x, 1), Rgb(255, 255, 255));
  }
}

TEST(DibImageDrawLine, ClipsToThePictureAndUsesNearestIndex) {
  DibImage image;
  ASSERT_NE(image.Create(6, 6, 8, DibImage::kFormatBmp), nullptr);
  image.SetGrayPalette();
  image.DrawLine(-4, -4, 30, 30, Rgb(101, 101, 101), false);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(image.GetPixelIndex(x, y), x == y ? 101 : 0);
  DibImage empty;
  empty.DrawLine(0, 0, 5, 5, Rgb(1, 1, 1), true);
  EXPECT_FALSE(empty.IsValid());
}

TEST(DibImageDrawLine, SmoothingBlendsEdgeNeighboursAwayFromTheLine) {
  const RGBQUAD black = Rgb(0, 0, 0);
  const RGBQUAD white = Rgb(255, 255, 255);
  const RGBQUAD quarter = Rgb(191, 191, 191);  // (0 + 3 x 255) >> 2
  DibImage image;
  ASSERT_TRUE(MakeFilledImage(image, 9, 7, 24, white));
  image.SetBackgroundColor(black);   // what positions outside the picture read as
  image.SetPixelColor(2, 4, black);  // a neighbour already in the line colour
  image.SetPixelColor(4, 5, black);  // a far pixel of the neighbour above (4, 3)
  image.DrawLine(1, 3, 5, 3, black, true);

  for (int x = 1; x <= 4; ++x) EXPECT_EQ(image.GetPixelColor(x, 3), black) << x;
  for (int x : {1, 3}) EXPECT_EQ(image.GetPixelColor(x, 4), quarter) << x;
  for (int x = 1; x <= 4; ++x) EXPECT_EQ(image.GetPixelColor(x, 2), quarter) << x;
  EXPECT_EQ(image.GetPixelColor(2, 4), black);
  EXPECT_EQ(image.GetPixelColor(4, 4), Rgb(127, 127, 127));  // far pixels black, white
  EXPECT_EQ(image.GetPixelColor(5, 3), quarter);             // beyond the last point
  // Left of the first point both far pixels lie outside the picture.
  EXPECT_EQ(image.GetPixelColor(0, 3), Rgb(63, 63, 63));
  EXPECT_EQ(image.GetPixelColor(0, 4), white);  // diagonal neighbours are left alone
  EXPECT_EQ(image.GetPixelColor(1, 5), white);
  EXPECT_EQ(image.GetPixelColor(1, 1), white);
}

}  // namespace
