// DibImage's GDI side, rendered into memory device contexts and compared
// pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/line_walker.h"
#include "imaging/platform_alpha_blending.h"
#include "tests/support/memory_canvas_win.h"

namespace {

RGBQUAD Bgr(int blue, int green, int red) { return RGBQUAD{BYTE(blue), BYTE(green), BYTE(red), 0}; }

const RGBQUAD kBackground = Bgr(30, 60, 90);
const RGBQUAD kWhite = Bgr(255, 255, 255);

// --- Pictures (x from the left, y from the top) ----------------------------

void SetTop(DibImage& image, int x, int y, RGBQUAD color) {
  image.SetPixelColor(x, image.Height() - 1 - y, color);
}

RGBQUAD TopColor(const DibImage& image, int x, int y) {
  RGBQUAD color = image.GetPixelColor(x, image.Height() - 1 - y);
  color.rgbReserved = 0;
  return color;
}

RGBQUAD PatternColor(int x, int y) { return Bgr(10 + 40 * x, 20 + 50 * y, 250 - 30 * x - 20 * y); }

RGBQUAD PaletteEntry(int index) { return Bgr(index, 255 - index, (index * 7 + 3) & 255); }

// A picture whose pixels all differ (24 bits) or cycle through the palette.
void MakePattern(DibImage& image, int width, int height, int bitCount) {
  ASSERT_NE(image.Create(width, height, bitCount, DibImage::kFormatBmp), nullptr);
  if (bitCount == 24) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) SetTop(image, x, y, PatternColor(x, y));
    return;
  }
  const int colors = static_cast<int>(image.ColorsUsed());
  for (int i = 0; i < colors; ++i) image.SetPaletteColor(BYTE(i), PaletteEntry(i));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixelIndex(x, height - 1 - y, BYTE((x + 3 * y) % colors));
}

void MakeFlat(DibImage& image, int width, int height, RGBQUAD color, int alpha) {
  ASSERT_NE(image.Create(width, height, 24, DibImage::kFormatPng), nullptr);
  ASSERT_TRUE(image.AlphaCreate());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      image.SetPixelColor(x, y, color);
      image.AlphaSet(x, y, BYTE(alpha));
    }
}

// --- Canvas checks -----------------------------------------------------------

using Expectation = std::function<RGBQUAD(int x, int y)>;

// Compares the whole canvas; reports the first pixel that differs.
::testing::AssertionResult CanvasIs(const MemoryCanvas& canvas, const Expectation& expected,
                                    int tolerance = 0) {
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      ::testing::AssertionResult same = NearColor(canvas.Pixel(x, y), expected(x, y), tolerance);
      if (!same) return same << " at (" << x << ", " << y << ")";
    }
  return ::testing::AssertionSuccess();
}

bool Inside(int x, int y, const RECT& rect) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// The picture drawn at its own size with its top-left corner at (left, top).
Expectation PictureAt(const DibImage& image, int left, int top) {
  return [&image, left, top](int x, int y) {
    const RECT area{left, top, left + image.Width(), top + image.Height()};
    return Inside(x, y, area) ? TopColor(image, x - left, y - top) : kBackground;
  };
}

// --- Refusals --------------------------------------------------------------

TEST(DibImageDrawTest, RefusesEmptyImageNullContextAndZeroSize) {
  MemoryCanvas canvas(8, 8);
  ASSERT_TRUE(canvas.IsValid());
  canvas.Fill(kBackground);
  DibImage empty;
  const RECT rect{0, 0, 8, 8};
  EXPECT_FALSE(empty.Draw(canvas.Dc(), 0, 0));
  EXPECT_FALSE(empty.Stretch(canvas.Dc(), 0, 0, 4, 4));
  EXPECT_FALSE(empty.Tile(canvas.Dc(), rect));
  EXPECT_FALSE(empty.DrawCentered(canvas.Dc(), rect));
  EXPECT_EQ(empty.MakeBitmap(nullptr), nullptr);

  DibImage image;
  MakePattern(image, 3, 3, 24);
  EXPECT_FALSE(image.Draw(nullptr, 0, 0));
  EXPECT_FALSE(image.Draw(canvas.Dc(), 0, 0, 0, 3));
  EXPECT_FALSE(image.Draw(canvas.Dc(), 0, 0, 3, 0));
  EXPECT_FALSE(image.Stretch(canvas.Dc(), 0, 0, 0, 3));
  EXPECT_FALSE(image.Stretch(nullptr, 0, 0, 3, 3));
  EXPECT_FALSE(image.Tile(nullptr, rect));
  EXPECT_TRUE(CanvasIs(canvas, [](int, int) { return kBackground; }));
}

// --- Opaque pictures ---------------------------------------------------------

class OpaqueDrawTest : public ::testing::TestWithParam<int> {};

TEST_P(OpaqueDrawTest, NaturalSizeCopiesEveryPixel) {
  DibImage image;
  MakePattern(image, 5, 3, GetParam());
  MemoryCanvas canvas(10, 6);
  canvas.Fill(kBackground);
  EXPECT_TRUE(image.Draw(canvas.Dc(), 2, 1));
  EXPECT_TRUE(CanvasIs(canvas, PictureAt(image, 2, 1)));
}

struct ScaleCase {
  int width, height;         // picture
  int cx, cy;                // destination
  std::vector<int> columns;  // source column of each destination column
  std::vector<int> rows;     // source row (from the top) of each destination row
};

TEST_P(OpaqueDrawTest, OtherSizesPickTheNearestSourcePixel) {
  const ScaleCase cases[] = {
      {3, 2, 7, 5, {0, 0, 0, 1, 1, 2, 2}, {0, 0, 0, 1, 1}},
      {4, 4, 2, 2, {0, 2}, {0, 2}},
      {5, 3, 2, 2, {0, 2}, {0, 1}},
      {2, 3, 6, 3, {0, 0, 0, 1, 1, 1}, {0, 1, 2}},
  };
  for (const ScaleCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.width << "x" << c.height << " to " << c.cx << "x" << c.cy);
    DibImage image;
    MakePattern(image, c.width, c.height, GetParam());
    MemoryCanvas canvas(10, 8);
    canvas.Fill(kBackground);
    EXPECT_TRUE(image.Draw(canvas.Dc(), 1, 2, c.cx, c.cy));
    EXPECT_TRUE(CanvasIs(canvas, [&](int x, int y) {
      if (!Inside(x, y, RECT{1, 2, 1 + c.cx, 2 + c.cy})) return kBackground;
      return TopColor(image, c.columns[x - 1], c.rows[y - 2]);
    }));
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, OpaqueDrawTest, ::testing::Values(1, 4, 8, 24));

// --- Own size --------------------------------------------------------------

TEST(DibImageDrawTest, DefaultSizeEqualsOwnSize) {
  struct Kind {
    const char* name;
    std::function<void(DibImage&)> make;
    bool systemBlending;
  };
  const Kind kinds[] = {
      {"opaque", [](DibImage& i) { MakePattern(i, 5, 4, 24); }, true},
      {"keyed",
       [](DibImage& i) {
         MakePattern(i, 5, 4, 8);
         i.SetTransparentIndex(0);
       },
       false},
      {"alpha, software", [](DibImage& i) { MakeFlat(i, 5, 4, Bgr(0, 0, 200), 100); }, false},
      {"alpha, platform", [](DibImage& i) { MakeFlat(i, 5, 4, Bgr(0, 0, 200), 100); }, true},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    DibImage image;
    kind.make(image);
    image.SetSystemAlphaBlending(kind.systemBlending);
    MemoryCanvas blank(9, 9), byDefault(9, 9), byOwnSize(9, 9);
    for (MemoryCanvas* canvas : {&blank, &byDefault, &byOwnSize}) canvas->Fill(kWhite);
    EXPECT_TRUE(image.Draw(byDefault.Dc(), 2, 3, -1, -1));
    EXPECT_TRUE(image.Draw(byOwnSize.Dc(), 2, 3, image.Width(), image.Height()));
    EXPECT_FALSE(byDefault.SamePixels(blank));
    EXPECT_TRUE(byDefault.SamePixels(byOwnSize));
  }
}

// --- Colour key ----------------------------------------------------------------

// Entries 0 and 2 share the key colour; only entry 1 differs.
void MakeKeyed(DibImage& image) {
  ASSERT_NE(image.Create(6, 4, 4, DibImage::kFormatBmp), nullptr);
  image.SetPaletteColor(0, 30, 20, 10);
  image.SetPaletteColor(1, 200, 150, 100);
  image.SetPaletteColor(2, 30, 20, 10);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) image.SetPixelIndex(x, 3 - y, BYTE((x + y) % 3));
  image.SetTransparentIndex(0);
}

TEST(DibImageDrawTest, ColourKeyShowsBackgroundExactlyWhereTheKeyColourIs) {
  for (bool systemBlending : {false, true})
    for (int scale : {1, 2}) {
      SCOPED_TRACE(::testing::Message() << "blending " << systemBlending << ", scale " << scale);
      DibImage image;
      MakeKeyed(image);
      image.SetSystemAlphaBlending(systemBlending);
      MemoryCanvas canvas(16, 12);
      canvas.Fill(kBackground);
      EXPECT_TRUE(image.Draw(canvas.Dc(), 1, 1, 6 * scale, 4 * scale));
      EXPECT_TRUE(CanvasIs(canvas, [&](int x, int y) {
        if (!Inside(x, y, RECT{1, 1, 1 + 6 * scale, 1 + 4 * scale})) return kBackground;
        const int sx = (x - 1) / scale, sy = (y - 1) / scale;
        return (sx + sy) % 3 == 1 ? Bgr(100, 150, 200) : kBackground;
      }));
    }
}

TEST(DibImageDrawTest, TrueColourPictureIsKeyedByItsBackgroundColour) {
  DibImage image;
  MakePattern(image, 4, 3, 24);
  const RGBQUAD key = PatternColor(1, 2);
  SetTop(image, 3, 0, key);
  image.SetBackgroundColor(key);
  image.SetTransparentIndex(0);
  MemoryCanvas canvas(6, 5);
  canvas.Fill(kBackground);
  EXPECT_TRUE(image.Draw(canvas.Dc(), 1, 1));
  EXPECT_TRUE(CanvasIs(canvas, [&](int x, int y) {
    const bool keyPixel = (x == 2 && y == 3) || (x == 4 && y == 1);
    return keyPixel ? kBackground : PictureAt(image, 1, 1)(x, y);
  }));
}

// --- Opacity -----------------------------------------------------------------

struct BlendCase {
  int alpha;
  int source;
  int background;
  int expected;
};

TEST(DibImageDrawTest, SoftwareBlendMixesByOpacity) {
  const BlendCase cases[] = {
      {128, 0, 255, 126}, {0, 0, 255, 255}, {255, 77, 255, 77}, {64, 200, 100, 124}, {1, 255, 0, 0},
  };
  for (int canvasBits : {24, 32})
    for (const BlendCase& c : cases) {
      SCOPED_TRACE(::testing::Message() << canvasBits << " bits, alpha " << c.alpha);
      DibImage image;
      MakeFlat(image, 3, 2, Bgr(c.source, c.source, c.source), c.alpha);
      image.SetSystemAlphaBlending(false);
      MemoryCanvas canvas(6, 5, canvasBits);
      const RGBQUAD background = Bgr(c.background, c.background, c.background);
      canvas.Fill(background);
      EXPECT_TRUE(image.Draw(canvas.Dc(), 2, 1));
      EXPECT_TRUE(CanvasIs(canvas, [&](int x, int y) {
        return Inside(x, y, RECT{2, 1, 5, 3}) ? Bgr(c.expected, c.expected, c.expected)
                                              : background;
      }));
    }
}

// Two black pixels: entry 0 with palette alpha 127, entry 1 with 255.
void MakePaletteAlpha(DibImage& image, bool withPlane) {
  ASSERT_NE(image.Create(2, 1, 8, DibImage::kFormatPng), nullptr);
  image.SetPaletteColor(0, 0, 0, 0, 127);
  image.SetPaletteColor(1, 0, 0, 0, 255);
  image.SetPixelIndex(0, 0, 0);
  image.SetPixelIndex(1, 0, 1);
  image.SetAlphaPalette(true);
  if (withPlane) {
    ASSERT_TRUE(image.AlphaCreate());
    image.AlphaSet(0, 0, 200);
    image.AlphaSet(1, 0, 200);
  }
}

TEST(DibImageDrawTest, SoftwareBlendScalesOpacityByTheAlphaPalette) {
  // Opacity (entry alpha + 1) x plane >> 8: 127, 255 without a plane; 100, 200 with 200.
  const struct {
    bool withPlane;
    int expected[2];
  } cases[] = {{false, {127, 0}}, {true, {154, 54}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.withPlane ? "with plane" : "without plane");
    DibImage image;
    MakePaletteAlpha(image, c.withPlane);
    image.SetSystemAlphaBlending(false);
    MemoryCanvas canvas(4, 3);
    canvas.Fill(kWhite);
    EXPECT_TRUE(image.Draw(canvas.Dc(), 1, 1));
    EXPECT_TRUE(SameColor(canvas.Pixel(1, 1), Bgr(c.expected[0], c.expected[0], c.expected[0])));
    EXPECT_TRUE(SameColor(canvas.Pixel(2, 1), Bgr(c.expected[1], c.expected[1], c.expected[1])));
    EXPECT_TRUE(SameColor(canvas.Pixel(0, 1), kWhite));
    EXPECT_TRUE(SameColor(canvas.Pixel(3, 1), kWhite));
  }
}

TEST(DibImageDrawTest, PlatformBlendDrawsAtNaturalSizeOnly) {
  for (int canvasBits : {24, 32}) {
    SCOPED_TRACE(::testing::Message() << canvasBits << " bits");
    DibImage opaque, half;
    MakeFlat(opaque, 4, 4, Bgr(40, 80, 160), 255);
    MakeFlat(half, 4, 4, Bgr(0, 0, 0), 128);
    opaque.SetSystemAlphaBlending(true);
    half.SetSystemAlphaBlending(true);
    MemoryCanvas canvas(16, 16, canvasBits);
    canvas.Fill(kWhite);
    EXPECT_TRUE(opaque.Draw(canvas.Dc(), 2, 2, 8, 8));
    EXPECT_TRUE(half.Draw(canvas.Dc(), 10, 10, 6, 6));
    // Premultiplying by opacity >> 8 and the platform's own rounding may
    // each lose one step.
    EXPECT_TRUE(CanvasIs(
        canvas,
        [](int x, int y) {
          if (Inside(x, y, RECT{2, 2, 6, 6})) return Bgr(40, 80, 160);
          if (Inside(x, y, RECT{10, 10, 14, 14})) return Bgr(126, 126, 126);
          return kWhite;
        },
        1));
  }
}

TEST(DibImageDrawTest, PlatformBlendTakesOpacityFromTheAlphaPaletteLikeTheSoftwarePath) {
  for (bool withPlane : {false, true}) {
    SCOPED_TRACE(withPlane ? "with plane" : "without plane");
    DibImage image;
    MakePaletteAlpha(image, withPlane);
    MemoryCanvas software(4, 3), platform(4, 3);
    software.Fill(kWhite);
    platform.Fill(kWhite);
    image.SetSystemAlphaBlending(false);
    EXPECT_TRUE(image.Draw(software.Dc(), 1, 1));
    image.SetSystemAlphaBlending(true);
    EXPECT_TRUE(image.Draw(platform.Dc(), 1, 1));
    EXPECT_FALSE(SameColor(platform.Pixel(2, 1), kWhite));
    EXPECT_TRUE(CanvasIs(
        platform, [&](int x, int y) { return software.Pixel(x, y); }, 2));
  }
}

// --- Clipping ------------------------------------------------------------------

TEST(DibImageDrawTest, ClipBoxLimitsTheWorkAndTheOutput) {
  // A destination of 200000 x 200000 pixels could not be composed whole; only
  // the clip box's part of it is.
  DibImage opaque;
  MakePattern(opaque, 2, 2, 24);
  MemoryCanvas canvas(10, 10);
  canvas.Fill(kBackground);
  const RECT clip{3, 3, 7, 6};
  canvas.ClipTo(clip);
  EXPECT_TRUE(opaque.Draw(canvas.Dc(), 0, 0, 200000, 200000));
  EXPECT_TRUE(CanvasIs(
      canvas, [&](int x, int y) { return Inside(x, y, clip) ? PatternColor(0, 0) : kBackground; }));

  DibImage translucent;
  MakePattern(translucent, 8, 8, 24);
  ASSERT_TRUE(translucent.AlphaCreate());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) translucent.AlphaSet(x, y, 255);
  translucent.SetSystemAlphaBlending(false);
  MemoryCanvas blended(10, 10);
  blended.Fill(kBackground);
  blended.ClipTo(clip);
  EXPECT_TRUE(translucent.Draw(blended.Dc(), 1, 1));
  EXPECT_TRUE(CanvasIs(blended, [&](int x, int y) {
    return Inside(x, y, clip) ? PatternColor(x - 1, y - 1) : kBackground;
  }));

  // Entirely clipped away: attempted, nothing drawn.
  MemoryCanvas hidden(10, 10);
  hidden.Fill(kBackground);
  hidden.ClipTo(RECT{0, 0, 1, 1});
  EXPECT_TRUE(translucent.Draw(hidden.Dc(), 2, 2, 5, 5));
  EXPECT_TRUE(CanvasIs(hidden, [](int, int) { return kBackground; }));
}

// The scratch surface outlives a draw: a small draw after a large one, and a
// draw too large to be kept, must still land exactly.
TEST(DibImageDrawTest, ScratchSurfaceServesAnySequenceOfSizes) {
  DibImage large;
  MakeFlat(large, 60, 50, Bgr(0, 0, 0), 128);
  large.SetSystemAlphaBlending(false);
  MemoryCanvas first(64, 64);
  first.Fill(kWhite);
  EXPECT_TRUE(large.Draw(first.Dc(), 0, 0));
  EXPECT_TRUE(SameColor(first.Pixel(59, 49), Bgr(126, 126, 126)));

  DibImage small;
  MakePattern(small, 3, 2, 24);
  ASSERT_TRUE(small.AlphaCreate());
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) small.AlphaSet(x, y, 255);
  small.SetSystemAlphaBlending(false);
  MemoryCanvas second(6, 5);
  second.Fill(kBackground);
  EXPECT_TRUE(small.Draw(second.Dc(), 2, 2));
  EXPECT_TRUE(CanvasIs(second, PictureAt(small, 2, 2)));

  const int width = 1500, height = 1400;  // above what a thread keeps
  DibImage opaque;
  MakePattern(opaque, 2, 2, 24);
  MemoryCanvas huge(width, height);
  huge.Fill(kBackground);
  EXPECT_TRUE(opaque.Draw(huge.Dc(), 0, 0, width, height));
  EXPECT_TRUE(SameColor(huge.Pixel(0, 0), PatternColor(0, 0)));
  EXPECT_TRUE(SameColor(huge.Pixel(width - 1, 0), PatternColor(1, 0)));
  EXPECT_TRUE(SameColor(huge.Pixel(0, height - 1), PatternColor(0, 1)));
  EXPECT_TRUE(SameColor(huge.Pixel(width - 1, height - 1), PatternColor(1, 1)));
}

// --- Stretch, tile, centre ----------------------------------------------------

TEST(DibImageDrawTest, StretchScalesAndIgnoresTransparency) {
  DibImage image;
  MakeKeyed(image);  // the key colour is drawn like any other
  MemoryCanvas canvas(14, 10);
  canvas.Fill(kBackground);
  SetStretchBltMode(canvas.Dc(), HALFTONE);
  EXPECT_TRUE(image.Stretch(canvas.Dc(), 1, 1, 12, 8));
  EXPECT_EQ(GetStretchBltMode(canvas.Dc()), COLORONCOLOR);
  EXPECT_TRUE(CanvasIs(canvas, [&](int x, int y) {
    if (!Inside(x, y, RECT{1, 1, 13, 9})) return kBackground;
    return TopColor(image, (x - 1) / 2, (y - 1) / 2);
  }));
}

TEST(DibImageDrawTest, TileRepeatsPastTheRectanglesFarEdges) {
  DibImage image;
  MakePattern(image, 4, 4, 24);
  MemoryCanvas canvas(16, 16);
  canvas.Fill(kBackground);
  // 10 x 10: three columns and three rows of copies, the last ones reaching
  // 2 pixels past the rectangle.
  EXPECT_TRUE(image.Tile(canvas.Dc(), RECT{1, 1, 11, 11}));
  EXPECT_TRUE(CanvasIs(canvas, [](int x, int y) {
    return Inside(x, y, RECT{1, 1, 13, 13}) ? PatternColor((x - 1) % 4, (y - 1) % 4) : kBackground;
  }));

  MemoryCanvas untouched(16, 16);
  untouched.Fill(kBackground);
  EXPECT_TRUE(image.Tile(untouched.Dc(), RECT{5, 5, 5, 12}));
  EXPECT_TRUE(image.Tile(untouched.Dc(), RECT{5, 5, 12, 2}));
  EXPECT_TRUE(CanvasIs(untouched, [](int, int) { return kBackground; }));
}

TEST(DibImageDrawTest, DrawCenteredTruncatesBothHalves) {
  const struct {
    RECT rect;
    int left, top;
  } cases[] = {{{0, 0, 11, 9}, 3, 3}, {{1, 2, 12, 11}, 4, 5}, {{0, 0, 3, 2}, -1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "expected corner " << c.left << ", " << c.top);
    DibImage image;
    MakePattern(image, 4, 3, 24);
    MemoryCanvas canvas(12, 12);
    canvas.Fill(kBackground);
    EXPECT_TRUE(image.DrawCentered(canvas.Dc(), c.rect));
    EXPECT_TRUE(CanvasIs(canvas, PictureAt(image, c.left, c.top)));
  }
}

// --- Bitmaps -----------------------------------------------------------------

TEST(DibImageBitmapTest, MakeBitmapAndBackKeepsTrueColourPixels) {
  DibImage image;
  MakePattern(image, 5, 3, 24);
  HBITMAP bitmap = image.MakeBitmap();
  ASSERT_NE(bitmap, nullptr);
  DibImage back;
  EXPECT_TRUE(back.CreateFromHBITMAP(bitmap));
  DeleteObject(bitmap);
  ASSERT_EQ(back.Width(), 5);
  ASSERT_EQ(back.Height(), 3);
  EXPECT_EQ(back.BitCount(), 24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_TRUE(SameColor(TopColor(back, x, y), PatternColor(x, y)));
}

TEST(DibImageBitmapTest, IndexedPictureThroughAScreenBitmapKeepsItsColours) {
  DibImage image;
  MakePattern(image, 6, 4, 8);
  MemoryCanvas reference(1, 1);
  for (HDC dc : {HDC{nullptr}, reference.Dc()}) {
    HBITMAP bitmap = image.MakeBitmap(dc);
    ASSERT_NE(bitmap, nullptr);
    DibImage back;
    EXPECT_TRUE(back.CreateFromHBITMAP(bitmap));
    DeleteObject(bitmap);
    ASSERT_EQ(back.Height(), 4);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x)
        EXPECT_TRUE(SameColor(TopColor(back, x, y), TopColor(image, x, y)));
  }
}

TEST(DibImageBitmapTest, EightBitSectionKeepsPaletteAndIndices) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info{};
  info.header = BITMAPINFOHEADER{40, 5, 3, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
  for (int i = 0; i < 256; ++i) info.colors[i] = PaletteEntry(i);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                     &bits, nullptr, 0);
  ASSERT_NE(section, nullptr);
  BYTE* rows = static_cast<BYTE*>(bits);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) rows[y * 8 + x] = BYTE(40 * y + 7 * x + 1);

  DibImage image;
  EXPECT_TRUE(image.CreateFromHBITMAP(section));
  DeleteObject(section);
  ASSERT_EQ(image.BitCount(), 8);
  ASSERT_EQ(image.ColorsUsed(), 256u);
  for (int i = 0; i < 256; ++i) EXPECT_TRUE(SameColor(image.Palette()[i], PaletteEntry(i)));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(image.GetPixelIndex(x, y), 40 * y + 7 * x + 1);
  EXPECT_EQ(std::memcmp(image.Block(), &image.Header(), sizeof(BITMAPINFOHEADER)), 0);
}

TEST(DibImageBitmapTest, NullBitmapOnlyEmptiesTheImage) {
  DibImage image;
  MakePattern(image, 2, 2, 24);
  EXPECT_FALSE(image.CreateFromHBITMAP(nullptr));
  EXPECT_FALSE(image.IsValid());
}

// --- Packed DIBs ---------------------------------------------------------------

// A packed DIB in a movable global block, optionally cut short.
class PackedDib {
 public:
  PackedDib(const BITMAPINFOHEADER& header, const std::vector<BYTE>& rest, size_t cutBy = 0) {
    const size_t size = sizeof(header) + rest.size() - cutBy;
    handle_ = GlobalAlloc(GMEM_MOVEABLE, size);
    BYTE* block = static_cast<BYTE*>(GlobalLock(handle_));
    std::vector<BYTE> whole(sizeof(header));
    std::memcpy(whole.data(), &header, sizeof(header));
    whole.insert(whole.end(), rest.begin(), rest.end());
    std::memcpy(block, whole.data(), size);
    GlobalUnlock(handle_);
  }
  ~PackedDib() { GlobalFree(handle_); }
  HGLOBAL Handle() const { return handle_; }

 private:
  HGLOBAL handle_;
};

BITMAPINFOHEADER DibHeader(int width, int height, int bitCount, DWORD compression = BI_RGB,
                           DWORD colorsUsed = 0) {
  return BITMAPINFOHEADER{40,   width, height,     1, WORD(bitCount), compression, 0,
                          3780, 2835,  colorsUsed, 0};
}

void Append(std::vector<BYTE>& bytes, const void* data, size_t size) {
  const BYTE* p = static_cast<const BYTE*>(data);
  bytes.insert(bytes.end(), p, p + size);
}

// 8 bits, 16 x 4, with a colour table of `entries` entries.
std::vector<BYTE> EightBitBody(int entries) {
  std::vector<BYTE> body;
  for (int i = 0; i < entries; ++i) {
    const RGBQUAD entry = PaletteEntry(i);
    Append(body, &entry, 4);
  }
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 16; ++x) body.push_back(BYTE((x + y) % entries));
  return body;
}

TEST(DibImagePackedDibTest, IndexedBlocksKeepPaletteIndicesAndResolution) {
  for (int entries : {256, 3}) {
    SCOPED_TRACE(::testing::Message() << entries << " colour table entries");
    PackedDib dib(DibHeader(16, 4, 8, BI_RGB, entries == 256 ? 0 : entries), EightBitBody(entries));
    DibImage image;
    ASSERT_TRUE(image.CreateFromPackedDib(dib.Handle()));
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.XDpi(), 96);
    EXPECT_EQ(image.YDpi(), 72);
    for (int i = 0; i < entries; ++i) EXPECT_TRUE(SameColor(image.Palette()[i], PaletteEntry(i)));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 16; ++x) EXPECT_EQ(image.GetPixelIndex(x, y), (x + y) % entries);
    EXPECT_EQ(std::memcmp(image.Block(), &image.Header(), sizeof(BITMAPINFOHEADER)), 0);
  }
}

TEST(DibImagePackedDibTest, ThirtyTwoBitBlocksBecomeTrueColourTheRightWayUp) {
  // Stored rows bottom-up: the first row in the block is the picture's bottom.
  const RGBQUAD stored[2][3] = {{Bgr(1, 2, 3), Bgr(4, 5, 6), Bgr(7, 8, 9)},
                                {Bgr(10, 11, 12), Bgr(13, 14, 15), Bgr(16, 17, 18)}};
  for (bool bitfields : {false, true}) {
    SCOPED_TRACE(bitfields ? "bit fields" : "plain");
    std::vector<BYTE> body;
    if (bitfields) {
      const DWORD masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
      Append(body, masks, sizeof(masks));
    }
    for (const auto& row : stored)
      for (RGBQUAD pixel : row) {
        pixel.rgbReserved = 0x80;
        Append(body, &pixel, 4);
      }
    PackedDib dib(DibHeader(3, 2, 32, bitfields ? BI_BITFIELDS : BI_RGB), body);
    DibImage image;
    ASSERT_TRUE(image.CreateFromPackedDib(dib.Handle()));
    EXPECT_EQ(image.BitCount(), 24);
    EXPECT_EQ(image.XDpi(), 96);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        RGBQUAD color = image.GetPixelColor(x, y);
        color.rgbReserved = 0;
        EXPECT_TRUE(SameColor(color, stored[y][x])) << x << ", " << y;
      }
  }
}

TEST(DibImagePackedDibTest, SixteenBitBlocksAreExpanded) {
  const WORD pixels[2] = {0x7C00, 0x001F};  // 5-5-5 red, blue
  std::vector<BYTE> body;
  Append(body, pixels, sizeof(pixels));
  PackedDib dib(DibHeader(2, 1, 16), body);
  DibImage image;
  ASSERT_TRUE(image.CreateFromPackedDib(dib.Handle()));
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_TRUE(SameColor(image.GetPixelColor(0, 0), Bgr(0, 0, 248)));
  EXPECT_TRUE(SameColor(image.GetPixelColor(1, 0), Bgr(248, 0, 0)));
}

TEST(DibImagePackedDibTest, CompressedBlocksGiveABlankPicture) {
  std::vector<BYTE> body = EightBitBody(256);
  PackedDib dib(DibHeader(16, 4, 8, BI_RLE8), body);
  DibImage image;
  ASSERT_TRUE(image.CreateFromPackedDib(dib.Handle()));
  EXPECT_EQ(image.Width(), 16);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(image.GetPixelIndex(x, 2), 0);
}

TEST(DibImagePackedDibTest, BlocksTooSmallForTheirContentsAreRefused) {
  const struct {
    const char* name;
    BITMAPINFOHEADER header;
    std::vector<BYTE> body;
    size_t cutBy;
  } cases[] = {
      {"pixels cut short", DibHeader(16, 4, 8), EightBitBody(256), 16},
      {"header cut short", DibHeader(16, 4, 8), {}, 20},
      {"colour table beyond the block", DibHeader(16, 4, 8, BI_RGB, 0x40000000), EightBitBody(256),
       0},
      {"32-bit pixels cut short", DibHeader(16, 4, 32), std::vector<BYTE>(16 * 4 * 4), 64},
      {"short header size", BITMAPINFOHEADER{12, 16, 4, 1, 8, 0, 0, 0, 0, 0, 0}, EightBitBody(256),
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PackedDib dib(c.header, c.body, c.cutBy);
    DibImage image;
    MakePattern(image, 2, 2, 24);
    EXPECT_FALSE(image.CreateFromPackedDib(dib.Handle()));
    EXPECT_FALSE(image.IsValid());
  }
  DibImage image;
  EXPECT_FALSE(image.CreateFromPackedDib(nullptr));
}

// --- Platform --------------------------------------------------------------------

TEST(PlatformAlphaBlendingTest, NtFiveAndLaterBlend) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  ASSERT_TRUE(GetVersionExA(&version));
  ASSERT_EQ(version.dwPlatformId, DWORD{VER_PLATFORM_WIN32_NT});
  ASSERT_GE(version.dwMajorVersion, 5u);  // every platform these tests run on
  EXPECT_TRUE(PlatformHasAlphaBlending());
  EXPECT_TRUE(DibImage().SystemAlphaBlending());
}

// --- Line walker -----------------------------------------------------------------

using Points = std::vector<std::pair<int, int>>;

void CALLBACK CollectPoint(int x, int y, LPARAM points) {
  reinterpret_cast<Points*>(points)->emplace_back(x, y);
}

Points LineDdaPoints(int x1, int y1, int x2, int y2) {
  Points points;
  LineDDA(x1, y1, x2, y2, CollectPoint, reinterpret_cast<LPARAM>(&points));
  return points;
}

TEST(LineWalkerTest, GivesThePointsOfLineDda) {
  const int lines[][4] = {
      {0, 0, 0, 0},  {0, 0, 5, 0},   {5, 0, 0, 0},  {0, 0, 0, 5},   {0, 5, 0, 0},
      {0, 0, 5, 5},  {5, 5, 0, 0},   {0, 0, -5, 5}, {0, 0, 7, 3},   {7, 3, 0, 0},
      {0, 0, 3, 7},  {3, 7, 0, 0},   {0, 0, -7, 3}, {0, 0, 7, -3},  {0, 0, -3, -7},
      {2, 1, -5, 4}, {0, 0, 10, 1},  {0, 0, 1, 10}, {-3, -2, 4, 5}, {0, 0, 6, 4},
      {0, 0, 4, 6},  {0, 0, -6, -4}, {0, 0, 9, 6},  {6, 9, 0, 0},   {10, 20, 31, 12},
      {0, 0, 2, 1},  {0, 0, 1, 2},   {0, 0, -2, 1}, {0, 0, 1, -2},  {100, 3, -40, 50},
  };
  for (const auto& line : lines) {
    SCOPED_TRACE(::testing::Message() << "(" << line[0] << ", " << line[1] << ") to (" << line[2]
                                      << ", " << line[3] << ")");
    Points walked;
    LineWalker walker(line[0], line[1], line[2], line[3]);
    int x = 0, y = 0;
    while (walked.size() < 1000 && walker.Next(x, y)) walked.emplace_back(x, y);
    EXPECT_EQ(walked, LineDdaPoints(line[0], line[1], line[2], line[3]));
  }
}

}  // namespace
