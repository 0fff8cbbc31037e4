// The skin file: round trips, the byte layout, malformed and hostile files,
// the atomic save, the backup and the menu container helpers.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#ifdef __linux__
#include <sys/resource.h>
#include <csignal>
#endif

#include "imaging/dib_image.h"
#include "imaging/region_data.h"
#include "model/menu_container.h"
#include "model/skin.h"
#include "model/skin_backup.h"
#include "model/skin_container.h"
#include "model/skin_file_io.h"
#include "model/skin_object.h"
#include "model/skin_object_kind.h"
#include "tests/support/test_images.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<BYTE>;

// --- Building skins ----------------------------------------------------------

std::unique_ptr<DibImage> PatternImage(int width, int height) {
  auto image = std::make_unique<DibImage>();
  if (!MakePatternImage(*image, width, height)) return nullptr;
  return image;
}

// A 24-bit picture with an alpha plane whose values vary per pixel.
std::unique_ptr<DibImage> AlphaImage(int width, int height) {
  std::unique_ptr<DibImage> image = PatternImage(width, height);
  if (!image || !image->AlphaCreate()) return nullptr;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image->AlphaSet(x, y, static_cast<BYTE>(x * 40 + y * 3));
  return image;
}

template <typename Block>
void FillBlock(Block& block, BYTE seed) {
  for (size_t i = 0; i < Block::kSize; ++i) block.Bytes()[i] = static_cast<BYTE>(seed + i * 13);
}

SkinObject* AddObject(SkinContainer& container, uint32_t kind, const std::string& name,
                      int imageCount, BYTE seed) {
  SkinObject* object = container.AddObject(kind, name);
  FillBlock(object->block, seed);
  for (int i = 0; i < imageCount; ++i) object->images.push_back(std::make_unique<DibImage>());
  return object;
}

// Every field set to something other than its default; empty images sit
// between filled ones.
void BuildFullSkin(Skin& skin) {
  SkinContainer* main = skin.AddContainer("MainWindow");
  main->alphablendOffset = POINT{-5000, 4999};
  main->background.Transfer(*PatternImage(7, 5));
  main->windowShape.region = RegionData({{0, 0, 7, 2}, {1, 2, 6, 5}});
  main->windowShape.points = {{0, 0}, {7, 0}, {3, -4}};
  FillBlock(main->block, 1);

  SkinObject* button = AddObject(*main, SkinObjectKind::kButton, "Play", 4, 2);
  button->images[0]->Transfer(*PatternImage(4, 3));
  button->images[1]->Transfer(*AlphaImage(4, 3));  // Focus (2) stays empty
  button->images[3]->Transfer(*PatternImage(2, 9));
  button->mousePolygon = {{1, 1}, {3, 1}, {2, 2}};
  button->windowShape.points = {{-1, -2}, {3, 4}};

  SkinObject* shortcut = AddObject(*main, SkinObjectKind::kShortcut, "Open it", 4, 3);
  shortcut->shortcutTarget = "C:\\Program Files\\x y.exe /a";
  shortcut->images[2]->Transfer(*PatternImage(1, 1));
  AddObject(*main, SkinObjectKind::kShortcut, "No target", 4, 4);

  SkinObject* slider = AddObject(*main, SkinObjectKind::kSlider, "Volume", 2, 5);
  slider->orientation = SkinObject::kVertical;
  slider->visible = 0;
  slider->windowShape.region = RegionData({{2, 3, 4, 5}});

  SkinObject* animation = AddObject(*main, SkinObjectKind::kAnimation, "Animation", 0, 6);
  for (int frame = 1; frame <= 3; ++frame) {
    animation->images.push_back(PatternImage(frame, frame + 1));
  }
  AddObject(*main, 42, "kind from a newer editor", 0, 7);
  AddObject(*main, SkinObjectKind::kText, "", 2, 8);

  SkinContainer* second = skin.AddContainer("Playlist");
  FillBlock(second->block, 9);

  SkinContainer* menu = skin.AddContainer("QMenu");
  SkinObject* fill = AddObject(*menu, SkinObjectKind::kMenuElement, "Fill", 1, 10);
  fill->images[0]->Transfer(*PatternImage(3, 3));
}

// --- Comparing skins -----------------------------------------------------------

void ExpectSamePicture(const DibImage& expected, const DibImage& actual) {
  ASSERT_EQ(expected.IsValid(), actual.IsValid());
  if (!expected.IsValid()) return;
  ASSERT_EQ(expected.Width(), actual.Width());
  ASSERT_EQ(expected.Height(), actual.Height());
  ASSERT_EQ(expected.HasAlpha(), actual.HasAlpha());
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      const RGBQUAD want = expected.GetPixelColor(x, y);
      const RGBQUAD got = actual.GetPixelColor(x, y);
      ASSERT_EQ(Rgb(want.rgbRed, want.rgbGreen, want.rgbBlue),
                Rgb(got.rgbRed, got.rgbGreen, got.rgbBlue))
          << "pixel " << x << "," << y;
      if (expected.HasAlpha()) {
        ASSERT_EQ(expected.AlphaGet(x, y), actual.AlphaGet(x, y));
      }
    }
  }
}

void ExpectSamePoints(const std::vector<POINT>& expected, const std::vector<POINT>& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i].x, actual[i].x);
    EXPECT_EQ(expected[i].y, actual[i].y);
  }
}

void ExpectSameObject(const SkinObject& expected, const SkinObject& actual) {
  SCOPED_TRACE("object " + expected.name);
  EXPECT_EQ(expected.kind, actual.kind);
  EXPECT_EQ(expected.name, actual.name);
  EXPECT_EQ(expected.shortcutTarget, actual.shortcutTarget);
  EXPECT_EQ(expected.visible, actual.visible);
  EXPECT_EQ(expected.orientation, actual.orientation);
  EXPECT_TRUE(expected.windowShape == actual.windowShape);
  ExpectSamePoints(expected.mousePolygon, actual.mousePolygon);
  EXPECT_TRUE(expected.block == actual.block);
  ASSERT_EQ(expected.images.size(), actual.images.size());
  for (size_t i = 0; i < expected.images.size(); ++i) {
    SCOPED_TRACE("image " + std::to_string(i));
    ExpectSamePicture(*expected.images[i], *actual.images[i]);
  }
}

void ExpectSameSkin(const Skin& expected, const Skin& actual) {
  ASSERT_EQ(expected.containers.size(), actual.containers.size());
  for (size_t c = 0; c < expected.containers.size(); ++c) {
    const SkinContainer& want = *expected.containers[c];
    const SkinContainer& got = *actual.containers[c];
    SCOPED_TRACE("container " + want.name);
    EXPECT_EQ(want.name, got.name);
    EXPECT_EQ(want.alphablendOffset.x, got.alphablendOffset.x);
    EXPECT_EQ(want.alphablendOffset.y, got.alphablendOffset.y);
    ExpectSamePicture(want.background, got.background);
    EXPECT_TRUE(want.windowShape == got.windowShape);
    EXPECT_TRUE(want.block == got.block);
    ASSERT_EQ(want.objects.size(), got.objects.size());
    for (size_t o = 0; o < want.objects.size(); ++o) {
      ExpectSameObject(*want.objects[o], *got.objects[o]);
    }
  }
}

// --- Hand-made files -----------------------------------------------------------

struct ByteWriter {
  Bytes bytes;
  ByteWriter& I32(int64_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
    return *this;
  }
  ByteWriter& I16(int value) {
    bytes.push_back(static_cast<BYTE>(value));
    bytes.push_back(static_cast<BYTE>(value >> 8));
    return *this;
  }
  ByteWriter& Byte(BYTE value) {
    bytes.push_back(value);
    return *this;
  }
  ByteWriter& Text(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
  }
  ByteWriter& Append(const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
};

// A packed block: length and a zlib stream of size bytes (all 0x5A).
Bytes PackedBlock(size_t size) {
  const Bytes block(size, 0x5A);
  Bytes packed(compressBound(static_cast<uLong>(size)));
  uLongf packedSize = static_cast<uLongf>(packed.size());
  if (compress2(packed.data(), &packedSize, block.data(), static_cast<uLong>(size), 9) != Z_OK) {
    return Bytes();
  }
  packed.resize(packedSize);
  return ByteWriter().I32(static_cast<int64_t>(packedSize)).Append(packed).bytes;
}

// A PNG head as the file would hold it: signature, IHDR, size, depth, type.
Bytes PngHead(uint32_t width, uint32_t height, BYTE bitDepth, BYTE colorType) {
  Bytes head = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (uint32_t value : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) head.push_back(static_cast<BYTE>(value >> shift));
  }
  head.push_back(bitDepth);
  head.push_back(colorType);
  return head;
}

// The parts of one container record, valid by default; tests replace one.
struct ContainerParts {
  int version = 2;
  std::string nameLine = "MainWindow\r\n";
  BYTE separator = 0;
  Bytes region = ByteWriter().I32(0).bytes;
  Bytes polygon = ByteWriter().I32(0).bytes;
  Bytes block = PackedBlock(256);
  Bytes objects = ByteWriter().I32(0).bytes;  // count and records
};

Bytes ContainerRecord(const ContainerParts& parts) {
  return ByteWriter()
      .Text("QBOX")
      .I16(parts.version)
      .Text(parts.nameLine)
      .Byte(parts.separator)
      .I32(3)
      .I32(-4)
      .Byte(0)
      .Append(parts.region)
      .Append(parts.polygon)
      .Append(parts.block)
      .Append(parts.objects)
      .bytes;
}

// The parts of one object record, valid by default.
struct ObjectParts {
  std::string nameLine = "Object\r\n";
  uint32_t kind = SkinObjectKind::kButton;
  int orientation = 1;
  Bytes region = ByteWriter().I32(0).bytes;
  Bytes windowPolygon = ByteWriter().I32(0).bytes;
  Bytes mousePolygon = ByteWriter().I32(0).bytes;
  uint32_t visible = 1;
  Bytes block = PackedBlock(256);
  Bytes images = ByteWriter().I32(0).bytes;  // count and entries
};

Bytes ObjectRecord(const ObjectParts& parts) {
  return ByteWriter()
      .Text(parts.nameLine)
      .Byte(0)
      .I32(parts.kind)
      .I16(parts.orientation)
      .Append(parts.region)
      .Append(parts.windowPolygon)
      .Append(parts.mousePolygon)
      .I32(parts.visible)
      .Append(parts.block)
      .Append(parts.images)
      .bytes;
}

Bytes PointListRecord(const std::vector<POINT>& points) {
  ByteWriter writer;
  writer.I32(static_cast<int64_t>(points.size()));
  for (const POINT& point : points) writer.I32(point.x).I32(point.y);
  return writer.bytes;
}

Bytes RegionRecord(const RegionData& region) {
  const Bytes bytes = region.ToBytes();
  return ByteWriter().I32(static_cast<int64_t>(bytes.size())).Append(bytes).bytes;
}

// An object whose every field differs from its default and from the other
// fields, so a field read from the wrong place shows.
ObjectParts DistinctObjectParts() {
  ObjectParts parts;
  parts.nameLine = "Knob\r\n";
  parts.kind = SkinObjectKind::kCustomSlider;
  parts.orientation = 0;
  parts.region = RegionRecord(RegionData({{1, 2, 9, 4}, {3, 4, 6, 8}}));
  parts.windowPolygon = PointListRecord({{1, 2}, {30, 4}, {5, 60}});
  parts.mousePolygon = PointListRecord({{-7, 8}, {9, -10}});
  parts.visible = 0;
  parts.images = ByteWriter().I32(2).Byte(0).Byte(0).bytes;
  return parts;
}

Bytes SkinWithObject(const ObjectParts& object) {
  ContainerParts parts;
  parts.objects = ByteWriter().I32(1).Append(ObjectRecord(object)).bytes;
  return ByteWriter().I32(1).Append(ContainerRecord(parts)).bytes;
}

Bytes SkinWithContainer(const ContainerParts& parts) {
  return ByteWriter().I32(1).Append(ContainerRecord(parts)).bytes;
}

// --- Files on disk -------------------------------------------------------------

class SkinFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::path(::testing::TempDir()) / (std::string("qorva_skin_file_") + info->name());
    std::error_code error;
    fs::remove_all(folder_, error);
    ASSERT_TRUE(fs::create_directories(folder_, error)) << error.message();
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(folder_, error);
  }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  static bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
  }

  static Bytes ReadFile(const std::string& path) {
    Bytes bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<BYTE>(c));
    std::fclose(file);
    return bytes;
  }

  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Opens bytes written to a file of the test's folder.
  bool OpenBytes(const Bytes& bytes, Skin& skin) {
    const std::string path = PathOf("hand-made");
    return WriteFile(path, bytes) && skin.Open(path);
  }

  fs::path folder_;
};

// --- Round trips and layout ----------------------------------------------------

TEST_F(SkinFileTest, SaveAndOpenKeepEveryFieldAndEveryImagePosition) {
  Skin written;
  BuildFullSkin(written);
  const std::string path = PathOf("full skin");
  ASSERT_TRUE(written.Save(path));
  EXPECT_EQ(written.filePath, path);

  Skin read;
  ASSERT_TRUE(read.Open(path));
  EXPECT_EQ(read.filePath, path);
  ExpectSameSkin(written, read);
  EXPECT_FALSE(read.containers[0]->objects[0]->HasImage(SkinObjectKind::kButtonFocus));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"full skin"});
}

TEST_F(SkinFileTest, FileStartsWithCountMagicVersionNameLineAndOffset) {
  Skin skin;
  SkinContainer* main = skin.AddContainer("MainWindow");
  main->alphablendOffset = POINT{0x01020304, -2};
  skin.AddContainer("QMenu");
  ASSERT_TRUE(skin.Save(PathOf("skin")));

  const Bytes expected = {0x02, 0x00, 0x00, 0x00, 'Q',  'B',  'O',  'X',  0x02, 0x00, 'M',
                          'a',  'i',  'n',  'W',  'i',  'n',  'd',  'o',  'w',  0x0D, 0x0A,
                          0x00, 0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF,
                          0x00,                     // no background
                          0x00, 0x00, 0x00, 0x00,   // no region
                          0x00, 0x00, 0x00, 0x00};  // no polygon points
  const Bytes file = ReadFile(PathOf("skin"));
  ASSERT_GE(file.size(), expected.size());
  EXPECT_EQ(Bytes(file.begin(), file.begin() + expected.size()), expected);
}

TEST_F(SkinFileTest, ShortcutTargetFollowsATabAndAnEmptyTargetKeepsTheTab) {
  Skin skin;
  SkinContainer* main = skin.AddContainer("MainWindow");
  main->AddObject(SkinObjectKind::kShortcut, "Go")->shortcutTarget = "";
  main->AddObject(SkinObjectKind::kShortcut, "Run")->shortcutTarget = " notepad.exe";
  main->AddObject(SkinObjectKind::kButton, "Plain")->shortcutTarget = "dropped";
  ASSERT_TRUE(skin.Save(PathOf("skin")));

  const Bytes file = ReadFile(PathOf("skin"));
  const std::string text(file.begin(), file.end());
  EXPECT_NE(text.find("Go\t\r\n"), std::string::npos);
  EXPECT_NE(text.find("Run\t notepad.exe\r\n"), std::string::npos);
  EXPECT_NE(text.find("Plain\r\n"), std::string::npos);

  Skin read;
  ASSERT_TRUE(read.Open(PathOf("skin")));
  const auto& objects = read.containers[0]->objects;
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_EQ(objects[0]->name, "Go");
  EXPECT_EQ(objects[0]->shortcutTarget, "");
  EXPECT_EQ(objects[1]->name, "Run");
  EXPECT_EQ(objects[1]->shortcutTarget, " notepad.exe");
  EXPECT_EQ(objects[2]->name, "Plain");
  EXPECT_EQ(objects[2]->shortcutTarget, "");
}

TEST_F(SkinFileTest, NameLinesAreStrippedAndAShortcutLineWithoutTabIsAllName) {
  ObjectParts shortcut;
  shortcut.nameLine = " \t Whole line \v\f\r\n";
  shortcut.kind = SkinObjectKind::kShortcut;
  ContainerParts parts;
  parts.nameLine = "  Spaced Out \t\r\n";
  parts.objects = ByteWriter().I32(1).Append(ObjectRecord(shortcut)).bytes;
  Skin skin;
  ASSERT_TRUE(OpenBytes(ByteWriter().I32(1).Append(ContainerRecord(parts)).bytes, skin));
  EXPECT_EQ(skin.containers[0]->name, "Spaced Out");
  EXPECT_EQ(skin.containers[0]->objects[0]->name, "Whole line");
  EXPECT_EQ(skin.containers[0]->objects[0]->shortcutTarget, "");
  EXPECT_EQ(skin.containers[0]->objects[0]->orientation, 1);
}

TEST_F(SkinFileTest, ObjectRecordFieldsReadFromTheirPlaces) {
  Skin skin;
  ASSERT_TRUE(OpenBytes(SkinWithObject(DistinctObjectParts()), skin));
  ASSERT_EQ(skin.containers[0]->objects.size(), 1u);
  const SkinObject& object = *skin.containers[0]->objects[0];
  EXPECT_EQ(object.name, "Knob");
  EXPECT_EQ(object.kind, SkinObjectKind::kCustomSlider);
  EXPECT_EQ(object.orientation, 0);
  ASSERT_TRUE(object.windowShape.HasRegion());
  EXPECT_TRUE(*object.windowShape.region == RegionData({{1, 2, 9, 4}, {3, 4, 6, 8}}));
  const std::vector<POINT> window = {{1, 2}, {30, 4}, {5, 60}};
  const std::vector<POINT> mouse = {{-7, 8}, {9, -10}};
  ASSERT_EQ(object.windowShape.points.size(), window.size());
  for (size_t i = 0; i < window.size(); ++i) {
    EXPECT_EQ(object.windowShape.points[i].x, window[i].x);
    EXPECT_EQ(object.windowShape.points[i].y, window[i].y);
  }
  ASSERT_EQ(object.mousePolygon.size(), mouse.size());
  for (size_t i = 0; i < mouse.size(); ++i) {
    EXPECT_EQ(object.mousePolygon[i].x, mouse[i].x);
    EXPECT_EQ(object.mousePolygon[i].y, mouse[i].y);
  }
  EXPECT_EQ(object.visible, 0u);
  EXPECT_EQ(object.block.Bytes()[0], 0x5A);
  EXPECT_EQ(object.block.Bytes()[255], 0x5A);
  EXPECT_EQ(object.images.size(), 2u);
}

TEST_F(SkinFileTest, AnObjectIsWrittenAsItsRecordByteForByte) {
  SkinObject object(SkinObjectKind::kCustomSlider, "Knob");
  object.orientation = 0;
  object.windowShape.region = RegionData({{1, 2, 9, 4}, {3, 4, 6, 8}});
  object.windowShape.points = {{1, 2}, {30, 4}, {5, 60}};
  object.mousePolygon = {{-7, 8}, {9, -10}};
  object.visible = 0;
  std::fill(object.block.Bytes().begin(), object.block.Bytes().end(), BYTE{0x5A});
  object.images.push_back(std::make_unique<DibImage>());
  object.images.push_back(std::make_unique<DibImage>());

  const std::string path = PathOf("object record");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  const bool written = object.Write(file);
  std::fclose(file);
  ASSERT_TRUE(written);
  EXPECT_EQ(ReadFile(path), ObjectRecord(DistinctObjectParts()));
}

// A region record that makes no region costs the element its region only:
// its points, block, pictures and everything after it are kept.
TEST_F(SkinFileTest, MalformedRegionRecordsOpenWithoutTheirRegion) {
  ObjectParts object = DistinctObjectParts();
  object.region = ByteWriter().I32(40).Append(Bytes(40, 0x11)).bytes;  // foreign header
  ContainerParts parts;
  parts.region = ByteWriter().I32(4).I32(0).bytes;  // shorter than a header
  parts.polygon = PointListRecord({{0, 0}, {8, 0}, {4, 6}});
  parts.objects = ByteWriter().I32(2).Append(ObjectRecord(object)).Append(ObjectRecord({})).bytes;
  Skin skin;
  ASSERT_TRUE(OpenBytes(SkinWithContainer(parts), skin));
  const SkinContainer& container = *skin.containers[0];
  EXPECT_FALSE(container.windowShape.HasRegion());
  EXPECT_EQ(container.windowShape.points.size(), 3u);
  EXPECT_EQ(container.block.Bytes()[17], 0x5A);
  ASSERT_EQ(container.objects.size(), 2u);
  const SkinObject& knob = *container.objects[0];
  EXPECT_FALSE(knob.windowShape.HasRegion());
  EXPECT_EQ(knob.windowShape.points.size(), 3u);
  EXPECT_EQ(knob.mousePolygon.size(), 2u);
  EXPECT_EQ(knob.visible, 0u);
  EXPECT_EQ(knob.images.size(), 2u);
  EXPECT_EQ(container.objects[1]->name, "Object");
}

TEST_F(SkinFileTest, VersionsUpToTwoReadAlikeAndLaterOnesFail) {
  for (int version : {0, 1, 2, 3, 0x7FFF}) {
    SCOPED_TRACE(version);
    ContainerParts parts;
    parts.version = version;
    Skin skin;
    EXPECT_EQ(OpenBytes(SkinWithContainer(parts), skin), version <= 2);
  }
}

// --- Files that must not open -------------------------------------------------

struct BadFileCase {
  const char* what;
  Bytes bytes;
};

TEST_F(SkinFileTest, MalformedAndHostileFilesFailAndLeaveNoContainers) {
  const Bytes good = SkinWithContainer(ContainerParts());
  auto container = [](void (*change)(ContainerParts&)) {
    ContainerParts parts;
    change(parts);
    return SkinWithContainer(parts);
  };
  auto object = [](void (*change)(ObjectParts&)) {
    ObjectParts parts;
    change(parts);
    return SkinWithObject(parts);
  };
  auto withCount = [&](int64_t count) {
    Bytes bytes = good;
    ByteWriter writer;
    writer.I32(count);
    std::copy(writer.bytes.begin(), writer.bytes.end(), bytes.begin());
    return bytes;
  };
  const std::vector<BadFileCase> cases = {
      {"empty file", Bytes()},
      {"container count 0", withCount(0)},
      {"negative container count", withCount(-1)},
      {"two containers, one present", withCount(2)},
      {"2^31 - 1 containers", withCount(INT32_MAX)},
      {"wrong magic",
       [&] {
         Bytes b = good;
         b[7] = 'Y';
         return b;
       }()},
      {"cut inside the magic", Bytes(good.begin(), good.begin() + 6)},
      {"blank name", container([](ContainerParts& p) { p.nameLine = " \t \r\n"; })},
      {"empty name", container([](ContainerParts& p) { p.nameLine = "\r\n"; })},
      {"separator not zero", container([](ContainerParts& p) { p.separator = 1; })},
      {"name line of 510 bytes",
       container([](ContainerParts& p) { p.nameLine = std::string(510, 'n') + "\r\n"; })},
      {"2 GB region",
       container([](ContainerParts& p) { p.region = ByteWriter().I32(INT32_MAX).bytes; })},
      {"2^31 - 1 polygon points",
       container([](ContainerParts& p) { p.polygon = ByteWriter().I32(INT32_MAX).bytes; })},
      {"block length 0", container([](ContainerParts& p) { p.block = ByteWriter().I32(0).bytes; })},
      {"block length 4 GB",
       container([](ContainerParts& p) { p.block = ByteWriter().I32(0xFFFFFFFF).bytes; })},
      {"block of 255 bytes", container([](ContainerParts& p) { p.block = PackedBlock(255); })},
      {"block of 257 bytes", container([](ContainerParts& p) { p.block = PackedBlock(257); })},
      {"block of 64 KB", container([](ContainerParts& p) { p.block = PackedBlock(65536); })},
      {"block that is no zlib stream",
       container([](ContainerParts& p) { p.block = ByteWriter().I32(3).Text("abc").bytes; })},
      {"block cut short",
       [&] {
         Bytes b = good;
         b.resize(b.size() - 6);
         return b;
       }()},
      {"2^31 - 1 objects",
       container([](ContainerParts& p) { p.objects = ByteWriter().I32(INT32_MAX).bytes; })},
      {"object count without objects",
       container([](ContainerParts& p) { p.objects = ByteWriter().I32(1).bytes; })},
      {"object region of 2 GB",
       object([](ObjectParts& p) { p.region = ByteWriter().I32(INT32_MAX).bytes; })},
      {"object block of 257 bytes", object([](ObjectParts& p) { p.block = PackedBlock(257); })},
      {"2^31 - 1 images",
       object([](ObjectParts& p) { p.images = ByteWriter().I32(INT32_MAX).bytes; })},
      {"image count beyond its entries",
       object([](ObjectParts& p) { p.images = ByteWriter().I32(3).Byte(0).Byte(0).bytes; })},
      {"image that is no PNG",
       object([](ObjectParts& p) { p.images = ByteWriter().I32(1).Byte(1).Text("GIF89a").bytes; })},
      {"image header asking for 30000 x 30000 pixels", object([](ObjectParts& p) {
         p.images = ByteWriter().I32(1).Byte(1).Append(PngHead(30000, 30000, 8, 6)).I32(0).bytes;
       })},
      {"background that is no PNG",
       [&] {
         Bytes b = good;
         b[4 + 4 + 2 + 12 + 1 + 8] = 1;  // the background byte
         return b;
       }()},
  };
  for (const BadFileCase& c : cases) {
    SCOPED_TRACE(c.what);
    Skin skin;
    skin.AddContainer("left over");
    skin.filePath = "previous";
    EXPECT_FALSE(OpenBytes(c.bytes, skin));
    EXPECT_TRUE(skin.containers.empty());
    EXPECT_EQ(skin.filePath, "previous");
  }
}

TEST_F(SkinFileTest, HandMadeRecordsThatAreValidOpen) {
  // Guards the bad-file table: each of its cases differs from these only in
  // the field it names.
  Skin skin;
  ASSERT_TRUE(OpenBytes(SkinWithContainer(ContainerParts()), skin));
  ObjectParts images;
  images.images = ByteWriter().I32(2).Byte(0).Byte(0).bytes;
  ASSERT_TRUE(OpenBytes(SkinWithObject(images), skin));
  ASSERT_EQ(skin.containers[0]->objects.size(), 1u);
  EXPECT_EQ(skin.containers[0]->objects[0]->images.size(), 2u);
  ContainerParts longName;
  longName.nameLine = std::string(509, 'n') + "\r\n";
  ASSERT_TRUE(OpenBytes(SkinWithContainer(longName), skin));
  EXPECT_EQ(skin.containers[0]->name.size(), 509u);
  ContainerParts trailing;
  trailing.block = PackedBlock(256);
  trailing.block.push_back(0xAB);  // bytes after the stream's end inside the length
  trailing.block[0] += 1;
  ASSERT_TRUE(OpenBytes(SkinWithContainer(trailing), skin));
}

TEST(PngMayFitInTest, PicturesLargerThanTheRestOfTheFileCanInflateToAreRefused) {
  struct Case {
    const char* what;
    Bytes head;
    uint64_t bytesLeft;
    bool fits;
  };
  const Case cases[] = {
      {"256 x 256 RGBA in 100 KB", PngHead(256, 256, 8, 6), 100000, true},
      {"30000 x 30000 RGBA in 1 KB", PngHead(30000, 30000, 8, 6), 1000, false},
      // 8000 x 8000 / 8 / 1032 (rounded down) * 8 bits * 4 channels = 248032 bytes.
      {"8000 x 8000 RGBA in 248032 bytes", PngHead(8000, 8000, 8, 6), 248032, true},
      {"8000 x 8000 RGBA in 248031 bytes", PngHead(8000, 8000, 8, 6), 248031, false},
      {"8000 x 8000 1-bit grey in 8000 bytes", PngHead(8000, 8000, 1, 0), 8000, true},
      {"8000 x 8000 16-bit RGBA in 248032 bytes", PngHead(8000, 8000, 16, 6), 248032, false},
      {"width beyond PNG's limit goes to the decoder", PngHead(0xFFFFFFFF, 0xFFFFFFFF, 8, 6), 10,
       true},
      {"no PNG signature",
       [] {
         Bytes b = PngHead(30000, 30000, 8, 6);
         b[1] = 'Q';
         return b;
       }(),
       10, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(c.head.size(), skin_file::kPngHeadSize);
    EXPECT_EQ(skin_file::PngMayFitIn(c.head.data(), c.bytesLeft), c.fits);
  }
}

TEST_F(SkinFileTest, OpenRefusesFoldersAndMissingPaths) {
  Skin skin;
  skin.filePath = "previous";
  EXPECT_FALSE(skin.Open(folder_.string()));
  EXPECT_FALSE(skin.Open(PathOf("missing")));
  EXPECT_FALSE(skin.Open(""));
  EXPECT_EQ(skin.filePath, "previous");
}

// --- Saving --------------------------------------------------------------------

TEST_F(SkinFileTest, SaveWithoutContainersOrPathWritesNothing) {
  Skin skin;
  EXPECT_FALSE(skin.Save(PathOf("skin")));
  EXPECT_TRUE(skin.filePath.empty());
  skin.AddContainer("MainWindow");
  EXPECT_FALSE(skin.Save());
  EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(SkinFileTest, SaveReplacesAnExistingFile) {
  const std::string path = PathOf("skin");
  ASSERT_TRUE(WriteFile(path, Bytes(100000, 0xEE)));
  Skin skin;
  skin.AddContainer("MainWindow");
  ASSERT_TRUE(skin.Save(path));
  skin.containers[0]->name = "Second";
  ASSERT_TRUE(skin.Save());
  Skin read;
  ASSERT_TRUE(read.Open(path));
  EXPECT_EQ(read.containers[0]->name, "Second");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"skin"});
}

// Names the reader would refuse or cut make the whole file unreadable, so
// the save fails instead, after earlier containers were already written.
TEST_F(SkinFileTest, FailedSaveLeavesThePreviousFileAndNoTemporaryFile) {
  const std::string path = PathOf("skin");
  Skin previous;
  BuildFullSkin(previous);
  ASSERT_TRUE(previous.Save(path));
  const Bytes before = ReadFile(path);

  const std::vector<std::pair<const char*, void (*)(Skin&)>> cases = {
      {"blank container name", [](Skin& s) { s.AddContainer("   "); }},
      {"LF in a container name", [](Skin& s) { s.AddContainer("Two\nLines"); }},
      {"container name of 510 bytes", [](Skin& s) { s.AddContainer(std::string(510, 'x')); }},
      {"LF in an object name",
       [](Skin& s) { s.AddContainer("Last")->AddObject(SkinObjectKind::kText, "a\nb"); }},
      {"TAB in a shortcut's name",
       [](Skin& s) {
         s.AddContainer("Last")->AddObject(SkinObjectKind::kShortcut, "Play\tNow")->shortcutTarget =
             "player.exe";
       }},
      {"shortcut line of 510 bytes",
       [](Skin& s) {
         s.AddContainer("Last")
             ->AddObject(SkinObjectKind::kShortcut, std::string(500, 'n'))
             ->shortcutTarget = std::string(9, 't');
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    Skin skin;
    BuildFullSkin(skin);
    skin.containers[0]->name = "Changed";
    c.second(skin);
    EXPECT_FALSE(skin.Save(path));
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"skin"});
  }
}

TEST_F(SkinFileTest, LongestNamesThatReadBackAreWritten) {
  Skin skin;
  SkinContainer* container = skin.AddContainer(std::string(509, 'c'));
  container->AddObject(SkinObjectKind::kShortcut, std::string(500, 'n'))->shortcutTarget =
      std::string(8, 't');
  ASSERT_TRUE(skin.Save(PathOf("skin")));
  Skin read;
  ASSERT_TRUE(read.Open(PathOf("skin")));
  EXPECT_EQ(read.containers[0]->name, std::string(509, 'c'));
  EXPECT_EQ(read.containers[0]->objects[0]->shortcutTarget, std::string(8, 't'));
}

TEST_F(SkinFileTest, WritesToAStreamThatRefusesThemFail) {
  const std::string path = PathOf("read only stream");
  ASSERT_TRUE(WriteFile(path, Bytes(16, 0)));
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  SkinContainer container("MainWindow");
  EXPECT_FALSE(container.Write(file));
  std::fclose(file);
}

#ifdef __linux__
// A picture that does not compress, so its datastream is about its size.
std::unique_ptr<DibImage> NoiseImage(int width, int height) {
  auto image = std::make_unique<DibImage>();
  if (image->Create(width, height, 24, DibImage::kFormatBmp) == nullptr) return nullptr;
  uint32_t state = 12345;
  for (DWORD i = 0; i < image->SizeImage(); ++i) {
    state = state * 1103515245u + 12345u;
    image->Pixels()[i] = static_cast<BYTE>(state >> 24);
  }
  return image;
}

TEST_F(SkinFileTest, WritesToAFullDeviceFail) {
  std::FILE* file = std::fopen("/dev/full", "wb");
  ASSERT_NE(file, nullptr);
  std::setvbuf(file, nullptr, _IONBF, 0);
  SkinContainer container("MainWindow");
  EXPECT_FALSE(container.Write(file));
  std::fclose(file);
}

// A file size limit makes the disk "full" in the middle of the save; the
// signal it raises is ignored so the write reports the error instead. A big
// picture fails in the middle of its datastream; a small skin fails only
// when the stream's buffer is flushed at the end.
bool SaveWithFileSizeLimit(Skin& skin, rlim_t limit) {
  struct rlimit saved;
  if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return true;  // reported as a failed check
  void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = saved;
  limited.rlim_cur = limit;
  const bool result = setrlimit(RLIMIT_FSIZE, &limited) == 0 && skin.Save();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  return result;
}

TEST_F(SkinFileTest, SaveThatRunsOutOfSpaceKeepsThePreviousFile) {
  const std::string path = PathOf("skin");
  Skin previous;
  BuildFullSkin(previous);
  ASSERT_TRUE(previous.Save(path));
  const Bytes before = ReadFile(path);
  ASSERT_GT(before.size(), 200u);

  Skin big;
  big.AddContainer("MainWindow")->background.Transfer(*NoiseImage(300, 300));
  big.filePath = path;
  Skin small;
  small.AddContainer("MainWindow");
  small.filePath = path;
  const std::vector<std::pair<Skin*, rlim_t>> cases = {{&big, 20000}, {&small, 40}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.second);
    EXPECT_FALSE(SaveWithFileSizeLimit(*c.first, c.second));
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"skin"});
  }
}
#endif

// --- Backup ----------------------------------------------------------------------

TEST_F(SkinFileTest, BackupCopiesTheFileToItsNameWithBakAppended) {
  const std::string path = PathOf("skin.dat");
  EXPECT_EQ(BackupPathOf(path), path + ".bak");
  EXPECT_FALSE(BackupSkinFile(path));  // nothing to back up yet
  EXPECT_FALSE(BackupSkinFile(folder_.string()));
  EXPECT_FALSE(fs::exists(folder_.string() + ".bak"));

  Bytes content(200000);
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<BYTE>(i * 31);
  ASSERT_TRUE(WriteFile(path, content));
  ASSERT_TRUE(WriteFile(path + ".bak", Bytes(300000, 1)));  // an older, longer backup
  EXPECT_TRUE(BackupSkinFile(path));
  EXPECT_EQ(ReadFile(path + ".bak"), content);
  EXPECT_EQ(ReadFile(path), content);
}

// --- The menu container ------------------------------------------------------------

TEST_F(SkinFileTest, EveryMenuContainerIsTakenOutAndTheLastOneWins) {
  Skin skin;
  skin.AddContainer("qmenu")->AddObject(SkinObjectKind::kMenuElement, "first");
  skin.AddContainer("MainWindow");
  skin.AddContainer("QMENU")->AddObject(SkinObjectKind::kMenuElement, "last");
  skin.AddContainer("QMenus");

  SkinContainer menu("QMenu");
  menu.AddObject(SkinObjectKind::kMenuElement, "before");
  ASSERT_TRUE(TakeMenuContainers(skin, menu));
  ASSERT_EQ(skin.containers.size(), 2u);
  EXPECT_EQ(skin.containers[0]->name, "MainWindow");
  EXPECT_EQ(skin.containers[1]->name, "QMenus");
  ASSERT_EQ(menu.objects.size(), 1u);
  EXPECT_EQ(menu.objects[0]->name, "last");
  EXPECT_EQ(menu.name, "QMenu") << "saved again under the editor's spelling";

  EXPECT_FALSE(TakeMenuContainers(skin, menu));
  EXPECT_EQ(menu.objects[0]->name, "last");
}

TEST_F(SkinFileTest, MenuContainerIsSavedLastAndHandedBack) {
  Skin skin;
  skin.AddContainer("MainWindow");
  std::unique_ptr<SkinContainer> menu(new SkinContainer("QMenu"));
  menu->AddObject(SkinObjectKind::kMenuElement, "Fill");
  SkinContainer* const menuAddress = menu.get();

  ASSERT_TRUE(SaveWithMenuContainer(skin, menu, PathOf("skin")));
  EXPECT_EQ(menu.get(), menuAddress);
  ASSERT_EQ(skin.containers.size(), 1u);
  EXPECT_EQ(skin.filePath, PathOf("skin"));

  // A failed save hands the menu back as well.
  skin.AddContainer(" ");
  EXPECT_FALSE(SaveWithMenuContainer(skin, menu));
  EXPECT_EQ(menu.get(), menuAddress);
  EXPECT_EQ(skin.containers.size(), 2u);

  Skin read;
  ASSERT_TRUE(read.Open(PathOf("skin")));
  ASSERT_EQ(read.containers.size(), 2u);
  EXPECT_EQ(read.containers[1]->name, "QMenu");
  SkinContainer editorMenu("QMenu");
  ASSERT_TRUE(TakeMenuContainers(read, editorMenu));
  ASSERT_EQ(editorMenu.objects.size(), 1u);
  EXPECT_EQ(editorMenu.objects[0]->name, "Fill");
}

}  // namespace
