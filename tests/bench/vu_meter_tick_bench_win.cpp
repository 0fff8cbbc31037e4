// One VU meter tick as the refresh timer runs it: re-queue the capture
// buffer, read the samples, transform, and draw a 300 x 100 meter, in each
// mode, against the draw of the background alone (mode 3) in the same
// process. Run under Wine; the session's sound server gives the meter a
// real device.
//   vu_meter_tick_bench_win.exe [ticks]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "imaging/dib_section_win.h"
#include "runtime/skin_vu_meter_wnd.h"
#include "ui/cwnd.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Case {
  const char* name;
  int mode;
  bool antialiasing;
};

double MicrosecondsPerTick(SkinVUMeterWnd& meter, DibSection& canvas, int ticks) {
  const auto start = Clock::now();
  for (int i = 0; i < ticks; ++i) {
    meter.Tick();
    meter.DrawTo(canvas.Context(), 0, 0);
  }
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / ticks;
}

}  // namespace

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
  CWnd host;
  // Hidden: the ticks measure the work, the meter's own repaint is not
  // asked for.
  if (!host.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr)) return 1;
  DibSection canvas;
  if (!canvas.Create(nullptr, 300, 100, 24)) return 1;
  const Case cases[] = {{"background only (mode 3)", SkinVUMeterWnd::kOff, false},
                        {"scope", SkinVUMeterWnd::kScope, false},
                        {"scope, antialiased", SkinVUMeterWnd::kScope, true},
                        {"spectrum curve", SkinVUMeterWnd::kSpectrum, false},
                        {"spectrum curve, antialiased", SkinVUMeterWnd::kSpectrum, true},
                        {"bars (18)", SkinVUMeterWnd::kBars, false}};
  double baseline = 0.0;
  for (const Case& c : cases) {
    SkinVUMeterWnd meter;
    meter.SetMode(c.mode);
    meter.SetAntialiasing(c.antialiasing);
    if (!meter.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), &host, 1)) return 1;
    meter.KillTimer(SkinVUMeterWnd::kRefreshTimer);
    MicrosecondsPerTick(meter, canvas, ticks / 10);  // warm up
    const double us = MicrosecondsPerTick(meter, canvas, ticks);
    if (c.mode == SkinVUMeterWnd::kOff) baseline = us;
    std::printf("%-30s %8.1f us per tick  (%.1fx the background)\n", c.name, us,
                baseline > 0 ? us / baseline : 0.0);
  }
  std::printf("capture device open: %s\n", WaveInCapture::Instance().IsOpen() ? "yes" : "no");
  return 0;
}
