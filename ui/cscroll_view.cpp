#include "ui/cscroll_view.h"

#include <algorithm>

#include "ui/cdc.h"

const SIZE CScrollView::sizeDefault = {0, 0};

void CScrollView::SetScrollSizes(int mapMode, SIZE total, const SIZE& page, const SIZE& line) {
  if (mapMode != MM_TEXT) return;
  m_totalDev = CSize(std::max(0L, total.cx), std::max(0L, total.cy));
  m_pageDev = page;
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  m_lineDev = line;
  if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
  if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
  if (m_hWnd != nullptr) UpdateBars();
}

CPoint CScrollView::GetScrollPosition() const {
  return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

int CScrollView::MaxPosition(int bar) const {
  SCROLLINFO info = {};
  if (!GetScrollInfo(bar, &info, SIF_RANGE | SIF_PAGE)) return 0;
  const int page = static_cast<int>(info.nPage);
  return std::max(0, info.nMax - std::max(page - 1, 0));
}

void CScrollView::ScrollToPosition(POINT position) {
  const CPoint before = GetScrollPosition();
  // SetScrollPos keeps positions inside the bar's range; an absent bar
  // leaves its position at 0.
  SetScrollPos(SB_HORZ,
               std::min(std::max(0L, position.x), static_cast<LONG>(MaxPosition(SB_HORZ))));
  SetScrollPos(SB_VERT,
               std::min(std::max(0L, position.y), static_cast<LONG>(MaxPosition(SB_VERT))));
  const CPoint after = GetScrollPosition();
  if (after != before) ScrollWindow(before.x - after.x, before.y - after.y);
}

void CScrollView::UpdateBars() {
  if (m_insideUpdate || m_hWnd == nullptr) return;
  m_insideUpdate = true;
  const CPoint before = GetScrollPosition();

  // The client area without bars, from the area the bars now take.
  CRect client;
  GetClientRect(&client);
  const DWORD style = GetStyle();
  const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
  const int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
  CSize available(client.Width() + ((style & WS_VSCROLL) ? barWidth : 0),
                  client.Height() + ((style & WS_HSCROLL) ? barHeight : 0));
  bool needHorizontal = m_totalDev.cx > available.cx;
  bool needVertical = m_totalDev.cy > available.cy;
  // A bar in one direction takes room from the other.
  if (needVertical && !needHorizontal) needHorizontal = m_totalDev.cx > available.cx - barWidth;
  if (needHorizontal && !needVertical) needVertical = m_totalDev.cy > available.cy - barHeight;
  if (needVertical) available.cx -= barWidth;
  if (needHorizontal) available.cy -= barHeight;

  SCROLLINFO info = {};
  info.fMask = SIF_PAGE | SIF_RANGE;
  info.nMin = 0;
  info.nMax = needHorizontal ? m_totalDev.cx - 1 : 0;
  info.nPage = needHorizontal ? static_cast<UINT>(std::max(0L, available.cx)) : 0;
  if (!needHorizontal) SetScrollPos(SB_HORZ, 0, FALSE);
  SetScrollInfo(SB_HORZ, &info, TRUE);
  ShowScrollBar(SB_HORZ, needHorizontal);
  info.nMax = needVertical ? m_totalDev.cy - 1 : 0;
  info.nPage = needVertical ? static_cast<UINT>(std::max(0L, available.cy)) : 0;
  if (!needVertical) SetScrollPos(SB_VERT, 0, FALSE);
  SetScrollInfo(SB_VERT, &info, TRUE);
  ShowScrollBar(SB_VERT, needVertical);

  // A larger page can push the position back; keep the content with it.
  SetScrollPos(SB_HORZ, std::min(GetScrollPos(SB_HORZ), MaxPosition(SB_HORZ)));
  SetScrollPos(SB_VERT, std::min(GetScrollPos(SB_VERT), MaxPosition(SB_VERT)));
  const CPoint after = GetScrollPosition();
  if (after != before) ScrollWindow(before.x - after.x, before.y - after.y);
  m_insideUpdate = false;
}

void CScrollView::OnScroll(int bar, UINT code) {
  SCROLLINFO info = {};
  if (!GetScrollInfo(bar, &info, SIF_ALL)) return;
  const bool horizontal = bar == SB_HORZ;
  const int line = horizontal ? m_lineDev.cx : m_lineDev.cy;
  const int page = horizontal ? m_pageDev.cx : m_pageDev.cy;
  int position = info.nPos;
  switch (code) {
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = MaxPosition(bar);
      break;
    case SB_LINEUP:
      position -= line;
      break;
    case SB_LINEDOWN:
      position += line;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    default:
      return;
  }
  CPoint target = GetScrollPosition();
  (horizontal ? target.x : target.y) = position;
  ScrollToPosition(target);
}

BOOL CScrollView::DoMouseWheel(UINT, short delta, POINT) {
  const bool vertical = (GetStyle() & WS_VSCROLL) != 0;
  const bool horizontal = (GetStyle() & WS_HSCROLL) != 0;
  if (!vertical && !horizontal) return FALSE;
  UINT wheelLines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &wheelLines, 0);
  const int page = vertical ? m_pageDev.cy : m_pageDev.cx;
  const int line = vertical ? m_lineDev.cy : m_lineDev.cx;
  int displacement;
  if (wheelLines == WHEEL_PAGESCROLL) {
    displacement = delta > 0 ? -page : page;
  } else {
    displacement = ::MulDiv(-delta, static_cast<int>(wheelLines), WHEEL_DELTA) * line;
    displacement = std::max(-page, std::min(page, displacement));
  }
  if (displacement == 0) return FALSE;
  CPoint target = GetScrollPosition();
  (vertical ? target.y : target.x) += displacement;
  ScrollToPosition(target);
  UpdateWindow();
  return TRUE;
}

void CScrollView::OnPrepareDC(CDC* dc) {
  const CPoint position = GetScrollPosition();
  dc->SetViewportOrg(-position.x, -position.y);
}

LRESULT CScrollView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      const LRESULT result = CView::WindowProc(message, wParam, lParam);
      if (wParam != SIZE_MINIMIZED) UpdateBars();
      return result;
    }
    case WM_HSCROLL:
      if (lParam == 0) {
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
      }
      break;
    case WM_VSCROLL:
      if (lParam == 0) {
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
      }
      break;
    case WM_MOUSEWHEEL:
      if (DoMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), CPoint(lParam)))
        return 0;
      break;
    default:
      break;
  }
  return CView::WindowProc(message, wParam, lParam);
}
