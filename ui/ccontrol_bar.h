// CControlBar: base of the frame's bars (toolbar, status bar). The frame
// asks a bar for its height when laying out, and the bars update their
// command states and indicators when the application is idle
// (WM_IDLEUPDATECMDUI, sent by the frame to all its descendants).
#pragma once

#include "ui/cwnd.h"

class CFrameWnd;

class CControlBar : public CWnd {
 public:
  // Size the bar wants; the frame uses the height of horizontal bars.
  virtual CSize CalcFixedLayout(BOOL stretch, BOOL horizontal);
  // Idle-time update against the frame's command routing.
  virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler);
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD style) { m_dwStyle = style; }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // CBRS_* styles, kept apart from the window style.
  DWORD m_dwStyle = 0;
};
