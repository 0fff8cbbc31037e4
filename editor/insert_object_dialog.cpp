#include "editor/insert_object_dialog.h"

#include "editor/resource.h"
#include "model/skin_object_kind.h"

namespace {

const char kColumnTitle[] = "Object Name";

}  // namespace

CInsertObjectDialog::CInsertObjectDialog(
    const std::vector<EditorConfiguration::DefaultObject>& entries, HIMAGELIST images, CWnd* parent)
    : CDialog(IDD_INSERT_OBJECT, parent), m_entries(entries), m_images(images) {}

HWND CInsertObjectDialog::List() const { return ::GetDlgItem(m_hWnd, IDC_OBJECT_LIST); }

BOOL CInsertObjectDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  FillList();
  return TRUE;
}

void CInsertObjectDialog::FillList() {
  HWND list = List();
  if (list == nullptr) return;
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  // The list view destroys its image lists with itself, so it gets a copy
  // of the tree's.
  if (m_images != nullptr) {
    HIMAGELIST copy = ImageList_Duplicate(m_images);
    if (copy != nullptr) ListView_SetImageList(list, copy, LVSIL_SMALL);
  }
  RECT client;
  ::GetClientRect(list, &client);
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<char*>(kColumnTitle);
  column.cx = client.right - client.left - ::GetSystemMetrics(SM_CXVSCROLL);
  ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));

  for (size_t i = 0; i < m_entries.size(); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(m_entries[i].name.c_str());
    item.iImage = SkinObjectKind::TreeImage(m_entries[i].kind);
    ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

void CInsertObjectDialog::OnOK() {
  m_selection.clear();
  HWND list = List();
  for (int index = ListView_GetNextItem(list, -1, LVNI_SELECTED); index >= 0;
       index = ListView_GetNextItem(list, index, LVNI_SELECTED)) {
    if (static_cast<size_t>(index) < m_entries.size())
      m_selection.push_back(static_cast<size_t>(index));
  }
  CDialog::OnOK();
}
