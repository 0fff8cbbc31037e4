// Skin file timing: opening and saving a skin of 200 RGBA pictures of
// 256 x 256 against decoding and encoding the same PNG datastreams straight
// with libpng, in one process on the same pictures.
//
//   skin_file_bench [rounds]
//
// Both sides go through stdio on a file in the temporary folder (the page
// cache holds it after the first round); the best of the rounds counts.
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/image_stream.h"
#include "model/skin.h"
#include "model/skin_object_kind.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPictures = 200;
constexpr int kSize = 256;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

uint32_t Hash(uint32_t value) {
  value ^= value >> 16;
  value *= 0x7FEB352Du;
  value ^= value >> 15;
  value *= 0x846CA68Bu;
  value ^= value >> 16;
  return value;
}

// Smooth shapes with a little noise and a soft alpha edge: compresses like
// real skin artwork, neither like noise nor like a flat colour.
std::unique_ptr<DibImage> MakePicture(int seed) {
  auto image = std::make_unique<DibImage>();
  if (image->Create(kSize, kSize, 24, DibImage::kFormatPng) == nullptr || !image->AlphaCreate()) {
    return nullptr;
  }
  for (int y = 0; y < kSize; ++y) {
    BYTE* row = image->Row(y);
    for (int x = 0; x < kSize; ++x) {
      const uint32_t noise = Hash(static_cast<uint32_t>(seed * 65536 + y * kSize + x)) & 7;
      row[x * 3] = static_cast<BYTE>(x + seed + noise);
      row[x * 3 + 1] = static_cast<BYTE>(y * 2 + noise);
      row[x * 3 + 2] = static_cast<BYTE>((x ^ y) + seed * 3);
      const int dx = x - kSize / 2;
      const int dy = y - kSize / 2;
      const int distance = dx * dx + dy * dy;
      image->AlphaSet(x, y, static_cast<BYTE>(distance < 100 * 100 ? 255 : distance / 128));
    }
  }
  return image;
}

// The pictures as top-down RGBA rows, as libpng takes them.
std::vector<BYTE> RgbaRows(const DibImage& image) {
  std::vector<BYTE> rgba(static_cast<size_t>(kSize) * kSize * 4);
  for (int y = 0; y < kSize; ++y) {
    const BYTE* row = image.Row(kSize - 1 - y);
    BYTE* out = rgba.data() + static_cast<size_t>(y) * kSize * 4;
    for (int x = 0; x < kSize; ++x) {
      out[x * 4] = row[x * 3 + 2];
      out[x * 4 + 1] = row[x * 3 + 1];
      out[x * 4 + 2] = row[x * 3];
      out[x * 4 + 3] = image.AlphaGet(x, kSize - 1 - y);
    }
  }
  return rgba;
}

bool EncodeWithLibpng(std::FILE* file, const std::vector<BYTE>& rgba) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  // The skin writer's encoder keeps libpng's default compression and filters.
  png_set_IHDR(png, info, kSize, kSize, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  for (int y = 0; y < kSize; ++y) {
    png_write_row(png, rgba.data() + static_cast<size_t>(y) * kSize * 4);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool DecodeWithLibpng(std::FILE* file, std::vector<BYTE>& rgba) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_read_update_info(png, info);
  const size_t rowBytes = png_get_rowbytes(png, info);
  rgba.resize(rowBytes * height);
  for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, rgba.data() + y * rowBytes, nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return width == static_cast<png_uint_32>(kSize);
}

std::string TemporaryFolder() {
  for (const char* name : {"TMPDIR", "TEMP", "TMP"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
#ifdef _WIN32
  return ".";
#else
  return "/tmp";
#endif
}

long FileSize(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return -1;
  const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
  std::fclose(file);
  return size;
}

struct Timing {
  double best = 1e300;
  void Add(double milliseconds) { best = std::min(best, milliseconds); }
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::string folder = TemporaryFolder();
  const std::string skinPath = folder + "/qorva_skin_file_bench.skin";
  const std::string pngPath = folder + "/qorva_skin_file_bench.pngs";

  Skin skin;
  SkinObject* animation = skin.AddContainer("MainWindow")->AddObject(SkinObjectKind::kAnimation);
  std::vector<std::vector<BYTE>> rgba;
  for (int i = 0; i < kPictures; ++i) {
    std::unique_ptr<DibImage> picture = MakePicture(i);
    if (!picture) return 1;
    rgba.push_back(RgbaRows(*picture));
    animation->images.push_back(std::move(picture));
  }

  Timing save, encode, open, decode, codecDecode;
  for (int round = 0; round < rounds; ++round) {
    Clock::time_point start = Clock::now();
    if (!skin.Save(skinPath)) {
      std::fprintf(stderr, "saving %s failed\n", skinPath.c_str());
      return 1;
    }
    save.Add(MillisecondsSince(start));

    start = Clock::now();
    std::FILE* file = std::fopen(pngPath.c_str(), "wb");
    bool encoded = file != nullptr;
    for (int i = 0; encoded && i < kPictures; ++i) encoded = EncodeWithLibpng(file, rgba[i]);
    if (file != nullptr && std::fclose(file) != 0) encoded = false;
    encode.Add(MillisecondsSince(start));
    if (!encoded) return 1;

    start = Clock::now();
    {
      Skin opened;
      if (!opened.Open(skinPath)) return 1;
    }
    open.Add(MillisecondsSince(start));

    // Every side keeps its 200 pictures until the timing ends, as an open
    // skin does: fresh memory for each picture is part of the cost.
    start = Clock::now();
    {
      std::vector<std::vector<BYTE>> pictures(kPictures);
      file = std::fopen(pngPath.c_str(), "rb");
      bool decoded = file != nullptr;
      for (int i = 0; decoded && i < kPictures; ++i) decoded = DecodeWithLibpng(file, pictures[i]);
      if (file != nullptr) std::fclose(file);
      if (!decoded) return 1;
    }
    decode.Add(MillisecondsSince(start));

    // The same datastreams through the editor's PNG decoder alone: what the
    // skin file adds on top of the decoder is the rest of the open time.
    start = Clock::now();
    {
      std::vector<std::unique_ptr<DibImage>> pictures;
      file = std::fopen(pngPath.c_str(), "rb");
      bool decoded = file != nullptr;
      ImageStream stream(file);
      for (int i = 0; decoded && i < kPictures; ++i) {
        pictures.push_back(std::make_unique<DibImage>());
        decoded = pictures.back()->Decode(stream, DibImage::kFormatPng);
      }
      if (file != nullptr) std::fclose(file);
      if (!decoded) return 1;
    }
    codecDecode.Add(MillisecondsSince(start));
  }
  const long skinBytes = FileSize(skinPath);
  const long pngBytes = FileSize(pngPath);
  std::remove(skinPath.c_str());
  std::remove(pngPath.c_str());

  std::printf("%d pictures of %d x %d RGBA, best of %d rounds\n", kPictures, kSize, kSize, rounds);
  std::printf("skin file %ld bytes, libpng's datastreams %ld bytes\n", skinBytes, pngBytes);
  std::printf("open  %8.1f ms   libpng decode %8.1f ms   ratio %.3f (goal <= 1.15)\n", open.best,
              decode.best, open.best / decode.best);
  std::printf("      PNG decoder alone %8.1f ms (ratio %.3f to libpng)\n", codecDecode.best,
              codecDecode.best / decode.best);
  std::printf("save  %8.1f ms   libpng encode %8.1f ms   ratio %.3f (goal <= 1.15)\n", save.best,
              encode.best, save.best / encode.best);
  return 0;
}
