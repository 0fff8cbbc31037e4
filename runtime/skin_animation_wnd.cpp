#include "runtime/skin_animation_wnd.h"

#include <cstddef>

namespace {

constexpr UINT kResizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

SkinAnimationWnd::~SkinAnimationWnd() {
  if (m_hWnd != nullptr) DestroyWindow();
}

bool SkinAnimationWnd::SetMoveMode(bool on) { return SetMoveModeFlag(on); }

BOOL SkinAnimationWnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (parent == nullptr) return FALSE;
  return CreateEx(0, nullptr, "", style, rect, parent, id);
}

int SkinAnimationWnd::FrameCount() const {
  return frames_ != nullptr ? static_cast<int>(frames_->images.size()) : 0;
}

// --- Timers ----------------------------------------------------------------------

void SkinAnimationWnd::StartTimer(UINT_PTR id, UINT period) { SetTimer(id, period); }

void SkinAnimationWnd::StopTimer(UINT_PTR id) { KillTimer(id); }

int SkinAnimationWnd::OnCreate(LPCREATESTRUCTA createStruct) {
  if (SkinObjectWnd::OnCreate(createStruct) == -1) return -1;
  if (playOnHover_) {
    // Play starts when the cursor comes over the window.
    StartTimer(kHoverTimer, kHoverPeriod);
  } else if (autoPlay_ && !playing_) {
    Play();
  }
  return 0;
}

void SkinAnimationWnd::OnDestroy() {
  StopTimer(kFrameTimer);
  StopTimer(kHoverTimer);
  playing_ = false;
  CancelMoveDrag();
  SkinObjectWnd::OnDestroy();
}

void SkinAnimationWnd::OnTimer(UINT_PTR id) {
  if (id == kFrameTimer || id == kHoverTimer) {
    Tick(id);
    return;
  }
  SkinObjectWnd::OnTimer(id);
}

void SkinAnimationWnd::Tick(UINT_PTR timer) {
  if (m_hWnd == nullptr) return;
  if (timer == kFrameTimer) {
    NextFrame();
  } else if (timer == kHoverTimer) {
    PollHover();
  }
}

void SkinAnimationWnd::StartRun() {
  if (m_hWnd != nullptr && !playing_) Play();
}

void SkinAnimationWnd::Play() {
  StartTimer(kFrameTimer, speed_);
  Invalidate(TRUE);
  playing_ = true;
}

void SkinAnimationWnd::Stop() {
  playing_ = false;
  StopTimer(kFrameTimer);
}

void SkinAnimationWnd::NextFrame() {
  ++current_;
  const int count = FrameCount();
  if (count == 0) {
    current_ = 0;
    Stop();
    Invalidate(TRUE);
    return;
  }
  if (current_ > count - 1) {
    if (playOnHover_ && !CursorOverWindow()) {
      Stop();
      current_ = 0;
      Invalidate(TRUE);
      return;
    }
    if (stopAtEnd_ && !playOnHover_) {
      current_ = count - 1;
      Stop();
      return;
    }
    current_ = 0;
  }
  if (current_ > count - 1) current_ = count - 1;
  Invalidate(TRUE);
}

void SkinAnimationWnd::PollHover() {
  if (!playing_ && CursorOverWindow()) Play();
}

bool SkinAnimationWnd::CursorOverWindow() const {
  POINT cursor;
  if (!::GetCursorPos(&cursor)) return false;
  CRect window;
  GetWindowRect(&window);
  return window.PtInRect(cursor) != FALSE;
}

// --- Drawing -----------------------------------------------------------------------

const DibImage* SkinAnimationWnd::CurrentPicture() const {
  const int count = FrameCount();
  if (count == 0) return nullptr;
  // The object may have lost frames since the last step.
  const int index = current_ < count ? (current_ < 0 ? 0 : current_) : count - 1;
  const DibImage* picture = frames_->images[static_cast<size_t>(index)].get();
  return picture != nullptr && picture->IsValid() ? picture : nullptr;
}

// The client area takes the picture's size; the window keeps its place and
// its place in the z-order.
void SkinAnimationWnd::FitToPicture(const DibImage& picture) {
  CRect client;
  GetClientRect(&client);
  if (client.Width() == picture.Width() && client.Height() == picture.Height()) return;
  RECT outer = {0, 0, picture.Width(), picture.Height()};
  ::AdjustWindowRectEx(&outer, GetStyle(), FALSE, GetExStyle());
  SetWindowPos(nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, kResizeFlags);
}

void SkinAnimationWnd::DrawTo(HDC dc, int x, int y) {
  if (m_hWnd == nullptr || dc == nullptr) return;
  const DibImage* picture = CurrentPicture();
  if (picture != nullptr) FitToPicture(*picture);
  CRect area;
  GetClientRect(&area);
  area.OffsetRect(x, y);
  ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  if (picture != nullptr) picture->Draw(dc, x, y);
}

void SkinAnimationWnd::OnPaint() { PaintBuffered(); }

// The frame and its black ground cover the whole client area.
BOOL SkinAnimationWnd::OnEraseBkgnd(HDC) { return TRUE; }

// --- Mouse -------------------------------------------------------------------------

// Clicks belong to the container: it sees them where they happened.
void SkinAnimationWnd::OnLButtonDown(UINT flags, CPoint point) {
  PostToParentAt(WM_LBUTTONDOWN, flags, point);
}

// With CS_DBLCLKS a quick second click arrives as a double click; the
// container gets it as a press like the first.
void SkinAnimationWnd::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void SkinAnimationWnd::OnRButtonDown(UINT, CPoint point) { BeginMoveDrag(point); }

void SkinAnimationWnd::OnMouseMove(UINT flags, CPoint point) {
  MoveDragTo(point);
  SkinObjectWnd::OnMouseMove(flags, point);
}

void SkinAnimationWnd::OnRButtonUp(UINT flags, CPoint point) {
  EndMoveDrag();
  PostToParentAt(WM_RBUTTONUP, flags, point);
}

void SkinAnimationWnd::OnCaptureChanged(HWND newCapture) {
  if (newCapture != m_hWnd) CancelMoveDrag();
  SkinObjectWnd::OnCaptureChanged(newCapture);
}
