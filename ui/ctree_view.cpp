#include "ui/ctree_view.h"

#include "ui/common_controls.h"

CTreeCtrl& CTreeView::GetTreeCtrl() const {
  m_tree.m_hWnd = m_hWnd;
  return m_tree;
}

BOOL CTreeView::PreCreateWindow(CREATESTRUCTA& cs) {
  EnsureCommonControls();
  if (cs.lpszClass == nullptr) cs.lpszClass = WC_TREEVIEWA;
  return CView::PreCreateWindow(cs);
}

LRESULT CTreeView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      // The control paints itself.
      return DefWindowProc(message, wParam, lParam);
    case WM_NCDESTROY:
      m_tree.m_hWnd = nullptr;
      break;
    default:
      break;
  }
  return CView::WindowProc(message, wParam, lParam);
}
