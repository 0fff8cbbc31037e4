// Colour-key regions: from 32-bit pixel arrays and from DibImages of every
// depth, compared with a per-pixel reading of the same picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "imaging/color_key_region.h"
#include "imaging/dib_image.h"
#include "imaging/region_data.h"
#include "tests/support/region_checks.h"

namespace {

constexpr uint32_t kKey = 0x00123456;

// '.' the key, 'k' the key with a set top byte (still the key colour),
// 'n' one off the key, anything else another colour.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

Picture FromRows(const std::vector<std::string>& rows) {
  Picture picture;
  picture.height = static_cast<int>(rows.size());
  picture.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  for (const std::string& row : rows) {
    for (char c : row) {
      picture.pixels.push_back(c == '.'   ? kKey
                               : c == 'k' ? 0xFF000000 | kKey
                               : c == 'n' ? kKey + 1
                                          : 0x00ABCDEF);
    }
  }
  return picture;
}

struct KeyCase {
  const char* name;
  std::vector<std::string> rows;
  std::vector<RECT> expected;
};

TEST(ColorKeyRegionTest, CutsKeyPixelsOutOfTheRectangle) {
  const KeyCase cases[] = {
      {"all key", {"...", "..k"}, {}},
      {"no key", {"#n#", "###"}, {{0, 0, 3, 2}}},
      {"hole in the middle",
       {"####", "#..#", "####"},
       {{0, 0, 4, 1}, {0, 1, 1, 2}, {3, 1, 4, 2}, {0, 2, 4, 3}}},
      {"key border", {".....", ".###.", ".###.", "....."}, {{1, 1, 4, 3}}},
      {"key corners", {".##.", "####", ".##."}, {{1, 0, 3, 1}, {0, 1, 4, 2}, {1, 2, 3, 3}}},
      {"one column", {"#", ".", "#"}, {{0, 0, 1, 1}, {0, 2, 1, 3}}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = FromRows(c.rows);
    RegionData region;
    ASSERT_TRUE(ColorKeyRegion(picture.pixels.data(), picture.width, picture.height, kKey, region));
    EXPECT_EQ(region, RegionData(c.expected));
  }
}

TEST(ColorKeyRegionTest, KeyOffTheColourRangeMatchesNothing) {
  const Picture picture = FromRows({"..#", ".k."});
  RegionData region;
  ASSERT_TRUE(ColorKeyRegion(picture.pixels.data(), 3, 2, kNoColorKey, region));
  EXPECT_EQ(region, RegionData({{0, 0, 3, 2}}));
}

TEST(ColorKeyRegionTest, SizesWithoutPixels) {
  RegionData region({{1, 1, 2, 2}});
  EXPECT_TRUE(ColorKeyRegion(nullptr, 0, 0, kKey, region));
  EXPECT_TRUE(region.IsEmpty());
  const RegionData before({{1, 1, 2, 2}});
  region = before;
  const uint32_t pixel = 0;
  EXPECT_FALSE(ColorKeyRegion(&pixel, -1, 1, kKey, region));
  EXPECT_FALSE(ColorKeyRegion(&pixel, 1, -1, kKey, region));
  EXPECT_FALSE(ColorKeyRegion(nullptr, 2, 2, kKey, region));
  EXPECT_EQ(region, before);
}

TEST(ColorKeyRegionTest, RandomPicturesMatchThePixels) {
  std::mt19937 random(11);
  for (int round = 0; round < 100; ++round) {
    Picture picture;
    picture.width = 1 + static_cast<int>(random() % 20);
    picture.height = 1 + static_cast<int>(random() % 20);
    const unsigned keyShare = random() % 5;  // 0 to 4 fifths
    for (int i = 0; i < picture.width * picture.height; ++i) {
      picture.pixels.push_back(random() % 5 < keyShare ? kKey : random() & 0xFFFFFF);
    }
    RegionData region;
    ASSERT_TRUE(ColorKeyRegion(picture.pixels.data(), picture.width, picture.height, kKey, region));
    SCOPED_TRACE(round);
    EXPECT_TRUE(IsGdiBanded(region));
    EXPECT_TRUE(CoversExactly(region, picture.width, picture.height, [&](int x, int y) {
      return (picture.pixels[y * picture.width + x] & 0xFFFFFF) != kKey;
    }));
  }
}

// --- DibImage pictures -------------------------------------------------------

// Rows from the top as index values (indexed pictures) or palette entries
// taken as colours (24-bit pictures): the key decision is then made on the
// colours the image reports.
class DibKeyRegionTest : public ::testing::Test {
 protected:
  static constexpr RGBQUAD kPalette[6] = {
      {0x10, 0x20, 0x30, 0}, {0xF0, 0xE0, 0xD0, 0}, {0x10, 0x20, 0x30, 0x99},  // 2 = 0 in colour
      {0x11, 0x20, 0x30, 0}, {0x10, 0x21, 0x30, 0}, {0x10, 0x20, 0x31, 0}};

  static bool Fill(DibImage& image, int bits, int width, int height, std::mt19937& random) {
    if (image.Create(width, height, bits, DibImage::kFormatBmp) == nullptr) return false;
    const int entries = bits == 24 ? 6 : std::min(6, 1 << bits);
    if (bits != 24) {
      for (int i = 0; i < entries; ++i) image.SetPaletteColor(static_cast<BYTE>(i), kPalette[i]);
    }
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        // Mostly entry 0 or its twin 2, so runs of key pixels form.
        const int pick = random() % 3 != 0 ? (random() % 2 != 0 ? 2 % entries : 0)
                                           : static_cast<int>(random() % entries);
        if (bits == 24) {
          image.SetPixelColor(x, y, kPalette[pick]);
        } else {
          image.SetPixelIndex(x, y, static_cast<BYTE>(pick));
        }
      }
    }
    return true;
  }

  // The region as a per-pixel reading through GetPixelColor sees it.
  static void ExpectMatchesPixels(const DibImage& image, POINT clicked) {
    const int width = image.Width();
    const int height = image.Height();
    RegionData region;
    ASSERT_TRUE(ColorKeyRegion(image, clicked, region));
    const bool inside = clicked.x >= 0 && clicked.x < width && clicked.y >= 0 && clicked.y < height;
    const RGBQUAD key = inside ? image.GetPixelColor(clicked.x, height - 1 - clicked.y) : RGBQUAD{};
    EXPECT_TRUE(IsGdiBanded(region));
    EXPECT_TRUE(CoversExactly(region, width, height, [&](int x, int y) {
      const RGBQUAD c = image.GetPixelColor(x, height - 1 - y);
      return !inside || c.rgbRed != key.rgbRed || c.rgbGreen != key.rgbGreen ||
             c.rgbBlue != key.rgbBlue;
    }));
  }
};

constexpr RGBQUAD DibKeyRegionTest::kPalette[6];

TEST_F(DibKeyRegionTest, EveryDepthMatchesItsPixelColours) {
  std::mt19937 random(3);
  for (int bits : {1, 4, 8, 24}) {
    for (int round = 0; round < 10; ++round) {
      DibImage image;
      // Odd widths put the last pixels of a row inside a padded byte.
      const int width = 1 + static_cast<int>(random() % 19);
      const int height = 1 + static_cast<int>(random() % 9);
      ASSERT_TRUE(Fill(image, bits, width, height, random));
      const POINT clicked{static_cast<LONG>(random() % width),
                          static_cast<LONG>(random() % height)};
      SCOPED_TRACE(::testing::Message() << bits << " bits, round " << round);
      ExpectMatchesPixels(image, clicked);
    }
  }
}

TEST_F(DibKeyRegionTest, ClickedRowCountsFromTheTop) {
  // Only the top row has the key colour: clicking it cuts the top row away.
  DibImage image;
  ASSERT_NE(image.Create(3, 2, 24, DibImage::kFormatBmp), nullptr);
  for (int x = 0; x < 3; ++x) {
    image.SetPixelColor(x, 1, kPalette[0]);  // stored row 1 is the top line
    image.SetPixelColor(x, 0, kPalette[1]);
  }
  RegionData region;
  ASSERT_TRUE(ColorKeyRegion(image, POINT{1, 0}, region));
  EXPECT_EQ(region, RegionData({{0, 1, 3, 2}}));
  ASSERT_TRUE(ColorKeyRegion(image, POINT{1, 1}, region));
  EXPECT_EQ(region, RegionData({{0, 0, 3, 1}}));
}

TEST_F(DibKeyRegionTest, PointOffThePictureGivesTheWholeRectangle) {
  std::mt19937 random(5);
  DibImage image;
  ASSERT_TRUE(Fill(image, 8, 5, 4, random));
  for (POINT clicked : {POINT{-1, 0}, POINT{5, 0}, POINT{0, 4}, POINT{0, -2147483647 - 1}}) {
    RegionData region;
    ASSERT_TRUE(ColorKeyRegion(image, clicked, region));
    EXPECT_EQ(region, RegionData({{0, 0, 5, 4}}));
  }
}

TEST_F(DibKeyRegionTest, EmptyImageFails) {
  DibImage image;
  const RegionData before({{1, 1, 2, 2}});
  RegionData region = before;
  EXPECT_FALSE(ColorKeyRegion(image, POINT{0, 0}, region));
  EXPECT_EQ(region, before);
}

}  // namespace
