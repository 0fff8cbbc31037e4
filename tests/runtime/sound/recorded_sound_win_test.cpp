// The VU meter and the wave-input capture on sound really recorded through
// the platform's wave-input calls. The test session runs a sound server
// whose default source is the monitor of a sink nothing else plays into;
// CTest runs these cases in three ways (tests/runtime/sound/sound_tests.cmake):
// with a tone played into the sink (QORVA_TEST_TONE_HZ says which), with
// the sink silent, and without any sound device (QORVA_SOUND=off).
#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/skin_vu_meter_wnd.h"
#include "runtime/wave_in_capture.h"
#include "tests/runtime/list_test_host_win.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"

namespace {

using list_test::Host;

constexpr int kN = SpectrumTransform::kSize;
constexpr UINT kMeterId = 0xFFFF;
const RGBQUAD kBack = Rgb(0, 0, 0);
const RGBQUAD kFore = Rgb(0, 255, 0);

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Lets the meter's own 25 ms timer run until the capture has handed over
// `buffers` more completed buffers (about 46 ms of sound each).
::testing::AssertionResult RecordBuffers(uint32_t buffers) {
  WaveInCapture& capture = WaveInCapture::Instance();
  const uint32_t target = capture.CompletedBuffers() + buffers;
  const bool recorded =
      list_test::PumpUntil([&] { return capture.CompletedBuffers() >= target; }, 5000);
  if (recorded) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "only " << capture.CompletedBuffers() << " of " << target << " buffers recorded";
}

double RecordedRms() {
  int16_t samples[WaveInCapture::kBufferSamples];
  WaveInCapture::Instance().CopySamples(samples);
  double sum = 0.0;
  for (int n = 0; n < WaveInCapture::kRecordedSamples; ++n) sum += double(samples[n]) * samples[n];
  return std::sqrt(sum / WaveInCapture::kRecordedSamples);
}

int TopForeground(const MemoryCanvas& canvas, int x) {
  for (int y = 0; y < canvas.Height(); ++y)
    if (canvas.Pixel(x, y) == kFore) return y;
  return canvas.Height();
}

class RecordedSoundTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host_.Create()); }

  bool MakeMeter(SkinVUMeterWnd& meter, int mode, int width) {
    meter.SetMode(mode);
    return meter.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, width, 100), &host_, kMeterId) != FALSE;
  }

  Host host_;
};

using RecordedTone = RecordedSoundTest;
using RecordedSilence = RecordedSoundTest;
using NoSoundDevice = RecordedSoundTest;

TEST_F(RecordedTone, PeaksAtItsBinInTheSpectrum) {
  const std::string hertz = Environment("QORVA_TEST_TONE_HZ");
  if (hertz.empty()) GTEST_SKIP() << "needs a tone played into the sound server (ctest does)";
  SkinVUMeterWnd meter;
  ASSERT_TRUE(MakeMeter(meter, SkinVUMeterWnd::kSpectrum, 512));
  ASSERT_TRUE(WaveInCapture::Instance().IsOpen());
  ASSERT_TRUE(RecordBuffers(6));
  // A half-scale tone: an RMS of 16384 / sqrt(2) = 11585.
  EXPECT_NEAR(RecordedRms(), 11585.0, 1500.0);

  meter.Tick();
  const int expectedBin = static_cast<int>(std::lround(std::stod(hertz) * kN / 11025.0));
  int peak = 1;
  for (int k = 2; k < kN / 2; ++k)
    if (meter.Transform().Magnitude(k) > meter.Transform().Magnitude(peak)) peak = k;
  EXPECT_NEAR(peak, expectedBin, 1);
  // On screen: 512 columns show the 512 bins, the tone's column reaches
  // highest.
  MemoryCanvas canvas(512, 100);
  meter.DrawTo(canvas.Dc(), 0, 0);
  int highest = 0;
  for (int x = 1; x < 512; ++x)
    if (TopForeground(canvas, x) < TopForeground(canvas, highest)) highest = x;
  EXPECT_NEAR(highest, expectedBin, 1);
  EXPECT_LT(TopForeground(canvas, highest), 50);
}

TEST_F(RecordedSilence, GivesAFlatScope) {
  SkinVUMeterWnd meter;
  ASSERT_TRUE(MakeMeter(meter, SkinVUMeterWnd::kScope, 300));
  ASSERT_TRUE(WaveInCapture::Instance().IsOpen()) << "the session's sound server is not running";
  ASSERT_TRUE(RecordBuffers(4));
  EXPECT_LT(RecordedRms(), 1.0);
  meter.Tick();
  MemoryCanvas canvas(300, 100);
  meter.DrawTo(canvas.Dc(), 0, 0);
  for (int x = 0; x < 299; ++x) {
    ASSERT_EQ(TopForeground(canvas, x), 50) << "column " << x;
    ASSERT_EQ(canvas.Pixel(x, 51), kBack) << "column " << x;
  }
}

TEST_F(RecordedSilence, ASecondMeterFindsTheDeviceOpen) {
  SkinVUMeterWnd first;
  WaveInCapture& capture = WaveInCapture::Instance();
  ASSERT_TRUE(capture.IsOpen());
  const HWAVEIN device = capture.Device();
  EXPECT_EQ(capture.Start(false), static_cast<MMRESULT>(MMSYSERR_NOERROR));
  SkinVUMeterWnd second;
  EXPECT_EQ(capture.Device(), device);
  ASSERT_TRUE(MakeMeter(first, SkinVUMeterWnd::kScope, 100));
  ASSERT_TRUE(MakeMeter(second, SkinVUMeterWnd::kBars, 100));
  // Both meters' timers re-queue the one buffer; it keeps recording.
  EXPECT_TRUE(RecordBuffers(4));
  // Meters never stop the capture.
  second.DestroyWindow();
  EXPECT_TRUE(capture.IsOpen());
}

TEST_F(RecordedSilence, ThreadedCaptureRequeuesOnItsOwn) {
  WaveInCapture capture;
  ASSERT_EQ(capture.Start(true), static_cast<MMRESULT>(MMSYSERR_NOERROR));
  ASSERT_TRUE(capture.IsOpen());
  EXPECT_EQ(capture.Format().nSamplesPerSec, 11025u);
  EXPECT_EQ(capture.Format().nAvgBytesPerSec, 22050u);
  // Nobody polls: the worker re-queues at every completed buffer.
  const DWORD start = ::GetTickCount();
  while (capture.CompletedBuffers() < 5 && ::GetTickCount() - start < 5000) ::Sleep(20);
  EXPECT_GE(capture.CompletedBuffers(), 5u);
  capture.Stop();
  EXPECT_FALSE(capture.IsOpen());
  const uint32_t stopped = capture.CompletedBuffers();
  ::Sleep(150);
  EXPECT_EQ(capture.CompletedBuffers(), stopped);
}

TEST_F(NoSoundDevice, StartOpensNothingAndTheMeterDrawsSilence) {
  if (Environment("QORVA_SOUND") != "off") GTEST_SKIP() << "needs QORVA_SOUND=off (ctest does)";
  ASSERT_EQ(::waveInGetNumDevs(), 0u);
  WaveInCapture& capture = WaveInCapture::Instance();
  EXPECT_EQ(capture.Start(false), static_cast<MMRESULT>(MMSYSERR_NOERROR));
  EXPECT_FALSE(capture.IsOpen());
  EXPECT_EQ(capture.Start(true), static_cast<MMRESULT>(MMSYSERR_NOERROR));
  EXPECT_FALSE(capture.IsOpen());

  const struct {
    int mode;
    int row;  // where the foreground lies: the middle, or the bottom row
  } cases[] = {{SkinVUMeterWnd::kScope, 50}, {SkinVUMeterWnd::kSpectrum, 99}};
  for (const auto& c : cases) {
    SkinVUMeterWnd meter;
    ASSERT_TRUE(MakeMeter(meter, c.mode, 300));
    list_test::PumpFor(100);
    meter.Tick();
    MemoryCanvas canvas(300, 100);
    meter.DrawTo(canvas.Dc(), 0, 0);
    for (int x = 0; x < 299; ++x) ASSERT_EQ(TopForeground(canvas, x), c.row) << "column " << x;
  }
}

}  // namespace
