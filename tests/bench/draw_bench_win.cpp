// Draw timing: a 1024 x 768 24-bit picture with an alpha plane composed over a
// 24-bit memory context by DibImage's software compositor, against the same
// composite written naively with one GetPixelColor and one AlphaGet call per
// pixel. Prints megapixels per second and their ratio.
//   draw_bench_win.exe [seconds per measurement, default 1]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "imaging/dib_image.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

struct Canvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  BYTE* bits = nullptr;
  size_t stride = 0;

  bool Create() {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{40, kWidth, kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* memory = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    if (bitmap == nullptr || dc == nullptr || memory == nullptr) return false;
    previous = SelectObject(dc, bitmap);
    bits = static_cast<BYTE*>(memory);
    stride = (static_cast<size_t>(kWidth) * 3 + 3) & ~size_t{3};
    return true;
  }
  ~Canvas() {
    if (dc != nullptr) {
      if (previous != nullptr) SelectObject(dc, previous);
      DeleteDC(dc);
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
  void Fill(BYTE value) {
    GdiFlush();
    std::memset(bits, value, stride * kHeight);
  }
};

bool MakePicture(DibImage& image) {
  if (image.Create(kWidth, kHeight, 24, DibImage::kFormatPng) == nullptr || !image.AlphaCreate())
    return false;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      image.SetPixelColor(x, y, RGBQUAD{BYTE(x), BYTE(y), BYTE(x ^ y), 0});
      image.AlphaSet(x, y, BYTE((x + 3 * y) % 256));  // every opacity, 0 and 255 included
    }
  image.SetSystemAlphaBlending(false);
  return true;
}

// The composite as the straightforward per-pixel loop writes it.
void NaiveComposite(const DibImage& image, Canvas& canvas) {
  GdiFlush();
  for (int y = 0; y < kHeight; ++y) {
    BYTE* out = canvas.bits + static_cast<size_t>(kHeight - 1 - y) * canvas.stride;
    for (int x = 0; x < kWidth; ++x, out += 3) {
      const RGBQUAD color = image.GetPixelColor(x, kHeight - 1 - y);
      const int a = image.AlphaGet(x, kHeight - 1 - y);
      if (a == 0) continue;
      if (a == 255) {
        out[0] = color.rgbBlue;
        out[1] = color.rgbGreen;
        out[2] = color.rgbRed;
        continue;
      }
      out[0] = BYTE((color.rgbBlue * a + out[0] * (255 - a)) >> 8);
      out[1] = BYTE((color.rgbGreen * a + out[1] * (255 - a)) >> 8);
      out[2] = BYTE((color.rgbRed * a + out[2] * (255 - a)) >> 8);
    }
  }
}

// Runs draw repeatedly for at least `seconds` (and at least three times);
// returns megapixels per second.
double Measure(const std::function<void()>& draw, double seconds) {
  using Clock = std::chrono::steady_clock;
  draw();  // warm-up
  int runs = 0;
  const Clock::time_point start = Clock::now();
  double elapsed = 0;
  do {
    draw();
    ++runs;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (runs < 3 || elapsed < seconds);
  return static_cast<double>(kWidth) * kHeight * runs / elapsed / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
  DibImage image;
  Canvas compositor, naive;
  if (!MakePicture(image) || !compositor.Create() || !naive.Create()) {
    std::printf("setup failed\n");
    return 1;
  }

  // Same result first: one pass of each over the same background.
  compositor.Fill(200);
  naive.Fill(200);
  image.Draw(compositor.dc, 0, 0);
  NaiveComposite(image, naive);
  GdiFlush();
  const bool same = std::memcmp(compositor.bits, naive.bits, compositor.stride * kHeight) == 0;

  const double fast = Measure([&] { image.Draw(compositor.dc, 0, 0); }, seconds);
  const double slow = Measure([&] { NaiveComposite(image, naive); }, seconds);
  image.SetSystemAlphaBlending(true);
  const double platform = Measure([&] { image.Draw(compositor.dc, 0, 0); }, seconds);

  std::printf("picture %d x %d, 24 bits with alpha plane, onto a 24-bit memory context\n", kWidth,
              kHeight);
  std::printf("identical output: %s\n", same ? "yes" : "NO");
  std::printf("software compositor (Draw):        %8.1f Mpixel/s\n", fast);
  std::printf("naive GetPixelColor/AlphaGet loop: %8.1f Mpixel/s\n", slow);
  std::printf("ratio compositor / naive:          %8.2f\n", fast / slow);
  std::printf("platform blending (Draw, AlphaBlend), for reference: %8.1f Mpixel/s\n", platform);
  return same ? 0 : 1;
}
