#include "ui/ccontrol_bar.h"

#include "ui/cframe_wnd.h"

CSize CControlBar::CalcFixedLayout(BOOL, BOOL) {
  CRect rect;
  GetWindowRect(&rect);
  return rect.Size();
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_IDLEUPDATECMDUI) {
    // The bar's own visibility: a hidden frame still updates its bars.
    if (GetStyle() & WS_VISIBLE) {
      CFrameWnd* frame = GetParentFrame();
      if (frame != nullptr) OnUpdateCmdUI(frame, static_cast<BOOL>(wParam));
    }
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
