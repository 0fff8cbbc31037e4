// SkinDump: the exact text for a small skin built in code, and the alpha
// rules of the picture fingerprint.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/region_data.h"
#include "model/skin.h"
#include "model/skin_object_kind.h"
#include "tests/support/geometry.h"
#include "tools/skintool/json_layout.h"
#include "tools/skintool/rgba_digest.h"
#include "tools/skintool/sha256.h"
#include "tools/skintool/skin_dump.h"

namespace {

std::string HashOf(const std::vector<uint8_t>& rgba) {
  return Sha256::HexOf(rgba.data(), rgba.size());
}

// 1 x 2, 24-bit, alpha plane: top (1,2,3,4), bottom (5,6,7,8).
void MakeAlphaPlanePicture(DibImage& image) {
  ASSERT_NE(image.Create(1, 2, 24, DibImage::kFormatPng), nullptr);
  ASSERT_TRUE(image.AlphaCreate());
  image.SetPixelColor(0, 1, RGBQUAD{3, 2, 1, 0});  // stored row 1 is the top line
  image.AlphaSet(0, 1, 4);
  image.SetPixelColor(0, 0, RGBQUAD{7, 6, 5, 0});
  image.AlphaSet(0, 0, 8);
}

// 2 x 1, 8-bit, alpha palette: entries (10,20,30 @40) and (50,60,70 @80).
// Index 1 is also the transparent index: the palette opacity still wins.
void MakeAlphaPalettePicture(DibImage& image) {
  ASSERT_NE(image.Create(2, 1, 8, DibImage::kFormatPng), nullptr);
  image.SetPaletteColor(0, 10, 20, 30, 40);
  image.SetPaletteColor(1, 50, 60, 70, 80);
  image.SetPixelIndex(0, 0, 0);
  image.SetPixelIndex(1, 0, 1);
  image.SetAlphaPalette(true);
  image.SetTransparentIndex(1);
}

// 2 x 1, 4-bit, transparent index 1: opaque grey 1, then transparent grey 2.
void MakeTransparentIndexPicture(DibImage& image) {
  ASSERT_NE(image.Create(2, 1, 4, DibImage::kFormatPng), nullptr);
  image.SetPaletteColor(0, 1, 1, 1, 9);  // the fourth byte counts only with the flag
  image.SetPaletteColor(1, 2, 2, 2, 9);
  image.SetPixelIndex(0, 0, 0);
  image.SetPixelIndex(1, 0, 1);
  image.SetTransparentIndex(1);
}

TEST(RgbaDigest, AlphaRules) {
  struct Case {
    const char* what;
    void (*make)(DibImage&);
    std::vector<uint8_t> rgba;
  };
  const Case cases[] = {
      {"alpha plane, rows top-down", MakeAlphaPlanePicture, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"alpha palette", MakeAlphaPalettePicture, {10, 20, 30, 40, 50, 60, 70, 80}},
      {"transparent index", MakeTransparentIndexPicture, {1, 1, 1, 255, 2, 2, 2, 0}},
  };
  for (const Case& c : cases) {
    DibImage image;
    c.make(image);
    std::vector<uint8_t> rgba;
    ASSERT_TRUE(RgbaDigest::Rows(image, rgba)) << c.what;
    EXPECT_EQ(rgba, c.rgba) << c.what;
    EXPECT_EQ(RgbaDigest::HexOf(image), HashOf(c.rgba)) << c.what;
  }
  // The alpha plane wins over the palette flag; 24-bit without a plane is opaque.
  DibImage planeOverPalette;
  MakeAlphaPalettePicture(planeOverPalette);
  ASSERT_TRUE(planeOverPalette.AlphaCreate());
  planeOverPalette.AlphaSet(1, 0, 77);
  std::vector<uint8_t> rgba;
  ASSERT_TRUE(RgbaDigest::Rows(planeOverPalette, rgba));
  EXPECT_EQ(rgba, (std::vector<uint8_t>{10, 20, 30, 0, 50, 60, 70, 77}));
  DibImage opaque;
  ASSERT_NE(opaque.Create(1, 1, 24, DibImage::kFormatBmp), nullptr);
  opaque.SetTransparentIndex(0);
  ASSERT_TRUE(RgbaDigest::Rows(opaque, rgba));
  EXPECT_EQ(rgba, (std::vector<uint8_t>{0, 0, 0, 255}));
  DibImage empty;
  EXPECT_FALSE(RgbaDigest::Rows(empty, rgba));
  EXPECT_EQ(RgbaDigest::HexOf(empty), "");
}

// Container: Latin-1 name, offset, background with an alpha plane, a region
// whose rectangles are not in banded order, a polygon, a block with its
// first and last bytes set. Objects: a shortcut with an empty first image
// and an alpha-palette picture; a button with no region, no images.
std::unique_ptr<Skin> MakeTinySkin() {
  auto skin = std::make_unique<Skin>();
  SkinContainer* container = skin->AddContainer("Main\xe9");
  container->alphablendOffset = Point(-3, 7);
  MakeAlphaPlanePicture(container->background);
  container->windowShape.region = RegionData({Rect(1, 2, 3, 5), Rect(0, 0, 4, 2)});
  container->windowShape.points = {Point(1, 2), Point(3, -4)};
  container->block.Bytes()[0] = 0x01;
  container->block.Bytes()[255] = 0xab;

  SkinObject* shortcut = container->AddObject(SkinObjectKind::kShortcut, "Go \"x\"");
  shortcut->shortcutTarget = "C:\\app.exe";
  shortcut->visible = 0;
  shortcut->orientation = -1;
  shortcut->mousePolygon = {Point(0, 0), Point(2, 2)};
  shortcut->AddImage(nullptr);
  DibImage palette;
  MakeAlphaPalettePicture(palette);
  shortcut->AddImage(&palette);

  SkinObject* button = container->AddObject(SkinObjectKind::kButton, "B");
  button->windowShape.region = RegionData();
  return skin;
}

TEST(SkinDump, ExactTextOfATinySkin) {
  std::unique_ptr<Skin> skin = MakeTinySkin();
  const std::string zeros(512, '0');
  const std::string containerBlock = "01" + std::string(508, '0') + "ab";
  const std::string expected =
      "{\"containers\":[{\"name\":\"Main\xc3\xa9\",\"offset\":[-3,7],"
      "\"background\":{\"width\":1,\"height\":2,\"bpp\":24,\"pixels\":\"" +
      HashOf({1, 2, 3, 4, 5, 6, 7, 8}) +
      "\"},\"region\":[[1,2,3,5],[0,0,4,2]],\"polygon\":[[1,2],[3,-4]],"
      "\"block\":\"" +
      containerBlock +
      "\",\"objects\":["
      "{\"name\":\"Go \\\"x\\\"\",\"kind\":5,\"target\":\"C:\\\\app.exe\",\"visible\":0,"
      "\"orientation\":-1,\"region\":null,\"polygon\":[],\"mouse\":[[0,0],[2,2]],"
      "\"block\":\"" +
      zeros +
      "\",\"images\":[null,"
      "{\"width\":2,\"height\":1,\"bpp\":8,\"pixels\":\"" +
      HashOf({10, 20, 30, 40, 50, 60, 70, 80}) +
      "\"}]},"
      "{\"name\":\"B\",\"kind\":0,\"target\":\"\",\"visible\":1,\"orientation\":0,"
      "\"region\":[],\"polygon\":[],\"mouse\":[],\"block\":\"" +
      zeros + "\",\"images\":[]}]}]}\n";
  EXPECT_EQ(SkinDump::Text(*skin), expected);
}

// With a sink, each picture gets "file" last, named after its position.
TEST(SkinDump, SinkNamesEveryPictureByPosition) {
  class RecordingSink : public SkinDump::ImageSink {
   public:
    bool Store(DibImage& image, const std::string& baseName, std::string& fileName,
               std::string& error) override {
      if (!image.IsValid()) return false;
      names.push_back(baseName);
      fileName = baseName + ".png";
      if (failAt == names.size()) {
        error = "disk full";
        return false;
      }
      return true;
    }
    std::vector<std::string> names;
    size_t failAt = 0;
  };
  std::unique_ptr<Skin> skin = MakeTinySkin();
  RecordingSink sink;
  SkinDump dump(&sink);
  Json tree;
  ASSERT_TRUE(dump.Write(*skin, tree));
  EXPECT_EQ(sink.names,
            (std::vector<std::string>{"container0-background", "container0-object0-image1"}));
  EXPECT_NE(JsonLayout::Compact(tree).find("\"pixels\":\"" + HashOf({1, 2, 3, 4, 5, 6, 7, 8}) +
                                           "\",\"file\":\"container0-background.png\"}"),
            std::string::npos);

  RecordingSink refusing;
  refusing.failAt = 2;
  SkinDump broken(&refusing);
  Json unfinished;
  EXPECT_FALSE(broken.Write(*skin, unfinished));
  EXPECT_EQ(broken.Error(), "disk full");
}

}  // namespace
