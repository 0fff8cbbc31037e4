#include "ui/ctree_ctrl.h"

#include "ui/common_controls.h"

namespace {

LPARAM ItemParam(HTREEITEM item) { return reinterpret_cast<LPARAM>(item); }

}  // namespace

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  EnsureCommonControls();
  return CreateEx(0, WC_TREEVIEWA, "", style | WS_CHILD, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(text != nullptr ? text : "");
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  return reinterpret_cast<HTREEITEM>(
      SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>(text != nullptr ? text : "");
  return reinterpret_cast<HTREEITEM>(
      SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
  return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, ItemParam(item)));
}

BOOL CTreeCtrl::DeleteAllItems() {
  return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, ItemParam(TVI_ROOT)));
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
  TVITEMA tvItem = {};
  tvItem.mask = TVIF_HANDLE | TVIF_PARAM;
  tvItem.hItem = item;
  tvItem.lParam = static_cast<LPARAM>(data);
  return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem)));
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEMA tvItem = {};
  tvItem.mask = TVIF_HANDLE | TVIF_PARAM;
  tvItem.hItem = item;
  if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem))) return 0;
  return static_cast<DWORD_PTR>(tvItem.lParam);
}

std::string CTreeCtrl::GetItemText(HTREEITEM item) const {
  // Tree items show at most 260 characters of their text.
  char buffer[1024] = {};
  TVITEMA tvItem = {};
  tvItem.mask = TVIF_HANDLE | TVIF_TEXT;
  tvItem.hItem = item;
  tvItem.pszText = buffer;
  tvItem.cchTextMax = sizeof buffer;
  if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem))) return std::string();
  return std::string(tvItem.pszText != nullptr ? tvItem.pszText : "");
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, const char* text) {
  TVITEMA tvItem = {};
  tvItem.mask = TVIF_HANDLE | TVIF_TEXT;
  tvItem.hItem = item;
  tvItem.pszText = const_cast<char*>(text != nullptr ? text : "");
  return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem)));
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
  TVITEMA tvItem = {};
  tvItem.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  tvItem.hItem = item;
  if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem))) return FALSE;
  image = tvItem.iImage;
  selectedImage = tvItem.iSelectedImage;
  return TRUE;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const {
  return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, ItemParam(item)));
}

HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
  return GetNextItem(item, TVGN_NEXT);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }

BOOL CTreeCtrl::SelectItem(HTREEITEM item) {
  return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, ItemParam(item)));
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
  return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, ItemParam(item)));
}

UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
  return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item) {
  return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, ItemParam(item)));
}

HTREEITEM CTreeCtrl::HitTest(POINT point, UINT* flags) const {
  TVHITTESTINFO info = {};
  info.pt = point;
  HTREEITEM item =
      reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (flags != nullptr) *flags = info.flags;
  return item;
}

HIMAGELIST CTreeCtrl::SetImageList(HIMAGELIST list, int which) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list)));
}

HIMAGELIST CTreeCtrl::GetImageList(int which) const {
  return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, static_cast<WPARAM>(which)));
}
