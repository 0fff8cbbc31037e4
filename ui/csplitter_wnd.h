// CSplitterWnd: a static splitter of one row and two columns with a
// draggable bar between the panes. Pane (row, col) is a child window with
// id IdFromRowCol(row, col) (AFX_IDW_PANE_FIRST for the first). Commands and
// notifications that reach the splitter (from a tree view in a pane, say)
// are passed on to its parent; messages it does not know get the default
// answer (0 for private messages).
#pragma once

#include "ui/cwnd.h"

class CSplitterWnd : public CWnd {
 public:
  // Only rows == 1 and cols == 2 are supported.
  BOOL CreateStatic(CWnd* parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                    UINT id = AFX_IDW_PANE_FIRST);
  // Creates the window of `view`, a new object of a CWnd-derived class (a
  // CView deletes itself with its window), as pane (row, col), with the
  // client edge. For column 0 the size's width is the column's width; column
  // 1 takes the rest. On failure the object may already have deleted itself
  // (a view whose window was made and then failed): do not use it then.
  BOOL CreateView(int row, int col, CWnd* view, SIZE initialSize);
  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
  // Column 0's width (ideal) and the smallest widths dragging may leave;
  // takes effect at the next RecalcLayout.
  void SetColumnInfo(int col, int idealWidth, int minWidth);
  // The column's current width and its minimum.
  void GetColumnInfo(int col, int& idealWidth, int& minWidth) const;
  virtual void RecalcLayout();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  static constexpr int kBarWidth = 6;

 private:
  CRect BarRect() const;
  void OnLButtonDown(CPoint point);
  void OnMouseMove(CPoint point);
  void StopTracking();
  void DrawBar(HDC dc);

  int m_idealWidth[2] = {0, 0};
  int m_minWidth[2] = {0, 0};
  bool m_tracking = false;
  int m_trackOffset = 0;
};
