// CStatusBar: the frame's status bar (child id AFX_IDW_STATUS_BAR). Panes
// come from an array of ids: ID_SEPARATOR is the stretching message pane,
// ID_INDICATOR_CAPS, ID_INDICATOR_NUM and ID_INDICATOR_SCRL show their
// string-table text ("CAP", "NUM", "SCRL" without one) while the key's
// toggle is on, updated at idle time.
#pragma once

#include <string>
#include <vector>

#include "ui/ccontrol_bar.h"

class CStatusBar : public CControlBar {
 public:
  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM,
              UINT id = AFX_IDW_STATUS_BAR);
  BOOL SetIndicators(const UINT* ids, int count);
  BOOL SetPaneText(int index, const char* text, BOOL update = TRUE);
  std::string GetPaneText(int index) const;
  int GetCount() const { return static_cast<int>(m_panes.size()); }
  UINT GetItemID(int index) const;
  int CommandToIndex(UINT id) const;

  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Pane {
    UINT id;
    std::string indicatorText;  // empty for message panes
    int width;
  };
  void LayoutPanes();

  std::vector<Pane> m_panes;
};
