#include "runtime/skin_object_wnd.h"

#include "imaging/dib_section_win.h"
#include "ui/cpaint_dc.h"

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
