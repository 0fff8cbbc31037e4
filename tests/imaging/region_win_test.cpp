// Regions against GDI itself: the fast colour-to-region path gives the same
// region bytes as the per-pixel RGN_XOR procedure, RegionData matches
// GetRegionData, and window shapes turn into the expected handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "imaging/banded_region_builder.h"
#include "imaging/color_key_region.h"
#include "imaging/color_to_region_win.h"
#include "imaging/dib_image.h"
#include "imaging/region_data.h"
#include "imaging/window_region.h"
#include "tests/support/per_pixel_color_region_win.h"
#include "ui/crgn.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes HandleBytes(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  Bytes bytes(size);
  if (size != 0) GetRegionData(region, size, reinterpret_cast<RGNDATA*>(bytes.data()));
  return bytes;
}

constexpr RGBQUAD kKey = {0x40, 0x80, 0xC0, 0};
constexpr RGBQUAD kInk = {0x20, 0x30, 0x40, 0};
constexpr RGBQUAD kNearKey = {0x41, 0x80, 0xC0, 0};  // one step off the key

// A 24-bit picture; paint(x, y) gives the colour with y from the top.
std::unique_ptr<DibImage> Picture(int width, int height,
                                  const std::function<RGBQUAD(int, int)>& paint) {
  auto image = std::make_unique<DibImage>();
  if (image->Create(width, height, 24, DibImage::kFormatBmp) == nullptr) return nullptr;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image->SetPixelColor(x, height - 1 - y, paint(x, y));
  }
  return image;
}

bool InBox(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

struct PictureCase {
  const char* name;
  std::unique_ptr<DibImage> image;
  POINT clicked;
};

std::vector<PictureCase> Pictures() {
  std::vector<PictureCase> cases;
  cases.push_back({"holes",
                   Picture(40, 30,
                           [](int x, int y) {
                             const bool hole =
                                 InBox(x, y, 5, 5, 12, 9) || InBox(x, y, 20, 3, 21, 4) ||
                                 InBox(x, y, 25, 10, 35, 25) || InBox(x, y, 8, 20, 10, 28);
                             return hole ? kKey : (x + y) % 7 == 0 ? kNearKey : kInk;
                           }),
                   POINT{6, 6}});
  cases.push_back({"border pixels",
                   Picture(33, 21,
                           [](int x, int y) {
                             const bool border = x < 2 || y < 1 || x >= 31 || y >= 19;
                             const bool notch = (y == 10 && x < 9) || (x == 16 && y > 15);
                             return border || notch ? kKey : kInk;
                           }),
                   POINT{0, 0}});
  cases.push_back({"all key", Picture(16, 9, [](int, int) { return kKey; }), POINT{15, 8}});
  cases.push_back({"no key (clicked off the picture)",
                   Picture(16, 9, [](int x, int) { return x % 2 ? kKey : kInk; }), POINT{16, 0}});
  cases.push_back({"single key pixel",
                   Picture(12, 7, [](int x, int y) { return x == 11 && y == 0 ? kKey : kInk; }),
                   POINT{11, 0}});
  // Taller than one read of the device rows; clicked far down.
  cases.push_back(
      {"tall stripes",
       Picture(21, 150,
               [](int x, int y) { return (x + y) % 9 < 3 || y == 64 || y == 127 ? kKey : kInk; }),
       POINT{3, 140}});
  std::mt19937 random(1);
  std::vector<RGBQUAD> scatter;
  for (int i = 0; i < 64 * 48; ++i) scatter.push_back(random() % 10 < 3 ? kKey : kInk);
  // Clicked once on an ink pixel and once on a key pixel.
  for (const RGBQUAD& pick : {kInk, kKey}) {
    int at = 0;
    while (scatter[at].rgbRed != pick.rgbRed) ++at;
    cases.push_back({"random scatter",
                     Picture(64, 48, [&](int x, int y) { return scatter[y * 64 + x]; }),
                     POINT{at % 64, at / 64}});
  }
  // An indexed picture whose entries 0 and 2 share a colour.
  auto indexed = std::make_unique<DibImage>();
  if (indexed->Create(23, 11, 8, DibImage::kFormatBmp) != nullptr) {
    indexed->SetPaletteColor(0, kKey);
    indexed->SetPaletteColor(1, kInk);
    indexed->SetPaletteColor(2, kKey);
    for (int y = 0; y < 11; ++y) {
      for (int x = 0; x < 23; ++x) indexed->SetPixelIndex(x, y, static_cast<BYTE>((x * y + x) % 3));
    }
  }
  cases.push_back({"indexed, twin entries", std::move(indexed), POINT{0, 0}});
  return cases;
}

class ColorToRegionTest : public ::testing::Test {
 protected:
  void SetUp() override { screen_ = GetDC(nullptr); }
  void TearDown() override { ReleaseDC(nullptr, screen_); }

  // The fast path, the per-pixel procedure and the portable builder agree
  // byte for byte on dc.
  void ExpectSameAsPerPixel(const PictureCase& c, HDC dc, bool portableToo) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.image, nullptr);
    CRgn reference;
    ASSERT_TRUE(PerPixelColorRegion(*c.image, c.clicked, dc, reference));
    const Bytes expected = HandleBytes(reference);
    ASSERT_GE(expected.size(), RegionData::kHeaderSize);

    WindowRegion shape;
    shape.points = {{1, 1}, {5, 1}, {1, 5}};
    ASSERT_TRUE(ColorToRegion(*c.image, c.clicked, dc, shape));
    EXPECT_TRUE(shape.points.empty());
    ASSERT_TRUE(shape.HasRegion());
    EXPECT_EQ(shape.region->ToBytes(), expected);

    if (!portableToo) return;
    RegionData portable;
    ASSERT_TRUE(ColorKeyRegion(*c.image, c.clicked, portable));
    EXPECT_EQ(portable.ToBytes(), expected);
  }

  HDC screen_ = nullptr;
};

TEST_F(ColorToRegionTest, MatchesPerPixelProcedureOnTheScreen) {
  // The screen shows every 24-bit colour as it is, so the portable builder,
  // which compares the picture's own colours, agrees too.
  ASSERT_GE(GetDeviceCaps(screen_, BITSPIXEL), 24);
  for (const PictureCase& c : Pictures()) ExpectSameAsPerPixel(c, screen_, true);
}

TEST_F(ColorToRegionTest, ComparesDeviceColoursOnAShallowDevice) {
  // On a 16-bit device the key and its near twin become one colour, and both
  // procedures must cut both out.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 8;
  info.bmiHeader.biHeight = 8;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 16;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(section, nullptr);
  HDC dc = CreateCompatibleDC(screen_);
  HGDIOBJ old = SelectObject(dc, section);
  for (const PictureCase& c : Pictures()) ExpectSameAsPerPixel(c, dc, false);
  PictureCase twins{
      "near key",
      Picture(10, 6, [](int x, int y) { return x == y  ? kNearKey
                                               : x < 3 ? kKey
                                                       : kInk; }),
      POINT{0, 0}};
  ExpectSameAsPerPixel(twins, dc, false);
  WindowRegion shape;
  ASSERT_TRUE(ColorToRegion(*twins.image, twins.clicked, dc, shape));
  EXPECT_FALSE(shape.region->Contains(4, 4));  // the near twin is cut out
  EXPECT_TRUE(shape.region->Contains(4, 3));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(section);
}

TEST_F(ColorToRegionTest, KeepsTheOldRegionWhenNoBitmapCanBeMade) {
  DibImage empty;
  WindowRegion shape;
  shape.points = {{1, 1}, {5, 1}, {1, 5}};
  shape.region = RegionData({{0, 0, 3, 3}});
  EXPECT_FALSE(ColorToRegion(empty, POINT{0, 0}, screen_, shape));
  EXPECT_TRUE(shape.points.empty());
  ASSERT_TRUE(shape.HasRegion());
  EXPECT_EQ(*shape.region, RegionData({{0, 0, 3, 3}}));
}

// --- RegionData and GDI handles ---------------------------------------------

TEST(RegionDataWinTest, EmptyRegionBytesMatchGdi) {
  CRgn empty;
  ASSERT_TRUE(empty.CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(HandleBytes(empty), RegionData().ToBytes());
  CRgn cancelled;
  ASSERT_TRUE(cancelled.CreateRectRgn(2, 2, 9, 9));
  CRgn same;
  ASSERT_TRUE(same.CreateRectRgn(2, 2, 9, 9));
  cancelled.CombineRgn(&cancelled, &same, RGN_XOR);
  EXPECT_EQ(HandleBytes(cancelled), RegionData().ToBytes());

  HRGN made = RegionData().CreateHandle();
  ASSERT_NE(made, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(made, &box), NULLREGION);
  DeleteObject(made);
}

TEST(RegionDataWinTest, HandleRoundTripGivesGdiForm) {
  // Rectangles in a file may overlap and come in any order; the handle joins
  // them, and reading it back gives GDI's form, which the builder also makes.
  std::mt19937 random(9);
  for (size_t count : {size_t{1}, size_t{5}, size_t{32}, size_t{33}, size_t{3000}}) {
    std::vector<RECT> rects;
    CRgn expected;
    ASSERT_TRUE(expected.CreateRectRgn(0, 0, 0, 0));
    CRgn one;
    ASSERT_TRUE(one.CreateRectRgn(0, 0, 0, 0));
    for (size_t i = 0; i < count; ++i) {
      const LONG left = static_cast<LONG>(random() % 200) - 20;
      const LONG top = static_cast<LONG>(random() % 150) - 10;
      rects.push_back(RECT{left, top, left + 1 + static_cast<LONG>(random() % 9),
                           top + 1 + static_cast<LONG>(random() % 5)});
      SetRectRgn(one, rects.back().left, rects.back().top, rects.back().right, rects.back().bottom);
      expected.CombineRgn(&expected, &one, RGN_OR);
    }
    SCOPED_TRACE(count);
    const RegionData stored(rects);
    HRGN handle = stored.CreateHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(EqualRgn(handle, expected));
    RegionData read;
    ASSERT_TRUE(RegionData::FromHandle(handle, read));
    DeleteObject(handle);
    EXPECT_EQ(read.ToBytes(), HandleBytes(expected));

    // The same pixels through the builder, row by row, give the same bytes.
    BandedRegionBuilder builder;
    for (int y = -10; y < 160; ++y) {
      int x = -20;
      while (x < 220) {
        while (x < 220 && !read.Contains(x, y)) ++x;
        const int start = x;
        while (x < 220 && read.Contains(x, y)) ++x;
        builder.AddRun(y, start, x);
      }
    }
    RegionData built;
    ASSERT_TRUE(builder.Finish(built));
    EXPECT_EQ(built.ToBytes(), HandleBytes(expected));
  }
  RegionData out;
  EXPECT_FALSE(RegionData::FromHandle(nullptr, out));
}

// --- Window shapes ------------------------------------------------------------

TEST(WindowRegionWinTest, RegionWinsOverPoints) {
  WindowRegion shape;
  shape.points = {{0, 0}, {50, 0}, {0, 50}};
  shape.region = RegionData({{10, 10, 20, 12}, {12, 12, 14, 15}});
  CRgn out;
  ASSERT_TRUE(out.CreateRectRgn(0, 0, 99, 99));  // replaced
  ASSERT_TRUE(GetWindowRegion(shape, out));
  ASSERT_FALSE(out.IsNull());
  EXPECT_EQ(HandleBytes(out), shape.region->ToBytes());
  // Each call gives a region of its own.
  CRgn second;
  ASSERT_TRUE(GetWindowRegion(shape, second));
  EXPECT_NE(out.GetSafeHandle(), second.GetSafeHandle());
}

TEST(WindowRegionWinTest, PolygonFillsAlternately) {
  // A five-pointed star: with alternate filling its centre stays outside.
  WindowRegion shape;
  shape.points = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
  CRgn out;
  ASSERT_TRUE(GetWindowRegion(shape, out));
  EXPECT_FALSE(out.PtInRegion(50, 50));  // centre
  EXPECT_TRUE(out.PtInRegion(50, 10));   // top point
  EXPECT_TRUE(out.PtInRegion(10, 37));   // left point
  EXPECT_FALSE(out.PtInRegion(5, 80));   // outside
}

TEST(WindowRegionWinTest, NothingGivesNoRegion) {
  WindowRegion shape;
  CRgn out;
  ASSERT_TRUE(out.CreateRectRgn(0, 0, 5, 5));
  EXPECT_FALSE(GetWindowRegion(shape, out));
  EXPECT_TRUE(out.IsNull());
}

TEST(WindowRegionWinTest, FewerThanThreePointsGiveAnEmptyRegion) {
  for (size_t count : {size_t{1}, size_t{2}}) {
    WindowRegion shape;
    shape.points = {{0, 0}, {40, 40}};
    shape.points.resize(count);
    CRgn out;
    ASSERT_TRUE(GetWindowRegion(shape, out));
    ASSERT_FALSE(out.IsNull());
    RECT box;
    EXPECT_EQ(GetRgnBox(out, &box), NULLREGION);
  }
  CRgn out;
  ASSERT_TRUE(PolygonRegion({}, out));
  RECT box;
  EXPECT_EQ(GetRgnBox(out, &box), NULLREGION);
}

}  // namespace
