// CInsertObjectDialog: lists the default objects of the editor's
// configuration (one column "Object Name", each entry with its kind's tree
// image) and lets the designer pick several. On OK, Selection() holds the
// picked entries' positions in list order.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "model/editor_configuration.h"
#include "ui/cdialog.h"

class CInsertObjectDialog : public CDialog {
 public:
  // entries and images must outlive the dialog; images may be null.
  CInsertObjectDialog(const std::vector<EditorConfiguration::DefaultObject>& entries,
                      HIMAGELIST images, CWnd* parent = nullptr);

  const std::vector<size_t>& Selection() const { return m_selection; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  HWND List() const;
  void FillList();

  const std::vector<EditorConfiguration::DefaultObject>& m_entries;
  HIMAGELIST m_images;
  std::vector<size_t> m_selection;
};
