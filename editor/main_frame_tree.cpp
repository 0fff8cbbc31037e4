// The object tree of the main frame: listing the skin, following the
// selection with the view, double click and the right-click menu.
#include "editor/main_frame.h"
#include "editor/object_tree_view.h"
#include "editor/resource.h"
#include "editor/skin_view.h"
#include "ui/ctree_ctrl.h"

namespace {

// The commands of the container's right-click menu, in menu order.
const UINT kContainerPopupCommands[] = {ID_CONTAINER_LOADBITMAP, ID_CONTAINER_WINDOWREGION,
                                        ID_CONTAINER_EDIT};

}  // namespace

void CMainFrame::RebuildTree() {
  if (m_treeView == nullptr) return;
  if (m_skin.FindContainer(SkinContainer::kMainWindowName) == nullptr)
    m_skin.AddContainer(SkinContainer::kMainWindowName);
  CTreeCtrl& tree = GetTreeCtrl();
  m_changingTree = true;
  tree.SetRedraw(FALSE);
  m_tree.Fill(m_skin);
  tree.SetRedraw(TRUE);
  m_changingTree = false;
  tree.Invalidate();
}

SkinContainer* CMainFrame::SelectedContainer() const {
  const ObjectTree::Node* node = SelectedNode();
  return node != nullptr ? node->container : nullptr;
}

void CMainFrame::SelectQuietly(HTREEITEM item) {
  if (m_treeView == nullptr) return;
  m_changingTree = true;
  GetTreeCtrl().SelectItem(item);
  m_changingTree = false;
}

void CMainFrame::ShowContainer(SkinContainer* container) {
  if (m_skinView == nullptr || container == nullptr) return;
  if (container == m_skinView->GetContainer()) return;
  m_skinView->SyncPositions();
  m_skinView->SetContainer(container);
  m_skinView->Rebuild();
}

void CMainFrame::OnTreeSelectionChanged() {
  if (m_changingTree) return;
  ShowContainer(SelectedContainer());
}

BOOL CMainFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header == nullptr || m_treeView == nullptr || header->hwndFrom != m_treeView->GetSafeHwnd())
    return CFrameWnd::OnNotify(wParam, lParam, result);
  switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      OnTreeSelectionChanged();
      *result = 0;
      return TRUE;
    case NM_DBLCLK:
      OnEditItem();
      // Handled: the tree does not also expand or collapse the item.
      *result = 1;
      return TRUE;
    case NM_RCLICK:
      OnTreeRightClick();
      *result = 1;
      return TRUE;
    default:
      return CFrameWnd::OnNotify(wParam, lParam, result);
  }
}

bool CMainFrame::BuildContainerPopup(CMenu& popup) const {
  if (!popup.CreatePopupMenu()) return false;
  CMenu mainMenu = CMenu::FromHandle(GetMenu());
  for (UINT id : kContainerPopupCommands) {
    std::string text;
    if (mainMenu.GetMenuString(id, text, MF_BYCOMMAND) == 0) return false;
    if (!popup.AppendMenu(MF_STRING, id, text.c_str())) return false;
  }
  return true;
}

void CMainFrame::OnTreeRightClick() {
  // The menu belongs to the selected item, not to the one under the mouse.
  const ObjectTree::Node* node = SelectedNode();
  if (node == nullptr || node->object != nullptr) return;
  CMenu popup;
  if (!BuildContainerPopup(popup)) return;
  POINT cursor;
  ::GetCursorPos(&cursor);
  popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
}
