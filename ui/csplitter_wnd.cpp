#include "ui/csplitter_wnd.h"

#include <algorithm>

namespace {

const int kRows = 1;
const int kCols = 2;

bool ValidPane(int row, int col) { return row >= 0 && row < kRows && col >= 0 && col < kCols; }

}  // namespace

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int cols, DWORD style, UINT id) {
  if (parent == nullptr || rows != kRows || cols != kCols) return FALSE;
  const char* className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  CRect client;
  parent->GetClientRect(&client);
  return CreateEx(0, className, "", style | WS_CHILD | WS_CLIPCHILDREN, client, parent, id);
}

BOOL CSplitterWnd::CreateView(int row, int col, CWnd* view, SIZE initialSize) {
  if (view == nullptr || m_hWnd == nullptr || !ValidPane(row, col) || GetPane(row, col) != nullptr)
    return FALSE;
  m_idealWidth[col] = initialSize.cx;
  const CRect empty(0, 0, 0, 0);
  if (!view->CreateEx(WS_EX_CLIENTEDGE, nullptr, "", WS_CHILD | WS_VISIBLE, empty, this,
                      static_cast<UINT>(IdFromRowCol(row, col)))) {
    return FALSE;
  }
  RecalcLayout();
  return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  if (!ValidPane(row, col)) return nullptr;
  return FromHandle(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

void CSplitterWnd::SetColumnInfo(int col, int idealWidth, int minWidth) {
  if (col < 0 || col >= kCols) return;
  m_idealWidth[col] = std::max(0, idealWidth);
  m_minWidth[col] = std::max(0, minWidth);
}

void CSplitterWnd::GetColumnInfo(int col, int& idealWidth, int& minWidth) const {
  idealWidth = minWidth = 0;
  if (col < 0 || col >= kCols) return;
  CWnd* pane = GetPane(0, col);
  if (pane != nullptr) {
    CRect rect;
    pane->GetWindowRect(&rect);
    idealWidth = rect.Width();
  }
  minWidth = m_minWidth[col];
}

CRect CSplitterWnd::BarRect() const {
  CRect client;
  GetClientRect(&client);
  const int left = std::min(m_idealWidth[0], std::max(0, client.Width() - kBarWidth));
  return CRect(left, 0, left + kBarWidth, client.Height());
}

void CSplitterWnd::RecalcLayout() {
  if (m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  const CRect bar = BarRect();
  if (CWnd* left = GetPane(0, 0)) left->MoveWindow(0, 0, bar.left, client.Height());
  if (CWnd* right = GetPane(0, 1))
    right->MoveWindow(bar.right, 0, std::max(0L, client.right - bar.right), client.Height());
  InvalidateRect(&bar);
}

void CSplitterWnd::DrawBar(HDC dc) {
  const CRect bar = BarRect();
  ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_BTNFACE));
}

void CSplitterWnd::OnLButtonDown(CPoint point) {
  const CRect bar = BarRect();
  if (!bar.PtInRect(point)) return;
  m_tracking = true;
  m_trackOffset = point.x - bar.left;
  SetCapture();
}

void CSplitterWnd::OnMouseMove(CPoint point) {
  if (!m_tracking) return;
  CRect client;
  GetClientRect(&client);
  int left = point.x - m_trackOffset;
  // Keep both columns at least their minimum width where there is room.
  left = std::min(left, static_cast<int>(client.Width()) - kBarWidth - m_minWidth[1]);
  left = std::max(left, m_minWidth[0]);
  left = std::max(left, 0);
  if (left == m_idealWidth[0]) return;
  m_idealWidth[0] = left;
  RecalcLayout();
}

void CSplitterWnd::StopTracking() {
  if (!m_tracking) return;
  m_tracking = false;
  if (GetCapture() == this) ReleaseCapture();
}

LRESULT CSplitterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      RecalcLayout();
      break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(m_hWnd, &paint);
      DrawBar(dc);
      ::EndPaint(m_hWnd, &paint);
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == m_hWnd) {
        POINT point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (BarRect().PtInRect(point)) {
          ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
          return TRUE;
        }
      }
      break;
    case WM_LBUTTONDOWN:
      OnLButtonDown(CPoint(lParam));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(CPoint(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
      StopTracking();
      break;
    case WM_CAPTURECHANGED:
      m_tracking = false;
      break;
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return FALSE;
  ::SendMessageA(parent, WM_COMMAND, wParam, lParam);
  return TRUE;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return FALSE;
  *result = ::SendMessageA(parent, WM_NOTIFY, wParam, lParam);
  return TRUE;
}
