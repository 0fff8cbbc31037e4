// Skin model: property block layout, deep copies, the alphablend background
// and the container helpers.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/region_data.h"
#include "model/container_block.h"
#include "model/object_block.h"
#include "model/skin.h"
#include "model/skin_container.h"
#include "model/skin_object.h"
#include "model/skin_object_kind.h"
#include "tests/support/geometry.h"

namespace {

using Bytes = std::vector<BYTE>;

// A 24-bit picture whose pixels depend on seed, so copies can be told apart.
std::unique_ptr<DibImage> MakeImage(int width, int height, BYTE seed) {
  auto image = std::make_unique<DibImage>();
  if (image->Create(width, height, 24, DibImage::kFormatBmp) == nullptr) return nullptr;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      RGBQUAD color{};
      color.rgbRed = static_cast<BYTE>(seed + x);
      color.rgbGreen = static_cast<BYTE>(seed + y);
      color.rgbBlue = seed;
      image->SetPixelColor(x, y, color);
    }
  }
  return image;
}

bool SamePicture(const DibImage& first, const DibImage& second) {
  return first.IsValid() && second.IsValid() && first.Width() == second.Width() &&
         first.Height() == second.Height() && first.BitCount() == second.BitCount() &&
         first.SizeImage() == second.SizeImage() &&
         std::memcmp(first.Pixels(), second.Pixels(), first.SizeImage()) == 0;
}

bool SameRect(const RECT& first, const RECT& second) {
  return first.left == second.left && first.top == second.top && first.right == second.right &&
         first.bottom == second.bottom;
}

std::vector<POINT> Points(std::initializer_list<std::pair<LONG, LONG>> list) {
  std::vector<POINT> points;
  for (const auto& p : list) {
    POINT point;
    point.x = p.first;
    point.y = p.second;
    points.push_back(point);
  }
  return points;
}

bool SamePoints(const std::vector<POINT>& first, const std::vector<POINT>& second) {
  if (first.size() != second.size()) return false;
  for (size_t i = 0; i < first.size(); ++i) {
    if (first[i].x != second[i].x || first[i].y != second[i].y) return false;
  }
  return true;
}

// Background bytes for the layout tests: every byte differs from its
// neighbours and from zero, so a write that strays is always visible.
template <typename Block>
void FillPattern(Block& block) {
  for (size_t i = 0; i < Block::kSize; ++i) block.Bytes()[i] = static_cast<BYTE>(0x80 + i * 7);
}

// Sets one field on a patterned block, then checks the field's bytes, that
// every other byte kept its pattern, and that the getter reads the value back.
template <typename Block>
struct FieldCase {
  const char* field;
  size_t offset;
  Bytes expected;
  std::function<void(Block&)> set;
  std::function<bool(const Block&)> readsBack;
};

template <typename Block>
void CheckFieldCase(const FieldCase<Block>& c) {
  SCOPED_TRACE(c.field);
  Block block;
  FillPattern(block);
  Block before = block;
  c.set(block);
  for (size_t i = 0; i < Block::kSize; ++i) {
    const bool inField = i >= c.offset && i < c.offset + c.expected.size();
    const BYTE want = inField ? c.expected[i - c.offset] : before.Bytes()[i];
    ASSERT_EQ(block.Bytes()[i], want) << "byte " << i;
  }
  EXPECT_TRUE(c.readsBack(block));
}

TEST(ObjectBlockTest, EveryFieldSitsAtItsOffsetLittleEndianAndTouchesNothingElse) {
  using B = ObjectBlock;
  const RECT position = Rect(-2, 0x01020304, 300, -70000);
  const std::vector<FieldCase<B>> cases = {
      {"position",
       0x00,
       {0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0x2C, 0x01, 0x00, 0x00, 0x90, 0xEE, 0xFE,
        0xFF},
       [&](B& b) { b.SetPosition(position); },
       [&](const B& b) { return SameRect(b.Position(), position); }},
      {"text colour",
       0x6F,
       {0x11, 0x22, 0x33, 0x00},
       [](B& b) { b.SetTextColor(RGB(0x11, 0x22, 0x33)); },
       [](const B& b) { return b.TextColor() == RGB(0x11, 0x22, 0x33); }},
      {"selected text colour",
       0x74,
       {0x44, 0x55, 0x66, 0x00},
       [](B& b) { b.SetSelectedTextColor(RGB(0x44, 0x55, 0x66)); },
       [](const B& b) { return b.SelectedTextColor() == RGB(0x44, 0x55, 0x66); }},
      {"VU background colour",
       0x6F,
       {0x00, 0x00, 0x00, 0x00},
       [](B& b) { b.SetVuBackgroundColor(RGB(0, 0, 0)); },
       [](const B& b) { return b.VuBackgroundColor() == 0 && b.TextColor() == 0; }},
      {"VU foreground colour",
       0x74,
       {0x00, 0xFF, 0x00, 0x00},
       [](B& b) { b.SetVuForegroundColor(65280); },
       [](const B& b) { return b.VuForegroundColor() == 65280 && b.SelectedTextColor() == 65280; }},
      {"text type",
       0x79,
       {0x06, 0x03, 0x02, 0x01},
       [](B& b) { b.SetTextType(0x01020306); },
       [](const B& b) { return b.TextType() == 0x01020306u; }},
      {"check box on",
       0x7E,
       {0x01},
       [](B& b) { b.SetCheckBox(true); },
       [](const B& b) { return b.CheckBox(); }},
      {"check box off",
       0x7E,
       {0x00},
       [](B& b) { b.SetCheckBox(false); },
       [](const B& b) { return !b.CheckBox(); }},
      {"frame interval",
       0x80,
       {0x78, 0x56, 0x34, 0x12},
       [](B& b) { b.SetFrameInterval(0x12345678); },
       [](const B& b) { return b.FrameInterval() == 0x12345678u; }},
      {"repeat",
       0x85,
       {0x01},
       [](B& b) { b.SetRepeat(true); },
       [](const B& b) { return b.Repeat(); }},
      {"play on mouse over",
       0x87,
       {0x01},
       [](B& b) { b.SetPlayOnMouseOver(true); },
       [](const B& b) { return b.PlayOnMouseOver(); }},
      {"segment position",
       0x89,
       {0x02, 0x01},
       [](B& b) { b.SetSegmentPosition(0x0102); },
       [](const B& b) { return b.SegmentPosition() == 0x0102; }},
      {"segment size",
       0x8C,
       {0x00, 0x04},
       [](B& b) { b.SetSegmentSize(1024); },
       [](const B& b) { return b.SegmentSize() == 1024; }},
      {"VU mode",
       0x8F,
       {0x02, 0x00},
       [](B& b) { b.SetVuMode(ObjectBlock::kVuBars); },
       [](const B& b) { return b.VuMode() == ObjectBlock::kVuBars; }},
      {"bars count",
       0x92,
       {0xFF, 0xFE},
       [](B& b) { b.SetBarsCount(0xFEFF); },
       [](const B& b) { return b.BarsCount() == 0xFEFF; }},
      {"antialiasing",
       0x95,
       {0x01},
       [](B& b) { b.SetAntialiasing(true); },
       [](const B& b) { return b.Antialiasing(); }},
      {"hide while a movie plays",
       0x97,
       {0x01},
       [](B& b) { b.SetHideWhileMoviePlays(true); },
       [](const B& b) { return b.HideWhileMoviePlays(); }},
      {"as point",
       0x99,
       {0x01},
       [](B& b) { b.SetAsPoint(true); },
       [](const B& b) { return b.AsPoint(); }},
  };
  for (const auto& c : cases) CheckFieldCase(c);
}

TEST(ObjectBlockTest, FontIsTheSixtyBytesOfALogfontAtOffset0x11) {
  LOGFONTA font{};
  font.lfHeight = -12;
  font.lfWidth = 7;
  font.lfEscapement = 0x01020304;
  font.lfOrientation = 900;
  font.lfWeight = 700;
  font.lfItalic = 1;
  font.lfUnderline = 2;
  font.lfStrikeOut = 3;
  font.lfCharSet = 0xCC;
  font.lfOutPrecision = 4;
  font.lfClipPrecision = 5;
  font.lfQuality = 6;
  font.lfPitchAndFamily = 0x22;
  std::strcpy(font.lfFaceName, "Tahoma");
  font.lfFaceName[31] = 'Z';

  Bytes expected = {0xF4, 0xFF, 0xFF, 0xFF, 0x07, 0x00, 0x00, 0x00, 0x04, 0x03, 0x02, 0x01,
                    0x84, 0x03, 0x00, 0x00, 0xBC, 0x02, 0x00, 0x00, 0x01, 0x02, 0x03, 0xCC,
                    0x04, 0x05, 0x06, 0x22, 'T',  'a',  'h',  'o',  'm',  'a'};
  expected.resize(60, 0);
  expected[59] = 'Z';

  FieldCase<ObjectBlock> c{"font", 0x11, expected, [&](ObjectBlock& b) { b.SetFont(font); },
                           [&](const ObjectBlock& b) {
                             LOGFONTA back{};
                             return b.GetFont(back) && b.HasFont() &&
                                    std::memcmp(&back, &font, sizeof font) == 0;
                           }};
  CheckFieldCase(c);
}

TEST(ObjectBlockTest, FontIsPresentExactlyWhenOneOfItsSixtyBytesIsNonZero) {
  ObjectBlock block;
  LOGFONTA font;
  std::memset(&font, 0x5A, sizeof font);
  EXPECT_FALSE(block.GetFont(font));
  EXPECT_FALSE(block.HasFont());
  const LOGFONTA zero{};
  EXPECT_EQ(std::memcmp(&font, &zero, sizeof font), 0) << "GetFont copies the zero bytes too";

  // Neighbours of the font field do not count as a font.
  block.Bytes()[0x10] = 0xFF;
  block.Bytes()[0x11 + 60] = 0xFF;
  EXPECT_FALSE(block.HasFont());

  // The first and the last of the sixty bytes each count on their own.
  for (size_t at : {size_t{0x11}, size_t{0x11 + 59}}) {
    ObjectBlock one;
    one.Bytes()[at] = 1;
    EXPECT_TRUE(one.HasFont()) << "byte " << at;
    one.ClearFont();
    EXPECT_FALSE(one.HasFont());
  }

  SkinObject object(SkinObjectKind::kText);
  EXPECT_FALSE(object.GetFont(font));
  object.block.Bytes()[0x11 + 28] = 'A';
  EXPECT_TRUE(object.GetFont(font));
  EXPECT_EQ(font.lfFaceName[0], 'A');
}

TEST(ContainerBlockTest, MovieAreaFieldsSitAtTheirOffsets) {
  using B = ContainerBlock;
  const RECT area = Rect(10, -1, 0x7FFFFFFF, 0x100);
  const std::vector<FieldCase<B>> cases = {
      {"movie area on",
       0,
       {0x01},
       [](B& b) { b.SetMovieAreaOn(true); },
       [](const B& b) { return b.MovieAreaOn(); }},
      {"movie area off",
       0,
       {0x00},
       [](B& b) { b.SetMovieAreaOn(false); },
       [](const B& b) { return !b.MovieAreaOn(); }},
      {"movie area",
       1,
       {0x0A, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x01, 0x00,
        0x00},
       [&](B& b) { b.SetMovieArea(area); },
       [&](const B& b) { return SameRect(b.MovieArea(), area); }},
  };
  for (const auto& c : cases) CheckFieldCase(c);
}

TEST(SkinObjectKindTest, KindsHaveTheirNamesTreeImagesAndImageCounts) {
  struct Row {
    uint32_t kind;
    const char* name;
    int treeImage;
    int imageCount;
  };
  const Row rows[] = {
      {SkinObjectKind::kButton, "Button", 2, 4},
      {SkinObjectKind::kListBox, "ListBox", 3, 13},
      {SkinObjectKind::kSlider, "Slider", 4, 2},
      {SkinObjectKind::kDriveList, "DriveList", 1, 12},
      {SkinObjectKind::kText, "Text", 5, 2},
      {SkinObjectKind::kShortcut, "Shortcut", 6, 4},
      {SkinObjectKind::kMenuElement, "MenuElement", -1, 1},
      {SkinObjectKind::kAnimation, "Animation", 7, SkinObjectKind::kVariableImageCount},
      {SkinObjectKind::kCustomSlider, "CustomSlider", 4, 2},
      {SkinObjectKind::kVUMeter, "VUMeter", 8, 2},
      {SkinObjectKind::kAlphaBackground, "AlphaBackground", -1, 1},
  };
  for (uint32_t kind = 0; kind < SkinObjectKind::kCount; ++kind) {
    const Row& row = rows[kind];
    ASSERT_EQ(row.kind, kind);
    EXPECT_STREQ(SkinObjectKind::Name(kind), row.name);
    EXPECT_EQ(SkinObjectKind::TreeImage(kind), row.treeImage) << row.name;
    EXPECT_EQ(SkinObjectKind::FixedImageCount(kind), row.imageCount) << row.name;
  }
  EXPECT_STREQ(SkinObjectKind::Name(11), "");
  EXPECT_EQ(SkinObjectKind::TreeImage(11), SkinObjectKind::kUnknownKindTreeImage);
  EXPECT_EQ(SkinObjectKind::TreeImage(0xFFFFFFFFu), SkinObjectKind::kUnknownKindTreeImage);
  EXPECT_STREQ(SkinObjectKind::DefaultName(SkinObjectKind::kAnimation), "Animation");
  EXPECT_STREQ(SkinObjectKind::DefaultName(SkinObjectKind::kVUMeter), "VUMeter");
  EXPECT_STREQ(SkinObjectKind::DefaultName(SkinObjectKind::kShortcut), "");
}

TEST(SkinObjectKindTest, MenuElementsComeInTheirOrderWithTheirImageCounts) {
  const char* names[] = {"CheckBox",     "Arrow",          "Separator",       "LeftTopEdge",
                         "RightTopEdge", "LeftBottomEdge", "RightBottomEdge", "TopSide",
                         "BottomSide",   "LeftSide",       "RightSide",       "Fill"};
  ASSERT_EQ(SkinObjectKind::kMenuElementCount, 12);
  for (int i = 0; i < SkinObjectKind::kMenuElementCount; ++i) {
    EXPECT_STREQ(SkinObjectKind::MenuElementName(i), names[i]);
    EXPECT_EQ(SkinObjectKind::MenuElementIndex(names[i]), i);
    EXPECT_EQ(SkinObjectKind::MenuElementImageCount(names[i]), i < 2 ? 2 : 1) << names[i];
  }
  EXPECT_EQ(SkinObjectKind::MenuElementName(12), nullptr);
  EXPECT_EQ(SkinObjectKind::MenuElementName(-1), nullptr);
  EXPECT_EQ(SkinObjectKind::MenuElementIndex("checkbox"), -1);
}

TEST(SkinObjectTest, NewObjectStartsVisibleWithoutImagesAndWithAZeroBlock) {
  SkinObject object(SkinObjectKind::kSlider, "volume");
  EXPECT_EQ(object.kind, SkinObjectKind::kSlider);
  EXPECT_EQ(object.name, "volume");
  EXPECT_EQ(object.visible, 1u);
  EXPECT_EQ(object.orientation, SkinObject::kHorizontal);
  EXPECT_TRUE(object.images.empty());
  EXPECT_TRUE(object.shortcutTarget.empty());
  EXPECT_TRUE(object.windowShape.IsEmpty());
  EXPECT_TRUE(object.mousePolygon.empty());
  EXPECT_EQ(object.block, ObjectBlock());
  for (BYTE b : object.block.Bytes()) ASSERT_EQ(b, 0);
}

TEST(SkinObjectTest, AddImageAppendsACopyOrAnEmptyImage) {
  SkinObject object(SkinObjectKind::kAnimation, "Animation");
  auto frame = MakeImage(3, 2, 40);
  ASSERT_TRUE(frame);
  DibImage empty;

  EXPECT_EQ(object.AddImage(frame.get()), 0);
  EXPECT_EQ(object.AddImage(&empty), 1);
  EXPECT_EQ(object.AddImage(nullptr), 2);
  ASSERT_EQ(object.images.size(), 3u);

  ASSERT_NE(object.images[0].get(), frame.get());
  EXPECT_TRUE(SamePicture(*object.images[0], *frame));
  for (size_t i : {size_t{1}, size_t{2}}) {
    ASSERT_NE(object.images[i], nullptr);
    EXPECT_FALSE(object.images[i]->IsValid());
    EXPECT_FALSE(object.HasImage(i));
  }
  EXPECT_TRUE(object.HasImage(0));
  EXPECT_EQ(object.Image(3), nullptr);

  // The copy is independent of the image it came from.
  frame->SetPixelColor(0, 0, RGBQUAD{9, 9, 9, 0});
  EXPECT_FALSE(SamePicture(*object.images[0], *frame));
}

// A Button with Up, Down and Disable set and Focus left empty, and every
// other field set away from its creation value.
std::unique_ptr<SkinObject> MakeButton() {
  auto button = std::make_unique<SkinObject>(SkinObjectKind::kButton, "play");
  auto up = MakeImage(4, 3, 10);
  auto down = MakeImage(4, 3, 20);
  auto disable = MakeImage(5, 2, 30);
  DibImage focus;
  if (!up || !down || !disable) return nullptr;
  button->AddImage(up.get());
  button->AddImage(down.get());
  button->AddImage(&focus);
  button->AddImage(disable.get());
  button->shortcutTarget = "notes.txt";
  button->visible = 0;
  button->windowShape.points = Points({{0, 0}, {4, 0}, {4, 3}});
  button->windowShape.region = RegionData::FromRect(Rect(0, 0, 4, 3));
  button->mousePolygon = Points({{1, 1}, {3, 1}, {2, 2}});
  button->orientation = SkinObject::kVertical;
  button->block.SetPosition(Rect(5, 6, 0, 0));
  button->block.SetCheckBox(true);
  button->block.Bytes()[255] = 0x77;  // unnamed bytes travel too
  return button;
}

TEST(SkinObjectTest, CopyFromIsDeepAndKeepsEmptyImagePositions) {
  auto source = MakeButton();
  ASSERT_TRUE(source);

  SkinObject copy(SkinObjectKind::kListBox, "old");
  auto stale = MakeImage(2, 2, 99);
  copy.AddImage(stale.get());
  copy.AddImage(stale.get());
  copy.AddImage(stale.get());
  copy.AddImage(stale.get());
  copy.AddImage(stale.get());

  ASSERT_TRUE(copy.CopyFrom(*source));
  EXPECT_EQ(copy.kind, SkinObjectKind::kButton);
  EXPECT_EQ(copy.name, "play");
  EXPECT_EQ(copy.shortcutTarget, "notes.txt");
  EXPECT_EQ(copy.visible, 0u);
  EXPECT_TRUE(copy.windowShape == source->windowShape);
  EXPECT_TRUE(SamePoints(copy.mousePolygon, source->mousePolygon));
  EXPECT_EQ(copy.orientation, SkinObject::kVertical);
  EXPECT_EQ(copy.block, source->block);

  ASSERT_EQ(copy.images.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(copy.images[i], nullptr);
    EXPECT_NE(copy.images[i].get(), source->images[i].get());
    if (i == SkinObjectKind::kButtonFocus) {
      EXPECT_FALSE(copy.images[i]->IsValid());
    } else {
      EXPECT_TRUE(SamePicture(*copy.images[i], *source->images[i]));
    }
  }

  // Changing the copy leaves the source alone.
  auto sourceUp = MakeImage(4, 3, 10);
  copy.images[0]->SetPixelColor(1, 1, RGBQUAD{1, 2, 3, 0});
  copy.windowShape.region = RegionData::FromRect(Rect(0, 0, 1, 1));
  copy.windowShape.points[0].x = 42;
  copy.mousePolygon.clear();
  copy.block.SetCheckBox(false);
  EXPECT_TRUE(SamePicture(*source->images[0], *sourceUp));
  EXPECT_TRUE(*source->windowShape.region == RegionData::FromRect(Rect(0, 0, 4, 3)));
  EXPECT_EQ(source->windowShape.points[0].x, 0);
  EXPECT_EQ(source->mousePolygon.size(), 3u);
  EXPECT_TRUE(source->block.CheckBox());

  // A source without a region gives a copy without one.
  source->windowShape.region.reset();
  ASSERT_TRUE(copy.CopyFrom(*source));
  EXPECT_FALSE(copy.windowShape.HasRegion());
}

// A container with every field set: two objects (one of them a Button with
// an empty Focus image), a background, a shape, an offset and a block.
std::unique_ptr<SkinContainer> MakeContainer() {
  auto container = std::make_unique<SkinContainer>("MainWindow");
  auto button = MakeButton();
  auto background = MakeImage(8, 6, 50);
  if (!button || !background) return nullptr;
  container->AppendObject(std::move(button));
  SkinObject* text = container->AddObject(SkinObjectKind::kText, "hello");
  if (text == nullptr) return nullptr;
  text->block.SetTextColor(RGB(1, 2, 3));
  container->alphablendOffset.x = -5000;
  container->alphablendOffset.y = 5000;
  if (!container->background.Copy(*background)) return nullptr;
  container->windowShape.points = Points({{0, 0}, {8, 0}, {8, 6}, {0, 6}});
  container->windowShape.region = RegionData::FromRect(Rect(1, 1, 7, 5));
  container->block.SetMovieAreaOn(true);
  container->block.SetMovieArea(Rect(10, 10, 60, 60));
  return container;
}

TEST(SkinContainerTest, CopyFromIsDeepAndReplacesWhatWasThere) {
  auto source = MakeContainer();
  ASSERT_TRUE(source);

  SkinContainer copy("Other");
  copy.AddObject(SkinObjectKind::kSlider, "stale");
  ASSERT_TRUE(copy.CopyFrom(*source));

  EXPECT_EQ(copy.name, "MainWindow");
  EXPECT_EQ(copy.alphablendOffset.x, -5000);
  EXPECT_EQ(copy.alphablendOffset.y, 5000);
  EXPECT_TRUE(SamePicture(copy.background, source->background));
  EXPECT_NE(copy.background.Pixels(), source->background.Pixels());
  EXPECT_TRUE(copy.windowShape == source->windowShape);
  EXPECT_EQ(copy.block, source->block);
  ASSERT_EQ(copy.objects.size(), 2u);
  EXPECT_NE(copy.objects[0].get(), source->objects[0].get());
  EXPECT_EQ(copy.objects[0]->name, "play");
  ASSERT_EQ(copy.objects[0]->images.size(), 4u) << "the empty Focus image keeps its place";
  EXPECT_FALSE(copy.objects[0]->images[SkinObjectKind::kButtonFocus]->IsValid());
  EXPECT_TRUE(copy.objects[0]->images[SkinObjectKind::kButtonDisable]->IsValid());
  EXPECT_EQ(copy.objects[1]->kind, SkinObjectKind::kText);
  EXPECT_EQ(copy.objects[1]->name, "hello");

  // Changing the copy leaves the source alone.
  auto sourceBackground = MakeImage(8, 6, 50);
  copy.background.SetPixelColor(0, 0, RGBQUAD{7, 7, 7, 0});
  copy.objects[0]->images[0]->SetPixelColor(0, 0, RGBQUAD{7, 7, 7, 0});
  copy.objects[1]->block.SetTextColor(RGB(9, 9, 9));
  copy.windowShape.region = RegionData();
  copy.block.SetMovieAreaOn(false);
  copy.DeleteObject(0);
  EXPECT_TRUE(SamePicture(source->background, *sourceBackground));
  ASSERT_EQ(source->objects.size(), 2u);
  EXPECT_TRUE(SamePicture(*source->objects[0]->images[0], *MakeImage(4, 3, 10)));
  EXPECT_EQ(source->objects[1]->block.TextColor(), RGB(1, 2, 3));
  EXPECT_TRUE(*source->windowShape.region == RegionData::FromRect(Rect(1, 1, 7, 5)));
  EXPECT_TRUE(source->block.MovieAreaOn());

  // An empty background and a missing region are copied as such.
  source->background.Destroy();
  source->windowShape.region.reset();
  auto fresh = MakeContainer();
  ASSERT_TRUE(fresh);
  ASSERT_TRUE(fresh->CopyFrom(*source));
  EXPECT_FALSE(fresh->background.IsValid());
  EXPECT_FALSE(fresh->windowShape.HasRegion());
}

TEST(SkinContainerTest, ResetDropsContentButKeepsNameBlockAndOffset) {
  auto container = MakeContainer();
  ASSERT_TRUE(container);
  const ContainerBlock block = container->block;

  container->Reset();
  EXPECT_TRUE(container->objects.empty());
  EXPECT_FALSE(container->background.IsValid());
  EXPECT_TRUE(container->windowShape.points.empty());
  EXPECT_FALSE(container->windowShape.HasRegion());
  EXPECT_EQ(container->name, "MainWindow");
  EXPECT_EQ(container->block, block);
  EXPECT_EQ(container->alphablendOffset.x, -5000);
}

TEST(SkinContainerTest, SetAlphaBackgroundWithAnEmptyImageRemovesOnlyTheAlphaObject) {
  for (bool absent : {false, true}) {
    SCOPED_TRACE(absent ? "absent image" : "empty image");
    DibImage empty;
    const DibImage* image = absent ? nullptr : &empty;

    // With a kind-10 object between others: it goes, the others stay in order.
    SkinContainer container("MainWindow");
    SkinObject* first = container.AddObject(SkinObjectKind::kButton, "a");
    container.AddObject(SkinObjectKind::kAlphaBackground);
    SkinObject* last = container.AddObject(SkinObjectKind::kText, "b");
    auto picture = MakeImage(2, 2, 1);
    container.objects[1]->AddImage(picture.get());
    EXPECT_TRUE(container.SetAlphaBackground(image));
    ASSERT_EQ(container.objects.size(), 2u);
    EXPECT_EQ(container.objects[0].get(), first);
    EXPECT_EQ(container.objects[1].get(), last);

    // Without one: nothing changes, and no object is created.
    EXPECT_TRUE(container.SetAlphaBackground(image));
    ASSERT_EQ(container.objects.size(), 2u);
    EXPECT_EQ(container.objects[0].get(), first);
    EXPECT_EQ(container.objects[1].get(), last);
  }
}

TEST(SkinContainerTest, SetAlphaBackgroundWithAnImageKeepsExactlyOneObjectWithOneCopy) {
  SkinContainer container("MainWindow");
  container.AddObject(SkinObjectKind::kButton, "a");
  auto first = MakeImage(6, 4, 60);
  auto second = MakeImage(3, 5, 70);

  ASSERT_TRUE(container.SetAlphaBackground(first.get()));
  ASSERT_EQ(container.objects.size(), 2u);
  SkinObject* holder = container.objects[1].get();
  EXPECT_EQ(holder->kind, SkinObjectKind::kAlphaBackground);
  EXPECT_EQ(holder->name, "");
  ASSERT_EQ(holder->images.size(), 1u);
  EXPECT_NE(holder->images[0].get(), first.get());
  EXPECT_TRUE(SamePicture(*holder->images[0], *first));

  // A second image replaces the picture in the same object.
  container.AddObject(SkinObjectKind::kText, "after");
  ASSERT_TRUE(container.SetAlphaBackground(second.get()));
  ASSERT_EQ(container.objects.size(), 3u);
  EXPECT_EQ(container.objects[1].get(), holder);
  ASSERT_EQ(holder->images.size(), 1u);
  EXPECT_TRUE(SamePicture(*holder->images[0], *second));
  size_t alphaObjects = 0;
  for (const auto& object : container.objects) {
    if (object->kind == SkinObjectKind::kAlphaBackground) ++alphaObjects;
  }
  EXPECT_EQ(alphaObjects, 1u);

  // Handing the object its own picture keeps it intact.
  ASSERT_TRUE(container.SetAlphaBackground(holder->images[0].get()));
  ASSERT_EQ(holder->images.size(), 1u);
  EXPECT_TRUE(SamePicture(*holder->images[0], *second));
}

TEST(SkinContainerTest, ObjectListHelpersKeepOrderAndOwnership) {
  SkinContainer container("MainWindow");
  SkinObject* a = container.AddObject(SkinObjectKind::kButton, "a");
  SkinObject* b = container.AddObject(SkinObjectKind::kVUMeter, "b");
  SkinObject* c = container.AddObject(SkinObjectKind::kVUMeter, "c");

  size_t index = 99;
  EXPECT_EQ(container.FindFirstOfKind(SkinObjectKind::kVUMeter, &index), b);
  EXPECT_EQ(index, 1u);
  EXPECT_EQ(container.FindFirstOfKind(SkinObjectKind::kSlider), nullptr);
  EXPECT_EQ(container.IndexOfObject(c), 2);
  EXPECT_EQ(container.IndexOfObject(nullptr), -1);

  std::unique_ptr<SkinObject> taken = container.RemoveObject(1);
  EXPECT_EQ(taken.get(), b);
  ASSERT_EQ(container.objects.size(), 2u);
  EXPECT_EQ(container.objects[0].get(), a);
  EXPECT_EQ(container.objects[1].get(), c);
  EXPECT_EQ(container.RemoveObject(2), nullptr);
  EXPECT_FALSE(container.DeleteObject(2));
  EXPECT_TRUE(container.DeleteObject(0));
  ASSERT_EQ(container.objects.size(), 1u);
  EXPECT_EQ(container.objects[0].get(), c);
  EXPECT_EQ(container.AppendObject(nullptr), nullptr);
  EXPECT_EQ(container.AppendObject(std::move(taken)), b);
  EXPECT_EQ(container.IndexOfObject(b), 1);
}

TEST(SkinTest, ContainersAreFoundByNameWithoutRegardToCase) {
  Skin skin;
  skin.filePath = "skins/blue";
  SkinContainer* main = skin.AddContainer("MainWindow");
  SkinContainer* menu = skin.AddContainer("QMenu");
  skin.AddContainer("qmenu");

  size_t index = 99;
  EXPECT_EQ(skin.FindContainer("mainwindow"), main);
  EXPECT_EQ(skin.FindContainer("QMENU", &index), menu) << "the first of equal names";
  EXPECT_EQ(index, 1u);
  EXPECT_EQ(skin.FindContainer("Main"), nullptr);
  EXPECT_EQ(skin.FindContainer("MainWindowX"), nullptr);
  EXPECT_EQ(skin.FindContainer(""), nullptr);
  EXPECT_TRUE(SkinContainer::SameName("Main_Window1", "mAIN_wINDOW1"));
  EXPECT_FALSE(SkinContainer::SameName("Main@", "Main`"));

  std::unique_ptr<SkinContainer> taken = skin.RemoveContainer(1);
  EXPECT_EQ(taken.get(), menu);
  EXPECT_EQ(skin.IndexOfContainer(main), 0);
  EXPECT_EQ(skin.IndexOfContainer(menu), -1);
  EXPECT_EQ(skin.RemoveContainer(5), nullptr);
  EXPECT_EQ(skin.AppendContainer(std::move(taken)), menu);
  EXPECT_EQ(skin.IndexOfContainer(menu), 2);
  EXPECT_TRUE(skin.DeleteContainer(0));
  EXPECT_EQ(skin.FindContainer("MainWindow"), nullptr);

  skin.Clear();
  EXPECT_TRUE(skin.containers.empty());
  EXPECT_EQ(skin.filePath, "skins/blue");
}

}  // namespace
