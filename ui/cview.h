// CView: a pane of the frame that draws itself in OnDraw. Views are made
// with new and delete themselves when their window is destroyed. A view
// becomes the frame's active view when it is clicked or gets the focus.
#pragma once

#include "ui/cwnd.h"

class CDC;

class CView : public CWnd {
 public:
  // Called on WM_INITIALUPDATE (CFrameWnd::InitialUpdateFrame).
  virtual void OnInitialUpdate() {}
  // Draws the content; the device context has been prepared by OnPrepareDC.
  virtual void OnDraw(CDC* dc);
  // Sets up a device context for drawing the content (scroll views move the
  // viewport origin).
  virtual void OnPrepareDC(CDC* dc);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void PostNcDestroy() override;

 protected:
  virtual void OnPaint();
};
