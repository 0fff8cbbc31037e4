#include "imaging/png_codec.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/image_stream.h"
#include "tests/support/read_only_file.h"
#include "tests/support/stream_file.h"
#include "tests/support/test_images.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Picture = std::vector<std::vector<RGBQUAD>>;  // top row first

// --- Datastreams made with libpng's own writer ---------------------------------

struct PngRecipe {
  int width = 0;
  int height = 0;
  int bitDepth = 8;
  int colorType = PNG_COLOR_TYPE_RGB;
  bool interlaced = false;
  std::vector<png_color> palette;
  Bytes paletteOpacity;  // tRNS of a palette picture
  bool hasBackground = false;
  png_color_16 background{};
  std::vector<Bytes> rows;       // top row first, packed as the file stores them
  bool textAfterPixels = false;  // a tEXt chunk between the last IDAT and IEND
};

void CollectBytes(png_structp png, png_bytep data, png_size_t length) {
  Bytes* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// The writer's state lives in the caller's frame (nothing here changes
// after setjmp).
struct Writer {
  const PngRecipe* recipe;
  Bytes* out;
  png_structp png;
  png_infop info;
};

void WriteRecipe(Writer& w) {
  const PngRecipe& recipe = *w.recipe;
  png_set_IHDR(w.png, w.info, recipe.width, recipe.height, recipe.bitDepth, recipe.colorType,
               recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!recipe.palette.empty())
    png_set_PLTE(w.png, w.info, recipe.palette.data(), static_cast<int>(recipe.palette.size()));
  if (!recipe.paletteOpacity.empty())
    png_set_tRNS(w.png, w.info, recipe.paletteOpacity.data(),
                 static_cast<int>(recipe.paletteOpacity.size()), nullptr);
  if (recipe.hasBackground) png_set_bKGD(w.png, w.info, &recipe.background);
  png_write_info(w.png, w.info);
  const int passes = recipe.interlaced ? png_set_interlace_handling(w.png) : 1;
  for (int pass = 0; pass < passes; ++pass) {
    for (const Bytes& row : recipe.rows) png_write_row(w.png, row.data());
  }
  if (recipe.textAfterPixels) {
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = const_cast<char*>("Comment");
    text.text = const_cast<char*>("after the pixels");
    png_set_text(w.png, w.info, &text, 1);
  }
  png_write_end(w.png, w.info);
}

bool WriteGuarded(Writer* w) {
  if (setjmp(png_jmpbuf(w->png)) != 0) return false;
  WriteRecipe(*w);
  return true;
}

Bytes BuildPng(const PngRecipe& recipe) {
  Bytes out;
  Writer w{&recipe, &out, png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr),
           nullptr};
  if (w.png == nullptr) return {};
  w.info = png_create_info_struct(w.png);
  png_set_write_fn(w.png, &out, CollectBytes, NoFlush);
  const bool written = w.info != nullptr && WriteGuarded(&w);
  png_destroy_write_struct(&w.png, &w.info);
  if (!written) out.clear();
  return out;
}

// --- Reading datastreams back with libpng, for what the writer put in ----------

struct PngFacts {
  int bitDepth = 0;
  int colorType = -1;
  int opacityEntries = 0;   // tRNS entries of a palette picture
  std::vector<Bytes> rows;  // as stored, top row first
};

void SupplyBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* source = static_cast<std::pair<const Bytes*, size_t>*>(png_get_io_ptr(png));
  if (source->second + length > source->first->size()) png_error(png, "short");
  std::copy(source->first->begin() + source->second,
            source->first->begin() + source->second + length, data);
  source->second += length;
}

struct Reader {
  png_structp png;
  png_infop info;
  PngFacts* facts;
};

void ReadFacts(Reader& r) {
  png_read_info(r.png, r.info);
  r.facts->bitDepth = png_get_bit_depth(r.png, r.info);
  r.facts->colorType = png_get_color_type(r.png, r.info);
  png_bytep opacity = nullptr;
  png_color_16p color = nullptr;
  if (png_get_tRNS(r.png, r.info, &opacity, &r.facts->opacityEntries, &color) == 0)
    r.facts->opacityEntries = 0;
  const png_uint_32 height = png_get_image_height(r.png, r.info);
  const size_t rowBytes = png_get_rowbytes(r.png, r.info);
  for (png_uint_32 y = 0; y < height; ++y) {
    r.facts->rows.emplace_back(rowBytes);
    png_read_row(r.png, r.facts->rows.back().data(), nullptr);
  }
}

bool ReadGuarded(Reader* r) {
  if (setjmp(png_jmpbuf(r->png)) != 0) return false;
  ReadFacts(*r);
  return true;
}

PngFacts Inspect(const Bytes& bytes) {
  PngFacts facts;
  std::pair<const Bytes*, size_t> source{&bytes, 0};
  Reader r{png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr), nullptr,
           &facts};
  r.info = png_create_info_struct(r.png);
  png_set_read_fn(r.png, &source, SupplyBytes);
  EXPECT_TRUE(ReadGuarded(&r));
  png_destroy_read_struct(&r.png, &r.info, nullptr);
  return facts;
}

// --- Helpers ----------------------------------------------------------------------

struct Decoded {
  bool ok;
  std::string error;
  long position;  // of the stream after the read
};

Decoded DecodeBytes(const Bytes& bytes, DibImage& image) {
  StreamFile file;
  EXPECT_TRUE(file.Assign(bytes));
  ImageStream stream(file.Get());
  const bool ok = image.Decode(stream, DibImage::kFormatPng);
  return Decoded{ok, image.LastError(), stream.Tell()};
}

Bytes EncodePng(DibImage& image) {
  StreamFile file;
  ImageStream stream(file.Get());
  EXPECT_TRUE(image.Encode(stream, DibImage::kFormatPng)) << image.LastError();
  return file.Contents();
}

Picture Colors(const DibImage& image) {
  Picture rows;
  for (int y = image.Height() - 1; y >= 0; --y) {
    rows.emplace_back();
    for (int x = 0; x < image.Width(); ++x) rows.back().push_back(image.GetPixelColor(x, y));
  }
  return rows;
}

std::vector<Bytes> AlphaRows(const DibImage& image) {
  std::vector<Bytes> rows;
  for (int y = image.Height() - 1; y >= 0; --y) {
    rows.emplace_back();
    for (int x = 0; x < image.Width(); ++x) rows.back().push_back(image.AlphaGet(x, y));
  }
  return rows;
}

// An 8-bit palette picture: pixel (x, y) has index (x + 2 y) % 4, and entry
// i is red 50 i, green 100, blue 200 - i.
PngRecipe PalettePicture(int width, int height) {
  PngRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  recipe.colorType = PNG_COLOR_TYPE_PALETTE;
  for (int i = 0; i < 4; ++i)
    recipe.palette.push_back(
        png_color{static_cast<png_byte>(50 * i), 100, static_cast<png_byte>(200 - i)});
  for (int y = 0; y < height; ++y) {
    recipe.rows.emplace_back();
    for (int x = 0; x < width; ++x)
      recipe.rows.back().push_back(static_cast<uint8_t>((x + 2 * y) % 4));
  }
  return recipe;
}

// RGBA, 8 bits: a distinct colour and opacity per pixel.
PngRecipe RgbaPicture(int width, int height) {
  PngRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  recipe.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  for (int y = 0; y < height; ++y) {
    recipe.rows.emplace_back();
    for (int x = 0; x < width; ++x) {
      const RGBQUAD color = PatternColor(x, y);
      recipe.rows.back().insert(
          recipe.rows.back().end(),
          {color.rgbRed, color.rgbGreen, color.rgbBlue, static_cast<uint8_t>(x * 30 + y)});
    }
  }
  return recipe;
}

// --- Transparency -------------------------------------------------------------

TEST(PngRead, PaletteOpacity) {
  struct Case {
    const char* name;
    Bytes opacity;
    int transparentIndex;
    bool alphaPalette;
    Bytes entryOpacity;  // fourth byte of entries 0..3
  };
  const Case cases[] = {
      {"none", {}, -1, false, {0, 0, 0, 0}},
      {"one entry hiding index 0", {0}, 0, false, {0, 0, 0, 0}},
      {"one entry half opaque", {128}, -1, true, {128, 255, 255, 255}},
      {"two entries", {0, 128}, -1, true, {0, 128, 255, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PngRecipe recipe = PalettePicture(3, 2);
    recipe.paletteOpacity = c.opacity;
    DibImage image;
    ASSERT_TRUE(DecodeBytes(BuildPng(recipe), image).ok) << image.LastError();
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.Format(), DibImage::kFormatPng);
    EXPECT_EQ(image.TransparentIndex(), c.transparentIndex);
    EXPECT_EQ(image.AlphaPalette(), c.alphaPalette);
    EXPECT_FALSE(image.HasAlpha());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(image.Palette()[i].rgbReserved, c.entryOpacity[i]) << i;
    // The entries themselves are the file's, not composited.
    EXPECT_EQ(image.GetPaletteColor(0), Rgb(0, 100, 200, c.entryOpacity[0]));
    EXPECT_EQ(image.GetPixelIndex(1, 1), 1);  // top row, x = 1
    EXPECT_EQ(image.GetPixelIndex(0, 0), 2);  // bottom row
  }
}

TEST(PngRead, GreyWithAlphaIsCompositedOntoItsBackground) {
  struct Case {
    const char* name;
    bool hasBackground;
    png_uint_16 background;
    BYTE expectedBackground;
  };
  const Case cases[] = {{"default grey", false, 0, 192}, {"background chunk", true, 40, 40}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PngRecipe recipe;
    recipe.width = 3;
    recipe.height = 1;
    recipe.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    recipe.rows = {{10, 0, 90, 255, 200, 128}};  // grey, opacity pairs
    recipe.hasBackground = c.hasBackground;
    recipe.background.gray = c.background;
    DibImage image;
    ASSERT_TRUE(DecodeBytes(BuildPng(recipe), image).ok) << image.LastError();
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_FALSE(image.HasAlpha());
    const BYTE b = c.expectedBackground;
    EXPECT_EQ(image.GetPixelColor(0, 0), Rgb(b, b, b));     // transparent
    EXPECT_EQ(image.GetPixelColor(1, 0), Rgb(90, 90, 90));  // opaque
    const int mixed = (200 * 128 + b * 127 + 127) / 255;    // half way
    EXPECT_NEAR(image.GetPixelColor(2, 0).rgbRed, mixed, 1);
  }
}

TEST(PngRead, RgbaGivesTwentyFourBitsAndAnAlphaPlane) {
  const PngRecipe recipe = RgbaPicture(5, 4);
  DibImage image;
  ASSERT_TRUE(DecodeBytes(BuildPng(recipe), image).ok) << image.LastError();
  EXPECT_EQ(image.BitCount(), 24);
  ASSERT_TRUE(image.HasAlpha());
  EXPECT_EQ(image.GetPixelColor(0, 3), PatternColor(0, 0));  // top-left
  EXPECT_EQ(image.GetPixelColor(4, 0), PatternColor(4, 3));  // bottom-right
  EXPECT_EQ(image.AlphaGet(0, 3), 0);
  EXPECT_EQ(image.AlphaGet(4, 0), 4 * 30 + 3);
  EXPECT_EQ(image.TransparentIndex(), -1);
}

TEST(PngRead, RgbaBackgroundChunkBecomesTheBackgroundColour) {
  PngRecipe recipe = RgbaPicture(2, 2);
  recipe.hasBackground = true;
  recipe.background.red = 10;
  recipe.background.green = 20;
  recipe.background.blue = 30;
  DibImage image;
  ASSERT_TRUE(DecodeBytes(BuildPng(recipe), image).ok);
  EXPECT_EQ(image.BackgroundColor(), Rgb(10, 20, 30));
  EXPECT_EQ(image.GetPixelColor(1, 1), PatternColor(1, 0));  // not composited
}

TEST(PngRead, InterlacedEqualsNonInterlaced) {
  PngRecipe grey;
  grey.width = 11;
  grey.height = 9;
  grey.colorType = PNG_COLOR_TYPE_GRAY;
  grey.bitDepth = 2;
  for (int y = 0; y < grey.height; ++y) {
    grey.rows.emplace_back((grey.width * 2 + 7) / 8);
    for (int x = 0; x < grey.width; ++x)
      grey.rows.back()[x / 4] |= static_cast<uint8_t>(((x * 7 + y) % 4) << (6 - 2 * (x % 4)));
  }
  const PngRecipe pictures[] = {RgbaPicture(11, 9), PalettePicture(11, 9), grey};
  for (const PngRecipe& plain : pictures) {
    SCOPED_TRACE(plain.colorType);
    PngRecipe interlaced = plain;
    interlaced.interlaced = true;
    DibImage a;
    DibImage b;
    ASSERT_TRUE(DecodeBytes(BuildPng(plain), a).ok);
    ASSERT_TRUE(DecodeBytes(BuildPng(interlaced), b).ok) << b.LastError();
    EXPECT_EQ(Colors(b), Colors(a));
    EXPECT_EQ(AlphaRows(b), AlphaRows(a));
    EXPECT_NE(Colors(a)[0][0], Colors(a)[0][1]);
  }
}

TEST(PngRead, TwoBitBecomesFourBit) {
  PngRecipe recipe;
  recipe.width = 5;
  recipe.height = 1;
  recipe.colorType = PNG_COLOR_TYPE_GRAY;
  recipe.bitDepth = 2;
  recipe.rows = {{0x1B, 0x80}};  // 0 1 2 3 | 2
  DibImage image;
  ASSERT_TRUE(DecodeBytes(BuildPng(recipe), image).ok) << image.LastError();
  EXPECT_EQ(image.BitCount(), 4);
  EXPECT_EQ(image.ColorsUsed(), 16u);
  const BYTE levels[] = {0x00, 0x55, 0xAA, 0xFF};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(image.GetPaletteColor(i), Rgb(levels[i], levels[i], levels[i]));
  const int expected[] = {0, 1, 2, 3, 2};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(image.GetPixelIndex(x, 0), expected[x]) << x;

  // A 2-bit palette picture keeps its own palette.
  recipe.colorType = PNG_COLOR_TYPE_PALETTE;
  recipe.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  ASSERT_TRUE(DecodeBytes(BuildPng(recipe), image).ok) << image.LastError();
  EXPECT_EQ(image.GetPaletteColor(3), Rgb(10, 11, 12));
  EXPECT_EQ(image.GetPixelColor(3, 0), Rgb(10, 11, 12));
  EXPECT_EQ(image.GetPixelIndex(4, 0), 2);
}

TEST(PngRead, SixteenBitSamplesAreStripped) {
  PngRecipe rgb;
  rgb.width = 1;
  rgb.height = 1;
  rgb.bitDepth = 16;
  rgb.rows = {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}};
  DibImage image;
  ASSERT_TRUE(DecodeBytes(BuildPng(rgb), image).ok) << image.LastError();
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_EQ(image.GetPixelColor(0, 0), Rgb(0x12, 0x56, 0x9A));

  PngRecipe grey = rgb;
  grey.colorType = PNG_COLOR_TYPE_GRAY;
  grey.rows = {{0xAB, 0xCD}};
  ASSERT_TRUE(DecodeBytes(BuildPng(grey), image).ok) << image.LastError();
  EXPECT_EQ(image.BitCount(), 8);
  EXPECT_EQ(image.GetPixelColor(0, 0), Rgb(0xAB, 0xAB, 0xAB));
}

// The skin file keeps its next field right after an embedded PNG.
TEST(PngRead, ConsumesExactlyThroughTheEndChunk) {
  PngRecipe recipe = RgbaPicture(3, 3);
  recipe.interlaced = true;
  recipe.textAfterPixels = true;
  Bytes bytes = BuildPng(recipe);
  ASSERT_NE(std::search(bytes.begin(), bytes.end(), std::begin("tEXt"), std::end("tEXt") - 1),
            bytes.end());
  const long pngSize = static_cast<long>(bytes.size());
  bytes.insert(bytes.end(), {'N', 'E', 'X', 'T'});
  StreamFile file;
  ASSERT_TRUE(file.Assign(bytes));
  ImageStream stream(file.Get());
  DibImage image;
  ASSERT_TRUE(image.Decode(stream, DibImage::kFormatPng));
  EXPECT_EQ(stream.Tell(), pngSize);
  char next[4];
  ASSERT_EQ(stream.Read(next, 1, 4), 4u);
  EXPECT_EQ(std::string(next, 4), "NEXT");
}

TEST(PngRead, FailureTexts) {
  const Bytes good = BuildPng(PalettePicture(4, 4));
  Bytes truncated(good.begin(), good.end() - 20);
  Bytes badCrc = good;
  badCrc[29] ^= 0xFF;  // inside the IHDR's CRC
  struct Case {
    const char* name;
    Bytes bytes;
    const char* error;
  };
  const Case cases[] = {
      {"empty", {}, "Read Error"},
      {"not a PNG", Bytes(64, 'x'), "Not a PNG file"},
      {"cut short", truncated, "Read Error"},
      {"bad header CRC", badCrc, "IHDR: CRC error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DibImage image;
    ASSERT_TRUE(MakeIndexPatternImage(image, 2, 2, 4));
    image.SetTransparentIndex(1);
    const Bytes before(image.Block(), image.Block() + image.BlockSize());
    const Decoded decoded = DecodeBytes(c.bytes, image);
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.error, c.error);
    // A failed read leaves the picture as it was.
    EXPECT_EQ(Bytes(image.Block(), image.Block() + image.BlockSize()), before);
    EXPECT_EQ(image.TransparentIndex(), 1);
  }
}

// --- Writing ------------------------------------------------------------------------

TEST(PngWrite, TransparentIndexIsSwappedToZero) {
  DibImage image;
  ASSERT_TRUE(MakeIndexPatternImage(image, 6, 2, 8));  // indexes (x + 3 y) % 256
  image.SetPaletteColor(5, 1, 2, 3);
  image.SetTransparentIndex(5);
  const RGBQUAD entry0 = image.GetPaletteColor(0);
  const Bytes bytes = EncodePng(image);

  // The caller's picture changed with it: entries and pixels swapped.
  EXPECT_EQ(image.TransparentIndex(), 0);
  EXPECT_EQ(image.GetPaletteColor(0), Rgb(1, 2, 3));
  EXPECT_EQ(image.GetPaletteColor(5), entry0);
  EXPECT_EQ(image.GetPixelIndex(5, 0), 0);
  EXPECT_EQ(image.GetPixelIndex(0, 0), 5);
  EXPECT_EQ(image.GetPixelIndex(2, 1), 0);  // 2 + 3
  EXPECT_EQ(image.GetPixelIndex(1, 0), 1);

  const PngFacts facts = Inspect(bytes);
  EXPECT_EQ(facts.colorType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(facts.bitDepth, 8);
  EXPECT_EQ(facts.opacityEntries, 1);

  DibImage again;
  ASSERT_TRUE(DecodeBytes(bytes, again).ok);
  EXPECT_EQ(again.TransparentIndex(), 0);
  EXPECT_FALSE(again.AlphaPalette());
  EXPECT_EQ(Colors(again), Colors(image));
}

TEST(PngWrite, IndexedTransparencyAndDepths) {
  struct Case {
    const char* name;
    int bits;
    int transparentIndex;
    bool alphaPalette;
    int opacityEntries;
  };
  const Case cases[] = {
      {"index 0 needs no swap", 4, 0, false, 1},
      {"no transparency", 1, -1, false, 0},
      {"alpha palette", 4, -1, true, 16},
      {"alpha palette wins over the index", 8, 0, true, 256},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DibImage image;
    ASSERT_TRUE(MakeIndexPatternImage(image, 5, 3, c.bits));
    image.SetTransparentIndex(c.transparentIndex);
    image.SetAlphaPalette(c.alphaPalette);
    if (c.alphaPalette) {
      for (DWORD i = 0; i < image.ColorsUsed(); ++i) image.Palette()[i].rgbReserved = BYTE(i * 7);
    }
    const Picture before = Colors(image);
    const Bytes bytes = EncodePng(image);
    EXPECT_EQ(Colors(image), before);
    const PngFacts facts = Inspect(bytes);
    EXPECT_EQ(facts.colorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(facts.bitDepth, c.bits);
    EXPECT_EQ(facts.opacityEntries, c.opacityEntries);
    DibImage again;
    ASSERT_TRUE(DecodeBytes(bytes, again).ok);
    EXPECT_EQ(Colors(again), before);
    EXPECT_EQ(again.AlphaPalette(), c.alphaPalette);
    if (c.alphaPalette) {
      EXPECT_EQ(again.Palette()[3].rgbReserved, 21);
    }
  }
}

TEST(PngWrite, TwentyFourBitIsRgbInRedGreenBlueOrder) {
  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 3, 2));
  image.SetPixelColor(0, 1, Rgb(0x11, 0x22, 0x33));  // top-left
  const Bytes bytes = EncodePng(image);
  const PngFacts facts = Inspect(bytes);
  EXPECT_EQ(facts.colorType, PNG_COLOR_TYPE_RGB);
  EXPECT_EQ(facts.bitDepth, 8);
  EXPECT_EQ(facts.opacityEntries, 0);
  ASSERT_EQ(facts.rows.size(), 2u);
  EXPECT_EQ(Bytes(facts.rows[0].begin(), facts.rows[0].begin() + 3), (Bytes{0x11, 0x22, 0x33}));
  DibImage again;
  ASSERT_TRUE(DecodeBytes(bytes, again).ok);
  EXPECT_FALSE(again.HasAlpha());
  EXPECT_EQ(Colors(again), Colors(image));
}

TEST(PngWrite, AlphaPlaneAndColourKeyGiveRgba) {
  DibImage withAlpha;
  ASSERT_TRUE(DecodeBytes(BuildPng(RgbaPicture(4, 3)), withAlpha).ok);
  const Bytes bytes = EncodePng(withAlpha);
  EXPECT_EQ(Inspect(bytes).colorType, PNG_COLOR_TYPE_RGB_ALPHA);
  DibImage again;
  ASSERT_TRUE(DecodeBytes(bytes, again).ok);
  EXPECT_EQ(Colors(again), Colors(withAlpha));
  EXPECT_EQ(AlphaRows(again), AlphaRows(withAlpha));

  // A 24-bit picture keyed by its background colour.
  DibImage keyed;
  ASSERT_TRUE(MakePatternImage(keyed, 3, 1));
  keyed.SetPixelColor(1, 0, Rgb(9, 8, 7));
  keyed.SetBackgroundColor(Rgb(9, 8, 7));
  keyed.SetTransparentIndex(0);
  ASSERT_TRUE(DecodeBytes(EncodePng(keyed), again).ok);
  EXPECT_EQ(AlphaRows(again), (std::vector<Bytes>{{255, 0, 255}}));
  EXPECT_EQ(Colors(again), Colors(keyed));
  EXPECT_FALSE(keyed.HasAlpha());  // the writer made no plane on the caller's picture
}

TEST(PngWrite, Failures) {
  DibImage empty;
  StreamFile file;
  ImageStream stream(file.Get());
  EXPECT_FALSE(empty.Encode(stream, DibImage::kFormatPng));
  EXPECT_STREQ(empty.LastError(), "Error saving PNG file");

  DibImage image;
  ASSERT_TRUE(MakePatternImage(image, 3, 3));
  ReadOnlyFile readOnly("png_codec_test_readonly.png");
  ASSERT_NE(readOnly.Get(), nullptr);
  ImageStream readOnlyStream(readOnly.Get());
  EXPECT_FALSE(image.Encode(readOnlyStream, DibImage::kFormatPng));
  EXPECT_STREQ(image.LastError(), "Error saving PNG file");
}

}  // namespace
