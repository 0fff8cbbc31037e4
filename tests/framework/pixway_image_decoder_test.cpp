// pixway's decoder: every BMP layout it reads and PNG through libpng, the
// pixel order it hands out, and the damaged files it must refuse; and the
// markup image of tvx, which lays decoded pixels onto the window colour.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/pixway/image_decoder_object.h"
#include "framework/tvx/markup_image.h"
#include "tests/setup/memory_archive.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes* out, uint32_t v) {
  out->push_back(v & 0xFF);
  out->push_back((v >> 8) & 0xFF);
}
void Put32(Bytes* out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A BMP with a 40-byte header; `extra` goes between header and palette
// (bit-field masks), rows are given already padded.
Bytes Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression, const Bytes& palette,
          const Bytes& rows, const Bytes& extra = {}, uint32_t colors = 0) {
  Bytes out = {'B', 'M'};
  const uint32_t offset = 14 + 40 + static_cast<uint32_t>(extra.size() + palette.size());
  Put32(&out, offset + static_cast<uint32_t>(rows.size()));
  Put32(&out, 0);
  Put32(&out, offset);
  Put32(&out, 40);
  Put32(&out, static_cast<uint32_t>(width));
  Put32(&out, static_cast<uint32_t>(height));
  Put16(&out, 1);
  Put16(&out, bits);
  Put32(&out, compression);
  Put32(&out, static_cast<uint32_t>(rows.size()));
  Put32(&out, 2835);
  Put32(&out, 2835);
  Put32(&out, colors);
  Put32(&out, 0);
  out.insert(out.end(), extra.begin(), extra.end());
  out.insert(out.end(), palette.begin(), palette.end());
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

// A 2 x 1 RGBA PNG: an opaque red pixel and a transparent one.
const Bytes kPng = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D,
                    0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01,
                    0x08, 0x06, 0x00, 0x00, 0x00, 0xF4, 0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00,
                    0x0F, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0x00,
                    0x44, 0x0C, 0x0C, 0x00, 0x0C, 0xFC, 0x01, 0xFF, 0x5C, 0xFD, 0x14, 0x95,
                    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

class PixwayDecoder : public ::testing::Test {
 protected:
  void SetUp() override {
    void* object = nullptr;
    ASSERT_EQ(pixway::CreatePixwayInstance(&pixway::kImageDecoderClassId, &pixway::kImageDecoderId,
                                           &object),
              framework::kOk);
    decoder_ = static_cast<pixway::ImageDecoder*>(object);
  }
  void TearDown() override { EXPECT_EQ(decoder_->Release(), 0); }

  // The decoded pixels (B, G, R, A per pixel), or empty when refused.
  Bytes Decode(const Bytes& file, int32_t* width = nullptr, int32_t* height = nullptr) {
    int32_t w = -1, h = -1;
    uint8_t* pixels = nullptr;
    const int32_t result =
        decoder_->Decode(file.data(), static_cast<uint32_t>(file.size()), &w, &h, &pixels);
    Bytes out;
    if (result == framework::kOk) {
      out.assign(pixels, pixels + static_cast<size_t>(w) * h * 4);
    } else {
      EXPECT_EQ(pixels, nullptr);
      EXPECT_EQ(w, 0);
    }
    decoder_->FreePixels(pixels);
    if (width != nullptr) *width = w;
    if (height != nullptr) *height = h;
    return out;
  }

  pixway::ImageDecoder* decoder_ = nullptr;
};

TEST_F(PixwayDecoder, ReadsEveryBmpLayoutTopRowFirst) {
  const Bytes grey = {0, 0, 0, 0, 255, 255, 255, 0};  // black, white
  // Bottom-up 2 x 2, 24 bits: stored rows are bottom (blue, green), top (red, white).
  const Bytes rows24 = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
  struct Case {
    const char* name;
    Bytes file;
    Bytes pixels;
  } cases[] = {
      {"24-bit bottom-up",
       Bmp(2, 2, 24, 0, {}, rows24),
       {0, 0, 255, 255, 255, 255, 255, 255, 255, 0, 0, 255, 0, 255, 0, 255}},
      {"24-bit top-down",
       Bmp(2, -2, 24, 0, {}, rows24),
       {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}},
      {"1-bit",
       Bmp(3, 1, 1, 0, grey, {0xA0, 0, 0, 0}),
       {255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255}},
      {"4-bit", Bmp(2, 1, 4, 0, grey, {0x10, 0, 0, 0}, {}, 2), {255, 255, 255, 255, 0, 0, 0, 255}},
      {"8-bit, index beyond the palette",
       Bmp(2, 1, 8, 0, grey, {1, 7, 0, 0}, {}, 2),
       {255, 255, 255, 255, 0, 0, 0, 255}},
      {"16-bit 5-5-5", Bmp(1, 1, 16, 0, {}, {0x1F, 0x7C, 0, 0}), {255, 0, 255, 255}},
      {"16-bit fields 5-6-5",
       Bmp(1, 1, 16, 3, {}, {0xE0, 0x07, 0, 0},
           [] {
             Bytes masks;
             Put32(&masks, 0xF800);
             Put32(&masks, 0x07E0);
             Put32(&masks, 0x001F);
             return masks;
           }()),
       {0, 255, 0, 255}},
      {"32-bit, alpha byte ignored", Bmp(1, 1, 32, 0, {}, {10, 20, 30, 0}), {10, 20, 30, 255}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Decode(c.file), c.pixels) << c.name;
  }
}

TEST_F(PixwayDecoder, ReadsPngWithItsAlpha) {
  int32_t width = 0, height = 0;
  EXPECT_EQ(Decode(kPng, &width, &height), (Bytes{0, 0, 255, 255, 0, 0, 0, 0}));
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 1);
}

TEST_F(PixwayDecoder, RefusesWhatIsNotAWholeImage) {
  const Bytes rows = {1, 2, 3, 0};
  Bytes truncatedPng(kPng.begin(), kPng.begin() + 50);
  Bytes badCrc = kPng;
  badCrc[45] ^= 0xFF;  // inside the compressed data
  Bytes shortRows = Bmp(1, 1, 24, 0, {}, rows);
  shortRows.resize(shortRows.size() - 1);
  Bytes paletteOutside = Bmp(1, 1, 8, 0, {}, {0, 0, 0, 0}, {}, 4);
  Bytes offsetBeyond = Bmp(1, 1, 24, 0, {}, rows);
  offsetBeyond[10] = 0xFF;
  offsetBeyond[11] = 0xFF;
  struct Case {
    const char* name;
    Bytes file;
  } cases[] = {
      {"empty", {}},
      {"text", {'h', 'e', 'l', 'l', 'o'}},
      {"truncated PNG", truncatedPng},
      {"damaged PNG", badCrc},
      {"BMP rows cut short", shortRows},
      {"BMP palette beyond its header", paletteOutside},
      {"BMP pixels beyond the file", offsetBeyond},
      {"RLE8", Bmp(1, 1, 8, 1, {0, 0, 0, 0}, {1, 0, 0, 1})},
      {"zero width", Bmp(0, 1, 24, 0, {}, rows)},
      {"zero height", Bmp(1, 0, 24, 0, {}, rows)},
      {"too wide", Bmp(20000, 1, 1, 0, {0, 0, 0, 0, 1, 1, 1, 0}, Bytes(2500, 0))},
      {"2-bit", Bmp(1, 1, 2, 0, {0, 0, 0, 0}, rows)},
      {"header only", Bytes(shortRows.begin(), shortRows.begin() + 20)},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Decode(c.file).empty()) << c.name;
  }
  uint8_t* pixels = nullptr;
  int32_t w = 0, h = 0;
  EXPECT_EQ(decoder_->Decode(nullptr, 10, &w, &h, &pixels), framework::kFailed);
  EXPECT_EQ(decoder_->Decode(kPng.data(), 10, &w, &h, nullptr), framework::kFailed);
}

TEST(PixwayFactory, AnswersOnlyItsOwnPair) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(
      pixway::CreatePixwayInstance(&framework::kScriptClassId, &pixway::kImageDecoderId, &object),
      framework::kNoClass);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(
      pixway::CreatePixwayInstance(&pixway::kImageDecoderClassId, &framework::kValueId, &object),
      framework::kNoClass);
}

int32_t FRAMEWORK_CALL PixwayOnly(const framework::Guid* classId,
                                  const framework::Guid* interfaceId, void** object,
                                  framework::Object*) {
  return pixway::CreatePixwayInstance(classId, interfaceId, object);
}

TEST(TvxMarkupImage, LaysTheImageOntoTheBackground) {
  MemoryArchive archive;
  archive.Add("art/two.png", kPng);
  tvx::MarkupImage image;
  ASSERT_TRUE(image.Load(&archive, L"art/two.png", &PixwayOnly, 0x102030));
  EXPECT_EQ(image.width(), 2);
  EXPECT_EQ(image.height(), 1);
  // Opaque red stays red; the transparent pixel is the background.
  EXPECT_EQ(image.pixels(), (std::vector<uint32_t>{0xFF0000, 0x102030}));
  EXPECT_EQ(archive.open_buffers, 0);

  EXPECT_FALSE(image.Load(&archive, L"art/missing.png", &PixwayOnly, 0));
  EXPECT_TRUE(image.empty());
  archive.Add("art/broken.png", Bytes(kPng.begin(), kPng.begin() + 40));
  EXPECT_FALSE(image.Load(&archive, L"art/broken.png", &PixwayOnly, 0));
  EXPECT_FALSE(image.Load(&archive, L"art/two.png", nullptr, 0));
  EXPECT_EQ(archive.open_buffers, 0);
}

}  // namespace
