// CTreeView: a view that is a tree-view control. Add the TVS_* styles in a
// derived PreCreateWindow (cs.style |= ...) or later with ModifyStyle. The
// control's notifications go to the view's parent; in a CSplitterWnd they
// are passed on to the frame (handle them in the frame's OnNotify).
#pragma once

#include "ui/ctree_ctrl.h"
#include "ui/cview.h"

class CTreeView : public CView {
 public:
  // Shares this view's window.
  CTreeCtrl& GetTreeCtrl() const;

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  mutable CTreeCtrl m_tree;
};
