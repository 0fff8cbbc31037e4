// Live canvas timing, in one process:
//  1. Rebuild of a container of 200 objects of mixed kinds (64 x 64 pictures
//     with window and mouse shapes) against creating and destroying 200
//     plain child windows of the same rectangles (the least any rebuild
//     costs). Prints both times per rebuild and their ratio.
//  2. One cross-fade step of a 256 x 256 button face (DibImage::Crossfade)
//     against the same blend written with one GetPixelColor per pixel and
//     source. Prints both times and their ratio.
//   live_rebuild_bench_win.exe [repetitions, default 20] [kind: only objects of that kind]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "editor/live_control_factories.h"
#include "editor/skin_view.h"
#include "imaging/dib_image.h"
#include "model/skin_container.h"
#include "model/skin_object.h"
#include "model/skin_object_kind.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void FillPicture(DibImage& image, int size, BYTE seed) {
  image.Create(size, size, 24, DibImage::kFormatPng);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      image.SetPixelColor(x, y, RGBQUAD{BYTE(x + seed), BYTE(y * seed), BYTE(x ^ y), 0});
}

// The kinds of the container, in turn; kinds without a control of their own
// get the placeholder every rebuild makes for them too.
const uint32_t kKinds[] = {SkinObjectKind::kButton,    SkinObjectKind::kShortcut,
                           SkinObjectKind::kSlider,    SkinObjectKind::kListBox,
                           SkinObjectKind::kDriveList, SkinObjectKind::kMenuElement};

// kindOnly < 0: the mixed container; otherwise every object of that kind.
void FillContainer(SkinContainer& container, int kindOnly) {
  for (int i = 0; i < 200; ++i) {
    const uint32_t kind = kindOnly >= 0 ? static_cast<uint32_t>(kindOnly)
                                        : kKinds[i % (sizeof kKinds / sizeof kKinds[0])];
    SkinObject* object = container.AddObject(kind, "object");
    const int x = (i % 20) * 66;
    const int y = (i / 20) * 66;
    object->block.SetPosition(RECT{x, y, x + 64, y + 64});
    object->windowShape.points = {{0, 0}, {64, 0}, {64, 48}, {32, 64}, {0, 48}};
    object->mousePolygon = {{4, 4}, {60, 4}, {32, 60}};
    const int images = kind == SkinObjectKind::kListBox ? 13 : 4;
    for (int k = 0; k < images; ++k) {
      object->images.push_back(std::make_unique<DibImage>());
      FillPicture(*object->images.back(), 64, BYTE(k * 40 + 1));
    }
  }
}

double PlainWindowsMs(HWND parent, const SkinContainer& container, int repetitions) {
  const char* windowClass = CWnd::AfxRegisterWndClass(0);
  const Clock::time_point start = Clock::now();
  for (int r = 0; r < repetitions; ++r) {
    std::vector<HWND> windows;
    for (const auto& object : container.objects) {
      const RECT rect = object->block.Position();
      windows.push_back(::CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VISIBLE, rect.left,
                                          rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                          parent, nullptr, ::GetModuleHandleA(nullptr), nullptr));
    }
    for (HWND window : windows) ::DestroyWindow(window);
  }
  return MillisecondsSince(start) / repetitions;
}

double RebuildMs(CSkinView& view, int repetitions) {
  const Clock::time_point start = Clock::now();
  for (int r = 0; r < repetitions; ++r) view.Rebuild();
  return MillisecondsSince(start) / repetitions;
}

void BlendByPixel(DibImage& target, const DibImage& from, const DibImage& to, float factor) {
  for (int y = 0; y < target.Height(); ++y) {
    for (int x = 0; x < target.Width(); ++x) {
      const RGBQUAD a = from.GetPixelColor(x, y);
      const RGBQUAD b = to.GetPixelColor(x, y);
      auto mix = [factor](BYTE p, BYTE q) { return BYTE(p + int((int(q) - int(p)) * factor)); };
      target.SetPixelColor(x, y,
                           RGBQUAD{mix(a.rgbBlue, b.rgbBlue), mix(a.rgbGreen, b.rgbGreen),
                                   mix(a.rgbRed, b.rgbRed), 0});
    }
  }
}

void CrossfadeTiming(int repetitions) {
  DibImage from, to, face;
  FillPicture(from, 256, 3);
  FillPicture(to, 256, 7);
  face.Copy(from);
  Clock::time_point start = Clock::now();
  for (int r = 0; r < repetitions * 10; ++r) face.Crossfade(from, to, 0.1f * (r % 10 + 1));
  const double crossfade = MillisecondsSince(start) / (repetitions * 10);
  start = Clock::now();
  for (int r = 0; r < repetitions; ++r) BlendByPixel(face, from, to, 0.1f * (r % 10 + 1));
  const double naive = MillisecondsSince(start) / repetitions;
  std::printf(
      "cross-fade step 256x256: %.3f ms (goal <= 1 ms); per-pixel GetPixelColor blend "
      "%.3f ms; ratio %.1fx faster\n",
      crossfade, naive, naive / crossfade);
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  CWnd host;
  if (!host.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW, 0, 0, 1400, 800, nullptr, nullptr))
    return 1;
  CSkinView* view = new CSkinView;
  RegisterLiveControlFactories(*view);
  if (!view->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1380, 780), &host,
                      AFX_IDW_PANE_FIRST)) {
    return 1;
  }
  SkinContainer container("MainWindow");
  FillPicture(container.background, 1320, 9);
  FillContainer(container, argc > 2 ? std::atoi(argv[2]) : -1);
  view->SetContainer(&container);
  view->Rebuild();
  const double plain = PlainWindowsMs(view->GetSafeHwnd(), container, repetitions);
  const double rebuild = RebuildMs(*view, repetitions);
  std::printf(
      "200 objects: Rebuild %.2f ms, 200 plain child windows %.2f ms, ratio %.2f (goal <= 2)\n",
      rebuild, plain, rebuild / plain);
  CrossfadeTiming(repetitions);
  host.DestroyWindow();
  return 0;
}
