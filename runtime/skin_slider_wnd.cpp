#include "runtime/skin_slider_wnd.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>

#include "imaging/dib_section_win.h"
#include "ui/cpaint_dc.h"

namespace {

constexpr COLORREF kBlackKey = 0x000000;
constexpr COLORREF kWhiteKey = 0xFFFFFF;

// The colour as a key: the stored blue, green, red bytes as 0x00BBGGRR.
COLORREF KeyOf(RGBQUAD color) {
  return (static_cast<COLORREF>(color.rgbBlue) << 16) |
         (static_cast<COLORREF>(color.rgbGreen) << 8) | color.rgbRed;
}

// Truncation toward zero that never overflows: the formulas divide by
// sizes and ranges that may be tiny, so their results may be anything.
long long Truncated(double value) {
  constexpr double kLimit = 9.0e18;
  if (value != value) return 0;  // NaN
  if (value >= kLimit) return static_cast<long long>(kLimit);
  if (value <= -kLimit) return -static_cast<long long>(kLimit);
  return static_cast<long long>(value);
}

int SaturatedInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool HasPixels(const DibImage* image) { return image != nullptr && image->IsValid(); }

// Limits drawing on a DC to a rectangle for the lifetime of the object and
// gives the DC its previous clipping back afterwards.
class ClipScope {
 public:
  ClipScope(HDC dc, const RECT& rect) : dc_(dc), saved_(::SaveDC(dc)) {
    ::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
  ~ClipScope() {
    if (saved_ != 0) ::RestoreDC(dc_, saved_);
  }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace

SkinSliderWnd::~SkinSliderWnd() {
  // Destroyed here, while this class's handlers can still run.
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL SkinSliderWnd::Create(const DibImage* bitmapA, const DibImage* bitmapB,
                           const RECT& segmentRect, const CRgn* windowRgn, DWORD style,
                           CWnd* parent, bool mapMode, UINT id) {
  if (m_hWnd != nullptr) return FALSE;
  bitmapA_ = bitmapA;
  bitmapB_ = bitmapB;
  segmentRect_ = segmentRect;
  mapMode_ = mapMode;
  CRect rect(segmentRect);
  if (mapMode_) {
    BuildColorSet();
  } else {
    const int width = HasPixels(bitmapA_) ? bitmapA_->Width() : 0;
    const int height = HasPixels(bitmapA_) ? bitmapA_->Height() : 0;
    rect = CRect(segmentRect.left, segmentRect.top, segmentRect.left + width,
                 segmentRect.top + height);
  }
  if (!CWnd::Create(nullptr, "", style, rect, parent, id)) return FALSE;
  if (windowRgn != nullptr && !windowRgn->IsNull()) {
    // The window takes the copy and frees it with itself.
    CRgn shape;
    if (shape.CreateRectRgn(0, 0, 0, 0) && shape.CopyRgn(windowRgn) != ERROR &&
        ::SetWindowRgn(m_hWnd, shape, TRUE) != 0)
      shape.Detach();
  }
  return TRUE;
}

bool SkinSliderWnd::SetMoveMode(bool on) {
  const bool previous = moveMode_;
  moveMode_ = on;
  return previous;
}

void SkinSliderWnd::SetPos(int v) {
  if (tracking_) return;
  value_ = Clamped(v);
  if (mapMode_) {
    const int count = SegmentCount();
    long long index = 0;
    if (maximum_ != 0 && count > 0)
      index = Truncated(v / (static_cast<double>(maximum_) / count) + 0.5);
    index = std::max<long long>(std::min<long long>(index, count - 1), 0);
    segmentIndex_ = static_cast<int>(index);
  }
  if (segmentIndex_ != shownSegment_ || value_ != shownValue_) Redraw();
}

void SkinSliderWnd::SetRange(int minimum, int maximum) {
  minimum_ = std::min(minimum, maximum);
  maximum_ = std::max(minimum, maximum);
  value_ = Clamped(value_);
  if (value_ != shownValue_) Redraw();
}

// segmentRect_ comes from the skin file: its size is taken without overflow.
long long SkinSliderWnd::FrameWidth() const {
  return static_cast<long long>(segmentRect_.right) - segmentRect_.left;
}

long long SkinSliderWnd::FrameHeight() const {
  return static_cast<long long>(segmentRect_.bottom) - segmentRect_.top;
}

int SkinSliderWnd::SegmentCount() const {
  if (!HasPixels(bitmapA_)) return 0;
  const long long frameWidth = FrameWidth();
  const long long frameHeight = FrameHeight();
  if (frameWidth <= 0 || frameHeight <= 0) return 0;
  const long long width = bitmapA_->Width();
  const long long height = bitmapA_->Height();
  if (width > 2 * frameWidth && height < 2 * frameHeight)
    return static_cast<int>(width / frameWidth);
  if (height > 2 * frameHeight && width < 2 * frameWidth)
    return static_cast<int>(height / frameHeight);
  return 0;
}

bool SkinSliderWnd::IsVerticalStrip() const {
  if (!HasPixels(bitmapA_)) return false;
  return bitmapA_->Height() > 2 * FrameHeight() && bitmapA_->Width() < 2 * FrameWidth();
}

// --- Colour keys and values ---------------------------------------------

void SkinSliderWnd::BuildColorSet() {
  colorSet_.clear();
  if (!HasPixels(bitmapB_)) return;
  std::set<COLORREF> keys;
  COLORREF last = kBlackKey;
  for (int x = 0; x < bitmapB_->Width(); ++x) {
    for (int y = 0; y < bitmapB_->Height(); ++y) {
      const COLORREF key = KeyOf(bitmapB_->GetPixelColor(x, y));
      if (key == kBlackKey || key == kWhiteKey) continue;
      // Neighbours mostly share their colour; the set needs each key once.
      if (key == last) continue;
      last = key;
      keys.insert(key);
    }
  }
  colorSet_.assign(keys.begin(), keys.end());
}

int SkinSliderWnd::ColorRank(COLORREF key) const {
  const auto found = std::lower_bound(colorSet_.begin(), colorSet_.end(), key);
  if (found == colorSet_.end() || *found != key) return -1;
  return static_cast<int>(found - colorSet_.begin());
}

int SkinSliderWnd::Clamped(long long v) const {
  return static_cast<int>(std::clamp<long long>(v, minimum_, maximum_));
}

void SkinSliderWnd::TrackPoint(CPoint point, bool updateValue) {
  CRect client;
  GetClientRect(&client);
  if (mapMode_) {
    MapValueAt(point, client, updateValue);
  } else if (updateValue) {
    value_ = FillValueAt(point, client);
  }
  value_ = Clamped(value_);
}

int SkinSliderWnd::FillValueAt(CPoint point, const CRect& client) const {
  const int length = vertical_ ? client.Height() : client.Width();
  // Without a range there is only one value; without a length no point
  // means anything.
  if (maximum_ == 0) return Clamped(0);
  if (length <= 0) return value_;
  const double perUnit = static_cast<double>(length) / maximum_;
  if (!vertical_) return Clamped(Truncated(point.x / perUnit + 0.5));
  return Clamped(maximum_ - Truncated(point.y / perUnit + 0.5));
}

void SkinSliderWnd::MapValueAt(CPoint point, const CRect& client, bool updateValue) {
  if (!HasPixels(bitmapB_) || !client.PtInRect(point)) return;
  // The map's stored rows count from its bottom line.
  const COLORREF key = KeyOf(bitmapB_->GetPixelColor(point.x, bitmapB_->Height() - 1 - point.y));
  const int rank = ColorRank(key);
  const int count = SegmentCount();
  if (rank >= 0) {
    // The keys share the frames evenly, in ascending key order.
    const double step = static_cast<double>(count) / static_cast<double>(colorSet_.size());
    double position = 0.0;
    for (int passed = 0; passed < rank; ++passed) position += step;
    long long index = Truncated(position + 0.5);
    index = std::max<long long>(std::min<long long>(index, count - 1), 0);
    segmentIndex_ = static_cast<int>(index);
  }
  if (!updateValue) return;
  if (count > 0) {
    value_ = Clamped(Truncated(static_cast<double>(maximum_) / count * segmentIndex_));
  } else if (rank >= 0) {
    // No strip, so no frames: the keys themselves share the range.
    value_ = Clamped(
        Truncated(static_cast<double>(maximum_) / static_cast<double>(colorSet_.size()) * rank));
  }
}

void SkinSliderWnd::Redraw() {
  shownValue_ = value_;
  shownSegment_ = segmentIndex_;
  if (m_hWnd != nullptr) Invalidate(TRUE);
}

void SkinSliderWnd::Notify(WORD code) {
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return;
  ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code),
                 reinterpret_cast<LPARAM>(m_hWnd));
}

CPoint SkinSliderWnd::InParent(CPoint point) const {
  ::MapWindowPoints(m_hWnd, ::GetParent(m_hWnd), &point, 1);
  return point;
}

// --- Mouse ----------------------------------------------------------------

void SkinSliderWnd::OnLButtonDown(UINT, CPoint point) {
  tracking_ = true;
  SetCapture();
  TrackPoint(point, true);
  Notify(kPressed);
  Redraw();
}

// The window class sends the second press of a quick double click as a
// double click; it is a press like any other.
void SkinSliderWnd::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void SkinSliderWnd::OnMouseMove(UINT flags, CPoint point) {
  if (moveMode_ && (flags & MK_RBUTTON) != 0) {
    if (!dragging_) return;
    // Keep the grabbed point under the cursor: dragOrigin_ is in client
    // coordinates, the window is placed by its outer corner (a sizing
    // frame lies between the two).
    CRect window;
    GetWindowRect(&window);
    CPoint clientCorner(0, 0);
    ClientToScreen(&clientCorner);
    CPoint corner = InParent(point);
    corner.Offset(-dragOrigin_.x - (clientCorner.x - window.left),
                  -dragOrigin_.y - (clientCorner.y - window.top));
    SetWindowPos(nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOCOPYBITS);
    return;
  }
  if ((flags & MK_LBUTTON) == 0) return;
  TrackPoint(point, true);
  Redraw();
  Notify(kDragged);
}

void SkinSliderWnd::OnLButtonUp(UINT, CPoint point) {
  tracking_ = false;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  // In map mode only the frame follows the release; the value stays what
  // the press or the last move made it.
  TrackPoint(point, !mapMode_);
  Notify(kReleased);
  Redraw();
}

BOOL SkinSliderWnd::OnMouseWheel(UINT, short delta, CPoint) {
  // One notch moves a hundredth of the range, so a range below 100 stays.
  const long long range = static_cast<long long>(maximum_) - minimum_;
  const long long step = (range / 100) * (delta / WHEEL_DELTA);
  SetPos(SaturatedInt(value_ + step));
  Notify(kWheeled);
  return TRUE;
}

void SkinSliderWnd::OnRButtonDown(UINT, CPoint point) {
  if (!moveMode_) return;
  dragOrigin_ = point;
  dragging_ = true;
  SetCapture();
}

void SkinSliderWnd::OnRButtonUp(UINT flags, CPoint point) {
  if (moveMode_) {
    dragging_ = false;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  }
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return;
  const CPoint where = InParent(point);
  ::PostMessageA(parent, WM_RBUTTONUP, flags, MAKELPARAM(where.x, where.y));
}

// A drag whose capture another window took has ended: without this the
// slider would go on ignoring SetPos after the button is long up.
void SkinSliderWnd::OnCaptureChanged(HWND newCapture) {
  if (newCapture == m_hWnd) return;
  tracking_ = false;
  dragging_ = false;
}

// --- Drawing --------------------------------------------------------------

void SkinSliderWnd::OnDestroy() {
  colorSet_.clear();
  tracking_ = false;
  dragging_ = false;
  SkinObjectWnd::OnDestroy();
}

void SkinSliderWnd::OnPaint() {
  CPaintDC paint(this);
  if (ParentPaintsMe()) return;
  DrawTo(paint, 0, 0);
}

// The face covers the whole client area; erasing first would only flicker.
BOOL SkinSliderWnd::OnEraseBkgnd(HDC) { return TRUE; }

void SkinSliderWnd::DrawTo(HDC dc, int x, int y) {
  if (dc == nullptr || m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  // Composed off screen in a section compatible with the display, then put
  // on dc in one blit.
  DibSection buffer;
  if (!buffer.Create(nullptr, client.Width(), client.Height(), 32)) return;
  DrawFace(buffer.Context(), client);
  ::BitBlt(dc, x, y, client.Width(), client.Height(), buffer.Context(), 0, 0, SRCCOPY);
}

void SkinSliderWnd::DrawFace(HDC dc, const CRect& client) const {
  if (asPoint_) {
    DrawThumb(dc, client);
  } else if (mapMode_) {
    DrawSegment(dc, client);
  } else {
    DrawFill(dc, client);
  }
}

int SkinSliderWnd::ValueExtent(int length) const {
  if (maximum_ == 0) return 0;
  return SaturatedInt(std::llabs(::MulDiv(value_, length, maximum_)));
}

void SkinSliderWnd::DrawThumb(HDC dc, const CRect& client) const {
  if (HasPixels(bitmapA_)) bitmapA_->Draw(dc, 0, 0);
  if (!HasPixels(bitmapB_)) return;
  const int width = client.Width();
  const int height = client.Height();
  const int thumbWidth = bitmapB_->Width();
  const int thumbHeight = bitmapB_->Height();
  if (vertical_) {
    bitmapB_->Draw(dc, width / 2 - thumbWidth / 2,
                   (height - thumbHeight) - ValueExtent(height - thumbHeight));
  } else {
    bitmapB_->Draw(dc, ValueExtent(width - thumbWidth), height / 2 - thumbHeight / 2);
  }
}

// The frames step by the strip's frame size (segmentRect_), which is the
// client size only when the window has no frame of its own.
void SkinSliderWnd::DrawSegment(HDC dc, const CRect& client) const {
  if (!HasPixels(bitmapA_)) return;
  ClipScope clip(dc, CRect(0, 0, client.Width(), client.Height()));
  // The index stays below the frame count, so the offset stays inside the strip.
  const long long vertical = IsVerticalStrip() ? FrameHeight() * segmentIndex_ : 0;
  const long long horizontal = IsVerticalStrip() ? 0 : FrameWidth() * segmentIndex_;
  bitmapA_->Draw(dc, -SaturatedInt(horizontal), -SaturatedInt(vertical));
}

void SkinSliderWnd::DrawFill(HDC dc, const CRect& client) const {
  const int width = client.Width();
  const int height = client.Height();
  const int fill = std::min(ValueExtent(vertical_ ? height : width), vertical_ ? height : width);
  const CRect emptyPart =
      vertical_ ? CRect(0, 0, width, height - fill) : CRect(fill, 0, width, height);
  const CRect fullPart =
      vertical_ ? CRect(0, height - fill, width, height) : CRect(0, 0, fill, height);
  if (HasPixels(bitmapA_)) {
    // A Full bitmap with an alpha plane shows the Empty one through it.
    if (HasPixels(bitmapB_) && bitmapB_->HasAlpha()) {
      bitmapA_->Draw(dc, 0, 0);
    } else {
      ClipScope clip(dc, emptyPart);
      bitmapA_->Draw(dc, 0, 0);
    }
  }
  if (HasPixels(bitmapB_)) {
    ClipScope clip(dc, fullPart);
    bitmapB_->Draw(dc, 0, 0);
  }
}
