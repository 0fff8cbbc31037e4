#include "runtime/skin_vu_meter_wnd.h"

#include <algorithm>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/dib_section_win.h"
#include "imaging/gdi_object_win.h"
#include "imaging/selected_object_win.h"
#include "ui/cpaint_dc.h"
#include "ui/crgn.h"
#include "ui/cwindow_dc.h"

namespace {

constexpr int kN = SpectrumTransform::kSize;
constexpr int kScopeSamples = WaveInCapture::kRecordedSamples;
// A sample or magnitude of this size reaches the full height.
constexpr double kFullScale = 65535.0;

RGBQUAD QuadOf(COLORREF color) {
  RGBQUAD quad = {};
  quad.rgbRed = GetRValue(color);
  quad.rgbGreen = GetGValue(color);
  quad.rgbBlue = GetBValue(color);
  return quad;
}

// Saves the DC's state and gives it back, clip region included.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  ~SavedDcState() {
    if (saved_ != 0) ::RestoreDC(dc_, saved_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace

SkinVUMeterWnd::SkinVUMeterWnd(WaveInCapture& capture) : capture_(capture) {
  capture_.Start(false);
}

SkinVUMeterWnd::~SkinVUMeterWnd() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL SkinVUMeterWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (parent == nullptr) return FALSE;
  return CreateEx(0, nullptr, "", style, rect, parent, id);
}

void SkinVUMeterWnd::SetSegmentSize(int size) {
  segmentSize_ = std::clamp(size, 1, kMaxSegment);
  SetSegmentPos(segmentPos_);
}

void SkinVUMeterWnd::SetSegmentPos(int position) {
  segmentPos_ = std::clamp(position, 0, kMaxSegment - segmentSize_);
}

// --- Refreshing ----------------------------------------------------------------

int SkinVUMeterWnd::OnCreate(LPCREATESTRUCTA createStruct) {
  if (SkinObjectWnd::OnCreate(createStruct) == -1) return -1;
  running_ = true;
  SetTimer(kRefreshTimer, kRefreshPeriod);
  return 0;
}

void SkinVUMeterWnd::OnDestroy() {
  if (running_) {
    KillTimer(kRefreshTimer);
    running_ = false;
  }
  SkinObjectWnd::OnDestroy();
}

void SkinVUMeterWnd::OnTimer(UINT_PTR id) {
  if (id == kRefreshTimer) {
    Tick();
    return;
  }
  SkinObjectWnd::OnTimer(id);
}

void SkinVUMeterWnd::ReadCapture(int16_t* samples) {
  capture_.Requeue();
  capture_.CopySamples(samples);
}

void SkinVUMeterWnd::Tick() {
  if (mode_ == kOff) return;
  int16_t samples[kN];
  ReadCapture(samples);
  double* input = transform_.Input();
  for (int k = 0; k < kN; ++k) input[k] = samples[k];
  transform_.Run();
  ++transformsRun_;
  if (m_hWnd == nullptr || !IsWindowVisible()) return;
  if (HasSizingFrame()) {
    PaintWindow();
  } else {
    Invalidate(FALSE);
  }
}

// --- Painting --------------------------------------------------------------------

bool SkinVUMeterWnd::HasSizingFrame() const { return (GetStyle() & WS_THICKFRAME) != 0; }

void SkinVUMeterWnd::OnPaint() {
  if (HasSizingFrame()) {
    // The frame painting covers the client area too.
    CPaintDC paint(this);
    return;
  }
  if (mode_ != kOff) {
    PaintBuffered();
    return;
  }
  CPaintDC paint(this);
  if (!ParentPaintsMe()) DrawTo(paint, 0, 0);
}

void SkinVUMeterWnd::PaintWindow() {
  CWindowDC dc(m_hWnd);
  if (dc.GetSafeHdc() == nullptr) return;
  CRect window;
  GetWindowRect(&window);
  DibSection buffer;
  if (!buffer.Create(dc, window.Width(), window.Height(), 24)) return;
  DrawTo(buffer.Context(), 0, 0);
  ::BitBlt(dc, 0, 0, window.Width(), window.Height(), buffer.Context(), 0, 0, SRCCOPY);
}

// The face covers the whole window; erasing first would only flicker.
BOOL SkinVUMeterWnd::OnEraseBkgnd(HDC) { return TRUE; }

LRESULT SkinVUMeterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCPAINT && HasSizingFrame()) {
    PaintWindow();
    return 0;
  }
  return SkinObjectWnd::WindowProc(message, wParam, lParam);
}

// --- Drawing ---------------------------------------------------------------------

void SkinVUMeterWnd::DrawTo(HDC dc, int x, int y) {
  if (m_hWnd == nullptr || dc == nullptr) return;
  CRect window;
  GetWindowRect(&window);
  const CRect area(x, y, x + window.Width(), y + window.Height());
  DrawBackground(dc, area);
  if (mode_ == kOff || area.IsRectEmpty()) return;
  GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, foreColor_));
  const SelectedObject selectedPen(dc, pen.Get());
  switch (mode_) {
    case kScope:
      DrawScope(dc, area);
      break;
    case kSpectrum:
      DrawSpectrumCurve(dc, area);
      break;
    case kBars:
      DrawBars(dc, area);
      break;
    default:
      break;
  }
}

void SkinVUMeterWnd::DrawPicture(HDC dc, const DibImage& picture, const RECT& area) const {
  if (stretchBitmaps_) {
    picture.Stretch(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
  } else {
    picture.Tile(dc, area);
  }
}

void SkinVUMeterWnd::DrawBackground(HDC dc, const RECT& area) const {
  if (backBitmap_ != nullptr && backBitmap_->IsValid()) {
    DrawPicture(dc, *backBitmap_, area);
    return;
  }
  GdiObject<HBRUSH> brush(::CreateSolidBrush(backColor_));
  ::FillRect(dc, &area, brush.Get());
}

void SkinVUMeterWnd::DrawScope(HDC dc, const RECT& area) const {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const int middle = area.top + height / 2;
  if (!running_) {
    const POINT flat[2] = {{area.left, middle}, {area.right, middle}};
    DrawPoints(dc, flat, 2);
    return;
  }
  std::vector<POINT> points(static_cast<size_t>(width));
  const float step = static_cast<float>(width) * (1.0f / kScopeSamples);
  const double scale = kFullScale / height;
  const double* input = transform_.Input();
  for (int i = 0; i < width; ++i) {
    const int first = std::min(static_cast<int>(i / step), kScopeSamples - 1);
    const int last = std::min(static_cast<int>((i + 1) / step), kScopeSamples);
    int value = static_cast<int>(input[first]);
    if (last - first > 1) {
      int sum = 0;
      for (int n = first; n < last; ++n) sum += static_cast<int>(input[n]);
      value = sum / (last - first);
    }
    const int y = area.top - static_cast<int>(value / scale - height * 0.5);
    // The lowest sample would reach one row below the meter.
    points[i] = {area.left + i, std::clamp<int>(y, area.top, area.bottom - 1)};
  }
  DrawPoints(dc, points.data(), width);
}

double SkinVUMeterWnd::MagnitudeAt(double fromPixel, double toPixel, int width) const {
  // Pixels per bin, over the window of segment size / 2 bins that starts at
  // bin segment pos / 2.
  const float pixelsPerBin = static_cast<float>(width) / (segmentSize_ * 0.5f);
  const double firstBin = segmentPos_ * 0.5;
  const int from = std::min(static_cast<int>(firstBin + fromPixel / pixelsPerBin), kN - 1);
  const int to = std::min(static_cast<int>(firstBin + toPixel / pixelsPerBin), kN);
  if (to - from <= 1) return transform_.Magnitude(from);
  double largest = 0.0;
  for (int k = from; k < to; ++k) largest = std::max(largest, transform_.Magnitude(k));
  return largest;
}

int SkinVUMeterWnd::SpectrumY(const RECT& area, double magnitude) const {
  const int height = area.bottom - area.top;
  const int y = area.top + static_cast<int>(height - magnitude / (kFullScale / height));
  // A loud tone's bins reach far above the meter: they stop at its top row.
  return std::clamp<int>(y, area.top, area.bottom - 1);
}

void SkinVUMeterWnd::DrawSpectrumCurve(HDC dc, const RECT& area) const {
  const int width = area.right - area.left;
  if (!running_) {
    const POINT bottom[2] = {{area.left, area.bottom - 1}, {area.right, area.bottom - 1}};
    DrawPoints(dc, bottom, 2);
    return;
  }
  std::vector<POINT> points(static_cast<size_t>(width));
  for (int i = 0; i < width; ++i)
    points[i] = {area.left + i, SpectrumY(area, MagnitudeAt(i, i + 1, width))};
  DrawPoints(dc, points.data(), width);
}

void SkinVUMeterWnd::DrawPoints(HDC dc, const POINT* points, int count) const {
  if (count < 2) return;
  HBITMAP target = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
  DibImage canvas;
  if (!antialiasing_ || !canvas.CreateFromHBITMAP(target)) {
    ::Polyline(dc, points, count);
    return;
  }
  // The picture counts its rows from the bottom.
  const int bottomRow = canvas.Height() - 1;
  const RGBQUAD color = QuadOf(foreColor_);
  for (int i = 1; i < count; ++i) {
    canvas.DrawLine(points[i - 1].x, bottomRow - points[i - 1].y, points[i].x,
                    bottomRow - points[i].y, color, true);
  }
  canvas.Draw(dc, 0, 0);
}

void SkinVUMeterWnd::DrawBars(HDC dc, const RECT& area) const {
  const int width = area.right - area.left;
  std::vector<POINT> corners;
  if (!running_) {
    corners = {{area.left, area.bottom},
               {area.left, area.bottom - 1},
               {area.right, area.bottom - 1},
               {area.right, area.bottom}};
  } else {
    const int bars = std::min(barsCount_, width);
    const double barWidth = static_cast<double>(width) / bars;
    corners.reserve(static_cast<size_t>(2 * bars + 2));
    corners.push_back({area.left, area.bottom});
    // Positions from the bar's number, not by adding widths up: the sum can
    // fall just short of the width and add a sliver of a bar in the last
    // column, showing bins beyond the window.
    for (int bar = 0; bar < bars; ++bar) {
      const double x = bar * barWidth;
      const int left = area.left + static_cast<int>(x);
      const int y = SpectrumY(area, MagnitudeAt(x, x + barWidth, width));
      corners.push_back({left, y});
      corners.push_back({static_cast<int>(left + barWidth), y});
    }
    corners.push_back({area.right, area.bottom});
  }
  // Regions are in device units.
  ::LPtoDP(dc, corners.data(), static_cast<int>(corners.size()));
  CRgn bars;
  if (!bars.CreatePolygonRgn(corners.data(), static_cast<int>(corners.size()), WINDING)) return;
  const SavedDcState saved(dc);
  ::ExtSelectClipRgn(dc, bars, RGN_AND);
  if (foreBitmap_ != nullptr && foreBitmap_->IsValid()) {
    DrawPicture(dc, *foreBitmap_, area);
    return;
  }
  GdiObject<HBRUSH> brush(::CreateSolidBrush(foreColor_));
  ::FillRect(dc, &area, brush.Get());
}

// --- Mouse ---------------------------------------------------------------------

void SkinVUMeterWnd::OnLButtonDblClk(UINT, CPoint) {
  mode_ = (mode_ + 1) % 4;
  Invalidate(TRUE);
}

void SkinVUMeterWnd::OnLButtonDown(UINT flags, CPoint point) {
  PostToParentAt(WM_LBUTTONDOWN, flags, point);
}

void SkinVUMeterWnd::OnRButtonDown(UINT, CPoint point) { BeginMoveDrag(point); }

void SkinVUMeterWnd::OnMouseMove(UINT flags, CPoint point) {
  MoveDragTo(point);
  SkinObjectWnd::OnMouseMove(flags, point);
}

void SkinVUMeterWnd::OnRButtonUp(UINT flags, CPoint point) {
  EndMoveDrag();
  PostToParentAt(WM_RBUTTONUP, flags, point);
}

void SkinVUMeterWnd::OnCaptureChanged(HWND newCapture) {
  if (newCapture != m_hWnd) CancelMoveDrag();
  SkinObjectWnd::OnCaptureChanged(newCapture);
}
