#include "runtime/skin_object_wnd.h"

#include "imaging/dib_image.h"
#include "imaging/dib_section_win.h"
#include "ui/cpaint_dc.h"
#include "ui/cwindow_dc.h"

void SkinObjectWnd::DrawTo(HDC, int, int) {}

LRESULT SkinObjectWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SKINPAINTQUERY) {
    CWnd* parent = GetParent();
    return parent != nullptr ? parent->SendMessage(WM_SKINPAINTQUERY, wParam, lParam) : 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

bool SkinObjectWnd::ParentPaintsMe() {
  CWnd* parent = GetParent();
  return parent != nullptr &&
         parent->SendMessage(WM_SKINPAINTQUERY, reinterpret_cast<WPARAM>(this), 0) != 0;
}

void SkinObjectWnd::PaintSizingFrame(const DibImage* background) {
  CWindowDC dc(m_hWnd);
  if (dc.GetSafeHdc() != nullptr) DrawSizingFrameTo(dc, background);
}

void SkinObjectWnd::DrawSizingFrameTo(HDC dc, const DibImage* background) {
  if (m_hWnd == nullptr || dc == nullptr) return;
  CRect window;
  GetWindowRect(&window);
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  client.OffsetRect(-window.left, -window.top);
  window.OffsetRect(-window.left, -window.top);
  const int saved = ::SaveDC(dc);
  ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  if (background != nullptr && background->IsValid()) {
    background->Tile(dc, window);
  } else {
    ::FillRect(dc, &window, ::GetSysColorBrush(COLOR_WINDOW));
  }
  ::RestoreDC(dc, saved);
}

void SkinObjectWnd::DrawFramedBackground(HDC dc, const CRect& area,
                                         const DibImage* background) const {
  if (background == nullptr || !background->IsValid()) {
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  CRect tiled(area);
  if ((GetStyle() & WS_THICKFRAME) != 0) {
    const CSize frame = FrameOffset();
    tiled.left -= frame.cx;
    tiled.top -= frame.cy;
  }
  background->Tile(dc, tiled);
}

CSize SkinObjectWnd::FrameOffset() const {
  CRect window;
  CRect client;
  GetWindowRect(&window);
  GetClientRect(&client);
  return CSize((window.Width() - client.Width()) / 2, (window.Height() - client.Height()) / 2);
}

void SkinObjectWnd::PostToParentAt(UINT message, WPARAM wParam, CPoint point) {
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return;
  POINT atParent = point;
  ::MapWindowPoints(m_hWnd, parent, &atParent, 1);
  ::PostMessageA(parent, message, wParam, MAKELPARAM(atParent.x, atParent.y));
}

bool SkinObjectWnd::SetMoveModeFlag(bool on) {
  const bool previous = moveMode_;
  moveMode_ = on;
  return previous;
}

bool SkinObjectWnd::BeginMoveDrag(CPoint point) {
  if (!moveMode_) return false;
  CRect window;
  GetWindowRect(&window);
  POINT onScreen = point;
  ClientToScreen(&onScreen);
  moveDragOrigin_ = CPoint(onScreen.x - window.left, onScreen.y - window.top);
  moveDragging_ = true;
  SetCapture();
  return true;
}

void SkinObjectWnd::MoveDragTo(CPoint point) {
  if (!moveMode_ || !moveDragging_) return;
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return;
  POINT atParent = point;
  ::MapWindowPoints(m_hWnd, parent, &atParent, 1);
  SetWindowPos(nullptr, atParent.x - moveDragOrigin_.x, atParent.y - moveDragOrigin_.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOCOPYBITS);
}

void SkinObjectWnd::EndMoveDrag() {
  if (!moveMode_) return;
  moveDragging_ = false;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void SkinObjectWnd::PaintBuffered() {
  CPaintDC paint(this);
  if (ParentPaintsMe()) return;
  CRect client;
  GetClientRect(&client);
  if (::GetDeviceCaps(paint, TECHNOLOGY) == DT_RASPRINTER) {
    DrawTo(paint, 0, 0);
    return;
  }
  DibSection buffer;
  if (!buffer.Create(paint, client.Width(), client.Height(), 24)) return;
  POINT previousOrigin;
  ::SetWindowOrgEx(buffer.Context(), client.left, client.top, &previousOrigin);
  DrawTo(buffer.Context(), 0, 0);
  ::SetWindowOrgEx(buffer.Context(), previousOrigin.x, previousOrigin.y, nullptr);
  ::BitBlt(paint, client.left, client.top, client.Width(), client.Height(), buffer.Context(), 0, 0,
           SRCCOPY);
}
