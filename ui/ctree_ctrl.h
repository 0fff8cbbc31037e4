// CTreeCtrl: the common tree-view control's messages. Also the interface
// of CTreeView::GetTreeCtrl(), which shares the view's window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/cwnd.h"

class CTreeCtrl : public CWnd {
 public:
  // Creates the control (WC_TREEVIEW) with the given TVS_* styles.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  HTREEITEM InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                       HTREEITEM after = TVI_LAST);
  HTREEITEM InsertItem(const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
  BOOL DeleteItem(HTREEITEM item);
  BOOL DeleteAllItems();
  BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
  DWORD_PTR GetItemData(HTREEITEM item) const;
  std::string GetItemText(HTREEITEM item) const;
  BOOL SetItemText(HTREEITEM item, const char* text);
  BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
  HTREEITEM GetSelectedItem() const;
  BOOL SelectItem(HTREEITEM item);
  // TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE.
  BOOL Expand(HTREEITEM item, UINT code);
  HTREEITEM GetRootItem() const;
  HTREEITEM GetChildItem(HTREEITEM item) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
  HTREEITEM GetParentItem(HTREEITEM item) const;
  HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
  UINT GetCount() const;
  UINT GetItemState(HTREEITEM item, UINT mask) const;
  BOOL EnsureVisible(HTREEITEM item);
  // Item at a client point; flags receive TVHT_* when given.
  HTREEITEM HitTest(POINT point, UINT* flags = nullptr) const;
  // TVSIL_NORMAL or TVSIL_STATE; returns the previous list.
  HIMAGELIST SetImageList(HIMAGELIST list, int which);
  HIMAGELIST GetImageList(int which) const;
};
