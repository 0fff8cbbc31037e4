// CScrollView: a view over content larger than its window (MM_TEXT only).
// Scroll bars appear while the content is wider or taller than the client
// area and disappear, scrolling back to 0, when it fits. OnPrepareDC moves
// the viewport origin by minus the scroll position, so OnDraw draws in
// content coordinates (client coordinates plus the scroll position).
#pragma once

#include "ui/cview.h"

class CScrollView : public CView {
 public:
  static const SIZE sizeDefault;  // {0, 0}: page = total / 10, line = page / 10

  // Only MM_TEXT is accepted (other modes are ignored).
  void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = sizeDefault,
                      const SIZE& line = sizeDefault);
  CSize GetTotalSize() const { return m_totalDev; }
  CPoint GetScrollPosition() const;
  // Scrolls to the position, limited to the scroll range.
  void ScrollToPosition(POINT position);

  void OnPrepareDC(CDC* dc) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void UpdateBars();
  // bar: SB_HORZ or SB_VERT; code: the scroll request of WM_HSCROLL/VSCROLL.
  void OnScroll(int bar, UINT code);
  // Standard wheel scrolling: the vertical bar (else the horizontal one)
  // moves by the system's wheel lines times the line size, at most a page.
  BOOL DoMouseWheel(UINT flags, short delta, POINT point);

  CSize m_totalDev;
  CSize m_pageDev;
  CSize m_lineDev;

 private:
  int MaxPosition(int bar) const;
  bool m_insideUpdate = false;
};
