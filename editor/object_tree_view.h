// CObjectTreeView: the main frame's left pane, a tree view with buttons,
// lines, lines at the root and a selection that stays visible while the
// tree has no focus. Its notifications go to the frame.
#pragma once

#include "ui/ctree_view.h"

class CObjectTreeView : public CTreeView {
 public:
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
};
