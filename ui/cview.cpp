#include "ui/cview.h"

#include "ui/cframe_wnd.h"
#include "ui/cpaint_dc.h"

void CView::OnDraw(CDC*) {}

void CView::OnPrepareDC(CDC*) {}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs) {
  if (cs.lpszClass == nullptr) {
    // The default WM_ERASEBKGND handling fills views with the window colour.
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  }
  return CWnd::PreCreateWindow(cs);
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_INITIALUPDATE:
      OnInitialUpdate();
      return 0;
    case WM_MOUSEACTIVATE:
    case WM_SETFOCUS:
      if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(this);
      break;
    case WM_DESTROY:
      if (CFrameWnd* frame = GetParentFrame()) frame->OnViewDestroyed(this);
      break;
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void CView::PostNcDestroy() { delete this; }
