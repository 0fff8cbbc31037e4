#include "editor/object_tree_view.h"

#include <commctrl.h>

BOOL CObjectTreeView::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  return CTreeView::PreCreateWindow(cs);
}
