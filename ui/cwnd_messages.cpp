// CWnd's message cracking: the parameters of each message are taken apart
// here once, and the typed handlers see only what the message means.
#include <windows.h>

#include "ui/cwnd.h"

namespace {

CPoint PointOf(LPARAM lParam) { return CPoint(lParam); }

}  // namespace

bool CWnd::CrackMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const UINT flags = static_cast<UINT>(wParam);
  switch (message) {
    case WM_CREATE:
      result = OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam));
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_ERASEBKGND:
      result = OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
      return true;
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wParam));
      return true;
    case WM_SIZE:
      OnSize(flags, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return true;
    case WM_LBUTTONDOWN:
      OnLButtonDown(flags, PointOf(lParam));
      return true;
    case WM_LBUTTONUP:
      OnLButtonUp(flags, PointOf(lParam));
      return true;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(flags, PointOf(lParam));
      return true;
    case WM_RBUTTONDOWN:
      OnRButtonDown(flags, PointOf(lParam));
      return true;
    case WM_RBUTTONUP:
      OnRButtonUp(flags, PointOf(lParam));
      return true;
    case WM_MOUSEMOVE:
      OnMouseMove(flags, PointOf(lParam));
      return true;
    case WM_MOUSEWHEEL:
      result = OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), PointOf(lParam));
      return true;
    case WM_KEYDOWN:
      OnKeyDown(flags, LOWORD(lParam), HIWORD(lParam));
      return true;
    case WM_CAPTURECHANGED:
      OnCaptureChanged(reinterpret_cast<HWND>(lParam));
      return true;
    case WM_SETFONT:
      OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam));
      return true;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(OnGetFont());
      return true;
    case WM_ENABLE:
      OnEnable(static_cast<BOOL>(wParam));
      return true;
    default:
      return false;
  }
}

int CWnd::OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnCaptureChanged(HWND) { Default(); }
void CWnd::OnSetFont(HFONT, BOOL) { Default(); }
HFONT CWnd::OnGetFont() { return reinterpret_cast<HFONT>(Default()); }
void CWnd::OnEnable(BOOL) { Default(); }
