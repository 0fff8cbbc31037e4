// The skintool commands run in-process: dump of a saved skin, unpack then
// pack, convert between BMP and PNG, and the exit status and one-line
// message of every kind of failure.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/region_data.h"
#include "model/skin.h"
#include "model/skin_object_kind.h"
#include "tests/support/geometry.h"
#include "tests/support/test_images.h"
#include "tools/skintool/image_file.h"
#include "tools/skintool/json_fields.h"
#include "tools/skintool/json_parser.h"
#include "tools/skintool/rgba_digest.h"
#include "tools/skintool/skin_dump.h"
#include "tools/skintool/skin_tool.h"
#include "tools/skintool/text_file.h"

namespace {

namespace fs = std::filesystem;

class SkinToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::error_code code;
    const std::string unique = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder_ = (fs::temp_directory_path(code) / ("skintool_test_" + unique)).string();
    fs::remove_all(folder_, code);
    ASSERT_TRUE(fs::create_directories(folder_, code)) << folder_;
  }
  void TearDown() override {
    std::error_code code;
    fs::remove_all(folder_, code);
  }

  std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }

  int Run(const std::vector<std::string>& arguments) {
    const int status = tool_.Run(arguments);
    output_ = tool_.Output();
    error_ = tool_.ErrorMessage();
    return status;
  }

  // A failure gives status 1, no output and exactly the message line.
  void ExpectFailure(const std::vector<std::string>& arguments, const std::string& message) {
    EXPECT_EQ(Run(arguments), SkinTool::kFailure) << arguments[0];
    EXPECT_EQ(output_, "");
    EXPECT_EQ(error_, "skintool: " + message + "\n");
  }

  std::string folder_;
  SkinTool tool_;
  std::string output_;
  std::string error_;
};

// Pictures of every kind the dump tells apart: 24-bit with an alpha plane,
// 8-bit with palette opacity, 4-bit with a transparent index, 1-bit.
void AddPictures(SkinObject& object) {
  DibImage plane;
  MakePatternImage(plane, 5, 3);
  plane.AlphaCreate();
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) plane.AlphaSet(x, y, static_cast<BYTE>(x * 50 + y));
  object.AddImage(&plane);
  object.AddImage(nullptr);
  DibImage palette;
  MakeIndexPatternImage(palette, 4, 4, 8);
  for (int i = 0; i < 256; ++i) {
    palette.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i), 7, 9,
                            static_cast<BYTE>(255 - i));
  }
  palette.SetAlphaPalette(true);
  object.AddImage(&palette);
  DibImage keyed;
  MakeIndexPatternImage(keyed, 3, 2, 4);
  keyed.SetTransparentIndex(2);
  object.AddImage(&keyed);
  DibImage mono;
  MakeIndexPatternImage(mono, 9, 2, 1);
  object.AddImage(&mono);
}

// Two containers; the second holds shortcuts, a Latin-1 name, regions.
std::unique_ptr<Skin> MakeSkin(bool withPictures) {
  auto skin = std::make_unique<Skin>();
  SkinContainer* main = skin->AddContainer("MainWindow");
  main->alphablendOffset = Point(-5000, 5000);
  main->windowShape.points = {Point(0, 0), Point(10, 0), Point(5, 8)};
  main->block.Bytes()[7] = 0x5a;
  SkinObject* button = main->AddObject(SkinObjectKind::kButton, "Play");
  button->block.Bytes()[0] = 3;
  if (withPictures) {
    MakePatternImage(main->background, 6, 4);
    AddPictures(*button);
  }
  SkinContainer* other = skin->AddContainer("Caf\xe9");
  other->windowShape.region = RegionData({Rect(0, 5, 9, 6), Rect(0, 0, 3, 2)});
  SkinObject* shortcut = other->AddObject(SkinObjectKind::kShortcut, "Open \"it\"");
  shortcut->shortcutTarget = "C:\\Program Files\\x.exe \t-y";
  shortcut->mousePolygon = {Point(1, 1), Point(2, 2)};
  shortcut->visible = 0;
  shortcut->orientation = SkinObject::kVertical;
  other->AddObject(SkinObjectKind::kShortcut, "Empty target");
  SkinObject* unknown = other->AddObject(4000000000u, "");
  unknown->windowShape.region = RegionData({Rect(-1, -2, 3, 4)});
  return skin;
}

std::string DumpOf(const std::string& path) {
  Skin skin;
  if (!skin.Open(path)) return "(unreadable)";
  return SkinDump::Text(skin);
}

TEST_F(SkinToolTest, DumpPrintsTheSkinAsRead) {
  for (bool withPictures : {false, true}) {
    std::unique_ptr<Skin> skin = MakeSkin(withPictures);
    const std::string path = PathOf("skin.bin");
    ASSERT_TRUE(skin->Save(path));
    ASSERT_EQ(Run({"dump", path}), SkinTool::kSuccess) << error_;
    EXPECT_EQ(error_, "");
    EXPECT_EQ(output_, DumpOf(path));
    // Without pictures nothing passes through a codec: the dump equals the
    // dump of the skin in memory.
    if (!withPictures) {
      EXPECT_EQ(output_, SkinDump::Text(*skin));
    }
    Json parsed;
    EXPECT_TRUE(JsonParser().Parse(output_, parsed));
  }
}

TEST_F(SkinToolTest, UnpackThenPackKeepsTheDump) {
  std::unique_ptr<Skin> skin = MakeSkin(true);
  const std::string original = PathOf("original.skin");
  ASSERT_TRUE(skin->Save(original));
  const std::string folder = PathOf("unpacked");  // created by unpack
  ASSERT_EQ(Run({"unpack", original, folder}), SkinTool::kSuccess) << error_;

  std::string json;
  std::string reason;
  ASSERT_TRUE(TextFile::Read(folder + "/skin.json", 1 << 20, json, reason));
  Json root;
  ASSERT_TRUE(JsonParser().Parse(json, root));
  const Json& containers = JsonFields::Member(root, "containers");
  ASSERT_TRUE(containers.is_array() && !containers.empty());
  const Json& objects = JsonFields::Member(containers[0], "objects");
  ASSERT_TRUE(objects.is_array() && !objects.empty());
  const Json& images = JsonFields::Member(objects[0], "images");
  ASSERT_TRUE(images.is_array());
  ASSERT_EQ(images.size(), 5u);
  EXPECT_TRUE(images[1].is_null());
  EXPECT_EQ(JsonFields::Member(images[2], "file"), "container0-object0-image2.png");
  EXPECT_TRUE(fs::is_regular_file(folder + "/container0-object0-image2.png"));
  EXPECT_TRUE(fs::is_regular_file(folder + "/container0-background.png"));

  const std::string packed = PathOf("packed.skin");
  ASSERT_EQ(Run({"pack", folder, packed}), SkinTool::kSuccess) << error_;
  EXPECT_EQ(DumpOf(packed), DumpOf(original));
  EXPECT_NE(DumpOf(original), "(unreadable)");
}

TEST_F(SkinToolTest, ConvertBetweenBmpAndPngKeepsThePicture) {
  struct Case {
    const char* what;
    int bitCount;
  };
  for (const Case& c : {Case{"24-bit", 24}, Case{"8-bit", 8}, Case{"4-bit", 4}}) {
    DibImage source;
    if (c.bitCount == 24) {
      ASSERT_TRUE(MakePatternImage(source, 7, 5));
    } else {
      ASSERT_TRUE(MakeIndexPatternImage(source, 7, 5, c.bitCount));
    }
    std::string reason;
    ASSERT_TRUE(ImageFile::Save(source, PathOf("in.bmp"), reason)) << reason;
    ASSERT_EQ(Run({"convert", PathOf("in.bmp"), PathOf("mid.PNG")}), SkinTool::kSuccess) << error_;
    ASSERT_EQ(Run({"convert", PathOf("mid.PNG"), PathOf("out.Bmp")}), SkinTool::kSuccess) << error_;
    DibImage viaPng;
    DibImage back;
    ASSERT_TRUE(ImageFile::Load(PathOf("mid.PNG"), viaPng, reason)) << reason;
    ASSERT_TRUE(ImageFile::Load(PathOf("out.Bmp"), back, reason)) << reason;
    EXPECT_EQ(viaPng.BitCount(), c.bitCount) << c.what;
    EXPECT_EQ(RgbaDigest::HexOf(viaPng), RgbaDigest::HexOf(source)) << c.what;
    EXPECT_EQ(RgbaDigest::HexOf(back), RgbaDigest::HexOf(source)) << c.what;
  }
}

TEST_F(SkinToolTest, FailuresExitWithOneLineNamingTheFile) {
  const std::string missing = PathOf("missing.skin");
  ExpectFailure({"dump", missing}, missing + ": no such file");
  ExpectFailure({"dump"},
                "usage: skintool dump SKIN | unpack SKIN DIR | pack DIR SKIN | convert IN OUT");
  ExpectFailure({"frobnicate", "a", "b"},
                "usage: skintool dump SKIN | unpack SKIN DIR | pack DIR SKIN | convert IN OUT");

  std::string reason;
  const std::string zero = PathOf("zero.skin");
  ASSERT_TRUE(TextFile::Write(zero, std::string(4, '\0'), reason));
  ExpectFailure({"dump", zero}, zero + ": no containers (bad container count)");

  // Cut inside the second container's second object: the message names the
  // container and how far it got.
  std::unique_ptr<Skin> skin = MakeSkin(false);
  const std::string whole = PathOf("whole.skin");
  ASSERT_TRUE(skin->Save(whole));
  std::string bytes;
  ASSERT_TRUE(TextFile::Read(whole, 1 << 20, bytes, reason));
  const size_t cut = bytes.find("Empty target") + 4;
  const std::string truncated = PathOf("cut.skin");
  ASSERT_TRUE(TextFile::Write(truncated, bytes.substr(0, cut), reason));
  ExpectFailure({"dump", truncated},
                truncated + ": cannot read container 2 of 2 (name \"Caf\xe9\", 1 objects read)");
  ExpectFailure({"unpack", truncated, PathOf("out")},
                truncated + ": cannot read container 2 of 2 (name \"Caf\xe9\", 1 objects read)");

  const std::string notImage = PathOf("picture.bmp");
  ASSERT_TRUE(TextFile::Write(notImage, "BM not really", reason));
  EXPECT_EQ(Run({"convert", notImage, PathOf("x.png")}), SkinTool::kFailure);
  DibImage probe;
  ASSERT_FALSE(probe.Load(notImage.c_str(), DibImage::kFormatBmp));
  ASSERT_STRNE(probe.LastError(), "");
  EXPECT_EQ(error_, "skintool: " + notImage + ": " + probe.LastError() + "\n");
  EXPECT_FALSE(fs::exists(PathOf("x.png")));
  ExpectFailure({"convert", notImage, PathOf("x.gif")},
                PathOf("x.gif") + ": not a .bmp or .png file");
  ExpectFailure({"convert", missing, PathOf("x.png")}, missing + ": not a .bmp or .png file");
  ExpectFailure({"convert", PathOf("none.png"), PathOf("x.png")},
                PathOf("none.png") + ": cannot open the file");
}

// Hand-edited folders: each mistake names skin.json and the field.
TEST_F(SkinToolTest, PackRefusesFoldersItCannotStoreFaithfully) {
  const std::string folder = PathOf("edited");
  const std::string json = folder + "/skin.json";
  const std::string target = PathOf("out.skin");
  ExpectFailure({"pack", folder, target}, json + ": cannot open the file");
  ASSERT_TRUE(fs::create_directories(folder));
  std::unique_ptr<Skin> skin = MakeSkin(false);
  const std::string valid = SkinDump::Text(*skin);
  std::string reason;

  struct Case {
    std::string from;
    std::string to;
    std::string message;
  };
  const std::string object0 = "containers[0].objects[0]";
  const Case cases[] = {
      {"{", "[", json + ": expected ',' or ']' at byte 13"},
      {"\"kind\":0", "\"kind\":-1", object0 + ".kind: expected an integer in 0..4294967295"},
      {"\"kind\":0", "\"kind\":0,\"extra\":1", object0 + ": unknown key \"extra\""},
      {"\"orientation\":0,", "", object0 + ": missing \"orientation\""},
      {"\"name\":\"MainWindow\"", "\"name\":\" \"",
       "containers[0].name: empty, or not storable "
       "as given (line break, NUL, white space at either end, or longer than 509 bytes)"},
      {"\"name\":\"Play\"", "\"name\":\"Pl\\u0101y\"", object0 + ".name: characters beyond U+00FF"},
      {"\"target\":\"\"", "\"target\":\"x\"",
       object0 +
           ".name: name and target not storable as "
           "given (a target on a non-shortcut, a line break, NUL, TAB in a shortcut's name, white "
           "space at either end, or a line longer than 509 bytes)"},
      {"\"block\":\"00", "\"block\":\"0g", "containers[0].block: not a hex digit"},
      {"\"images\":[]", "\"images\":[{\"file\":\"../x.png\"}]",
       object0 + ".images[0].file: not a path inside the folder"},
      {"\"images\":[]", "\"images\":[{\"width\":1}]", object0 + ".images[0]: missing \"file\""},
      {"\"offset\":[-5000,5000]", "\"offset\":[1]", "containers[0].offset: expected [x,y]"},
  };
  for (const Case& c : cases) {
    std::string edited = valid;
    const size_t at = edited.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.from;
    edited.replace(at, c.from.size(), c.to);
    ASSERT_TRUE(TextFile::Write(json, edited, reason));
    const std::string expected =
        c.message.rfind(json, 0) == 0 ? c.message : json + ": " + c.message;
    ExpectFailure({"pack", folder, target}, expected);
    EXPECT_FALSE(fs::exists(target)) << c.to;
  }
  ASSERT_TRUE(TextFile::Write(json, "{\"containers\":[]}", reason));
  ExpectFailure({"pack", folder, target},
                json + ": containers: a skin needs at least one container");
  ASSERT_TRUE(TextFile::Write(json, valid, reason));
  EXPECT_EQ(Run({"pack", folder, target}), SkinTool::kSuccess) << error_;
  EXPECT_EQ(DumpOf(target), valid);
}

}  // namespace
