// SkinVUMeterWnd in real windows, fed with samples written by the test:
// the scope, the spectrum curve and the bars drawn through DrawTo, the
// frequency window, the modes, the bitmaps, antialiasing, the sizing frame
// and the mouse. Recording from a real device is tested in tests/runtime/sound.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "imaging/dib_image.h"
#include "runtime/skin_vu_meter_wnd.h"
#include "tests/runtime/list_test_host_win.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"

namespace {

using list_test::Host;

constexpr int kN = SpectrumTransform::kSize;
constexpr UINT kMeterId = 0xFFFF;
constexpr double kPi = 3.14159265358979323846;
const RGBQUAD kBack = Rgb(0, 0, 0);
const RGBQUAD kFore = Rgb(0, 255, 0);

// 512 samples of a cosine that completes `bin` periods in 1024 samples,
// then the 512 zeros the capture buffer always ends with.
std::vector<int16_t> Tone(int bin, double amplitude) {
  std::vector<int16_t> samples(kN, 0);
  for (int n = 0; n < kN / 2; ++n)
    samples[n] = static_cast<int16_t>(std::lround(amplitude * std::cos(2.0 * kPi * bin * n / kN)));
  return samples;
}

// A meter that reads the samples the test gives it and records its draws.
class FedMeter : public SkinVUMeterWnd {
 public:
  FedMeter() : samples(kN, 0) {}

  void DrawTo(HDC dc, int x, int y) override {
    BITMAP target = {};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_BITMAP), sizeof target, &target);
    drawnSizes.push_back({target.bmWidth, target.bmHeight});
    SkinVUMeterWnd::DrawTo(dc, x, y);
  }

  std::vector<int16_t> samples;
  int reads = 0;
  std::vector<SIZE> drawnSizes;

 protected:
  void ReadCapture(int16_t* into) override {
    ++reads;
    std::copy(samples.begin(), samples.end(), into);
  }
};

class VUMeterTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host_.Create()); }

  void Make(int width, int height, int mode, DWORD extraStyle = 0) {
    meter_.SetMode(mode);
    ASSERT_TRUE(meter_.Create(WS_CHILD | WS_VISIBLE | extraStyle,
                              CRect(10, 10, 10 + width, 10 + height), &host_, kMeterId));
    // The test drives the ticks.
    meter_.KillTimer(SkinVUMeterWnd::kRefreshTimer);
  }

  // Ticks with samples and draws the meter at the canvas's corner.
  void TickAndDraw(MemoryCanvas& canvas, std::vector<int16_t> samples) {
    meter_.samples = std::move(samples);
    meter_.Tick();
    canvas.Fill(Rgb(1, 2, 3));
    meter_.DrawTo(canvas.Dc(), 0, 0);
  }

  Host host_;
  FedMeter meter_;
};

// The pattern's colour at a canvas pixel of a picture of height rows, tiled
// from the canvas's corner (the picture counts its rows from the bottom).
RGBQUAD TiledPattern(int x, int y, int width, int height) {
  return PatternColor(x % width, height - 1 - y % height);
}

// The highest row in column x holding the foreground; the height when none.
int TopForeground(const MemoryCanvas& canvas, int x) {
  for (int y = 0; y < canvas.Height(); ++y)
    if (canvas.Pixel(x, y) == kFore) return y;
  return canvas.Height();
}

// The column whose foreground reaches highest (the leftmost of equals).
int PeakColumn(const MemoryCanvas& canvas) {
  int peak = 0;
  for (int x = 1; x < canvas.Width(); ++x)
    if (TopForeground(canvas, x) < TopForeground(canvas, peak)) peak = x;
  return peak;
}

TEST_F(VUMeterTest, ScopeOfSilenceIsAFlatLineThroughTheMiddle) {
  Make(300, 100, SkinVUMeterWnd::kScope);
  MemoryCanvas canvas(300, 100);
  TickAndDraw(canvas, std::vector<int16_t>(kN, 0));
  // One point per column; the line ends before the last one, as GDI's
  // lines do.
  for (int x = 0; x < 299; ++x) {
    ASSERT_EQ(canvas.Pixel(x, 50), kFore) << "column " << x;
    ASSERT_EQ(canvas.Pixel(x, 49), kBack) << "column " << x;
    ASSERT_EQ(canvas.Pixel(x, 51), kBack) << "column " << x;
  }
}

TEST_F(VUMeterTest, ScopeFollowsTheSamples) {
  Make(300, 100, SkinVUMeterWnd::kScope);
  MemoryCanvas canvas(300, 100);
  std::vector<int16_t> samples(kN, 0);
  for (int n = 0; n < 512; ++n) samples[n] = n < 256 ? 16384 : -16384;
  TickAndDraw(canvas, samples);
  // 16384 / (65535 / 100) = 25.0004: a quarter of full scale above and
  // below the middle.
  EXPECT_EQ(canvas.Pixel(10, 24), kFore);
  EXPECT_EQ(canvas.Pixel(290, 75), kFore);
  EXPECT_EQ(canvas.Pixel(10, 75), kBack);
  EXPECT_EQ(canvas.Pixel(290, 24), kBack);
  // Full scale stays inside the meter.
  for (int n = 0; n < 512; ++n) samples[n] = n < 256 ? 32767 : -32768;
  TickAndDraw(canvas, samples);
  EXPECT_EQ(canvas.Pixel(10, 0), kFore);
  EXPECT_EQ(canvas.Pixel(290, 99), kFore);
}

struct WindowCase {
  int width;
  int segmentSize;
  int segmentPos;
  int peakColumn;
};

TEST_F(VUMeterTest, SpectrumCurvePeaksWhereTheToneBinIsShown) {
  // A tone of bin 93 (1 kHz at 11025 samples per second). The window shows
  // segment size / 2 bins from bin segment pos / 2.
  const WindowCase cases[] = {
      {512, 1024, 0, 93},  // a pixel per bin
      {300, 1024, 0, 55},  // column 55 covers bins 93.9 to 95.6: 93 and 94
      {100, 200, 186, 0},  // the window starts at bin 93
      {100, 200, 100, 43},
  };
  for (const WindowCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "width " << c.width << " size " << c.segmentSize << " pos " << c.segmentPos);
    FedMeter meter;
    meter.SetMode(SkinVUMeterWnd::kSpectrum);
    meter.SetSegmentSize(c.segmentSize);
    meter.SetSegmentPos(c.segmentPos);
    ASSERT_TRUE(meter.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, c.width, 100), &host_, kMeterId));
    meter.samples = Tone(93, 8000);
    meter.Tick();
    MemoryCanvas canvas(c.width, 100);
    meter.DrawTo(canvas.Dc(), 0, 0);
    EXPECT_EQ(PeakColumn(canvas), c.peakColumn);
    // 8000 * 512 / 2 / 32 = 64000 of 65535: nearly the full height.
    EXPECT_LE(TopForeground(canvas, c.peakColumn), 3);
  }
}

TEST_F(VUMeterTest, BarsCountAboveTheWidthGivesOneBarPerColumn) {
  meter_.SetSegmentSize(128);  // 64 bins over 64 columns
  meter_.SetBarsCount(1000);
  Make(64, 100, SkinVUMeterWnd::kBars);
  MemoryCanvas canvas(64, 100);
  TickAndDraw(canvas, Tone(10, 8000));
  EXPECT_LE(TopForeground(canvas, 10), 3);
  // Half a buffer of the tone leaks into the odd neighbours only: bins 8
  // and 12 are empty, their bars only the bottom row.
  EXPECT_EQ(TopForeground(canvas, 8), 99);
  EXPECT_EQ(TopForeground(canvas, 12), 99);
  EXPECT_GT(TopForeground(canvas, 9), TopForeground(canvas, 10));
  EXPECT_LT(TopForeground(canvas, 9), 99);
  // The bar is filled down to the bottom.
  for (int y = 3; y < 100; ++y) ASSERT_EQ(canvas.Pixel(10, y), kFore) << "row " << y;
}

TEST_F(VUMeterTest, BarsShowTheForegroundBitmapTiledOrStretched) {
  DibImage pattern;
  ASSERT_TRUE(MakePatternImage(pattern, 16, 16));
  meter_.SetForeBitmap(&pattern);
  meter_.SetSegmentSize(128);
  meter_.SetBarsCount(64);
  Make(64, 100, SkinVUMeterWnd::kBars);
  MemoryCanvas canvas(64, 100);
  TickAndDraw(canvas, Tone(10, 8000));
  EXPECT_EQ(canvas.Pixel(10, 50), TiledPattern(10, 50, 16, 16));
  EXPECT_EQ(canvas.Pixel(8, 50), kBack);
  meter_.SetStretchBitmaps(true);
  TickAndDraw(canvas, Tone(10, 8000));
  // Stretched, the bottom-right pixel of the meter is the picture's.
  EXPECT_EQ(canvas.Pixel(63, 99), PatternColor(15, 0));
}

TEST_F(VUMeterTest, BackgroundBitmapIsTiledOrStretchedInEveryMode) {
  DibImage pattern;
  ASSERT_TRUE(MakePatternImage(pattern, 10, 10));
  meter_.SetBackBitmap(&pattern);
  Make(300, 100, SkinVUMeterWnd::kOff);
  MemoryCanvas canvas(300, 100);
  TickAndDraw(canvas, Tone(93, 8000));
  EXPECT_EQ(canvas.Pixel(15, 27), TiledPattern(15, 27, 10, 10));
  meter_.SetStretchBitmaps(true);
  TickAndDraw(canvas, Tone(93, 8000));
  EXPECT_EQ(canvas.Pixel(299, 99), PatternColor(9, 0));
  EXPECT_EQ(canvas.Pixel(0, 0), PatternColor(0, 9));
}

TEST_F(VUMeterTest, DoubleClicksCycleTheModesAndTheFourthRunsNoTransform) {
  Make(300, 100, SkinVUMeterWnd::kScope);
  const int expected[] = {SkinVUMeterWnd::kSpectrum, SkinVUMeterWnd::kBars, SkinVUMeterWnd::kOff,
                          SkinVUMeterWnd::kScope};
  for (int mode : expected) {
    meter_.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(meter_.Mode(), mode);
  }
  meter_.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  meter_.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  meter_.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(meter_.Mode(), SkinVUMeterWnd::kOff);

  MemoryCanvas canvas(300, 100);
  TickAndDraw(canvas, Tone(93, 8000));
  EXPECT_EQ(meter_.TransformsRun(), 0u);
  EXPECT_EQ(meter_.reads, 0);
  for (int y = 0; y < 100; y += 7)
    for (int x = 0; x < 300; x += 7) ASSERT_EQ(canvas.Pixel(x, y), kBack);

  meter_.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  meter_.Tick();
  EXPECT_EQ(meter_.TransformsRun(), 1u);
}

TEST_F(VUMeterTest, AntialiasingBlendsBesideTheLine) {
  for (bool smooth : {false, true}) {
    SCOPED_TRACE(smooth ? "antialiased" : "plain");
    FedMeter meter;
    meter.SetMode(SkinVUMeterWnd::kScope);
    meter.SetAntialiasing(smooth);
    ASSERT_TRUE(meter.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), &host_, kMeterId));
    // A slow ramp: a slanted line.
    for (int n = 0; n < 512; ++n) meter.samples[n] = static_cast<int16_t>(n * 40 - 10240);
    meter.Tick();
    MemoryCanvas canvas(300, 100);
    meter.DrawTo(canvas.Dc(), 0, 0);
    int blended = 0;
    int line = 0;
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 300; ++x) {
        const RGBQUAD pixel = canvas.Pixel(x, y);
        if (pixel == kFore) {
          ++line;
        } else if (pixel != kBack) {
          ++blended;
        }
      }
    }
    EXPECT_GE(line, 299);
    if (smooth) {
      EXPECT_GT(blended, 100);
    } else {
      EXPECT_EQ(blended, 0);
    }
  }
}

TEST_F(VUMeterTest, SizingFrameMeterPaintsItsWholeWindowAtEveryTick) {
  Make(300, 100, SkinVUMeterWnd::kSpectrum, WS_THICKFRAME);
  CRect window;
  meter_.GetWindowRect(&window);
  list_test::PumpFor(50);
  meter_.drawnSizes.clear();
  meter_.Tick();
  ASSERT_EQ(meter_.drawnSizes.size(), 1u);
  EXPECT_EQ(meter_.drawnSizes[0].cx, window.Width());
  EXPECT_EQ(meter_.drawnSizes[0].cy, window.Height());
  // The client painting leaves everything to the frame painting.
  meter_.Invalidate(FALSE);
  meter_.UpdateWindow();
  EXPECT_EQ(meter_.drawnSizes.size(), 1u);
}

TEST_F(VUMeterTest, SegmentIsKeptWithinTheTransform) {
  meter_.SetSegmentSize(2000);
  meter_.SetSegmentPos(100);
  EXPECT_EQ(meter_.SegmentSize(), 1024);
  EXPECT_EQ(meter_.SegmentPos(), 0);
  meter_.SetSegmentSize(1000);
  meter_.SetSegmentPos(100);
  EXPECT_EQ(meter_.SegmentPos(), 24);
  meter_.SetSegmentSize(0);
  EXPECT_EQ(meter_.SegmentSize(), 1);
}

TEST_F(VUMeterTest, LeftPressReachesTheParentInItsCoordinates) {
  Make(300, 100, SkinVUMeterWnd::kSpectrum);
  meter_.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
  list_test::PumpPending();
  const std::vector<list_test::Received> presses = host_.Of(WM_LBUTTONDOWN);
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(presses[0].lParam, MAKELPARAM(15, 16));
}

}  // namespace
