// Interim QorvaEditor.exe: one window titled "QorvaEditor" that shows what the
// imaging layer draws (opaque, scaled, colour-keyed, alpha-blended and tiled
// pictures). It is replaced by the editor's frame when that is built.
#include <windows.h>

#include <memory>

#include "imaging/dib_image.h"

namespace {

const char kPreviewNotice[] =
    "The editor's frame is not built yet. This window previews the imaging layer: "
    "opaque, scaled, colour-keyed, alpha-blended and tiled pictures.";

struct PreviewPictures {
  DibImage gradient;
  DibImage keyed;
  DibImage translucent;
  DibImage tile;
};

void FillGradient(DibImage& image) {
  image.Create(160, 120, 24, DibImage::kFormatBmp);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      image.SetPixelColor(x, y, RGBQUAD{BYTE(x * 255 / 159), BYTE(y * 2), BYTE(255 - x), 0});
}

// A 4-bit ring whose palette entry 0 is the transparent key colour.
void FillKeyed(DibImage& image) {
  image.Create(96, 96, 4, DibImage::kFormatBmp);
  image.SetPaletteColor(0, 255, 0, 255);
  image.SetPaletteColor(1, 30, 90, 200);
  image.SetPaletteColor(2, 250, 220, 40);
  image.SetTransparentIndex(0);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) {
      const int dx = x - 48, dy = y - 48, d = dx * dx + dy * dy;
      image.SetPixelIndex(x, y, d < 900 ? 2 : d < 2200 ? 1 : 0);
    }
}

// A 24-bit square fading from opaque to clear through its alpha plane.
void FillTranslucent(DibImage& image) {
  image.Create(128, 96, 24, DibImage::kFormatPng);
  image.AlphaCreate();
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 128; ++x) {
      image.SetPixelColor(x, y, RGBQUAD{20, 20, 220, 0});
      image.AlphaSet(x, y, BYTE(255 - x * 2));
    }
}

void FillTile(DibImage& image) {
  image.Create(16, 16, 8, DibImage::kFormatBmp);
  image.SetGrayPalette();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) image.SetPixelIndex(x, y, BYTE(((x / 4 + y / 4) % 2) ? 200 : 150));
}

void Paint(HWND window, const PreviewPictures& pictures) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  RECT tiled{0, 0, client.right, 140};
  pictures.tile.Tile(dc, tiled);
  pictures.gradient.Draw(dc, 10, 10);
  pictures.gradient.Draw(dc, 180, 10, 240, 120);
  pictures.keyed.Draw(dc, 430, 20);
  pictures.translucent.Draw(dc, 540, 20);
  RECT text{10, 160, client.right - 10, client.bottom - 10};
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, kPreviewNotice, -1, &text, DT_WORDBREAK);
  EndPaint(window, &ps);
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* pictures = reinterpret_cast<PreviewPictures*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      return 0;
    }
    case WM_PAINT:
      if (pictures) Paint(window, *pictures);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  auto pictures = std::make_unique<PreviewPictures>();
  FillGradient(pictures->gradient);
  FillKeyed(pictures->keyed);
  FillTranslucent(pictures->translucent);
  FillTile(pictures->tile);

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PreviewProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "QorvaImagingPreview";
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowA("QorvaImagingPreview", "QorvaEditor", WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 720, 300, nullptr, nullptr,
                              instance, pictures.get());
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
