// The file commands of the main frame: New, Open, Save and Save as.
#include "editor/main_frame.h"
#include "editor/skin_view.h"
#include "editor/wait_cursor.h"
#include "model/menu_container.h"
#include "model/skin_backup.h"
#include "ui/cfile_dialog.h"
#include "ui/modal_prompts.h"

void CMainFrame::ShowNoContainer() {
  if (m_skinView == nullptr) return;
  m_skinView->SetContainer(nullptr);
  m_skinView->Rebuild();
}

void CMainFrame::OnFileNew() {
  // The file path and the menu container stay.
  ShowNoContainer();
  m_changingTree = true;
  m_tree.Clear();
  m_changingTree = false;
  m_skin.Clear();
  RebuildTree();
}

void CMainFrame::OnFileOpen() {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, this);
  if (dialog.DoModal() != IDOK) return;
  const std::string path = dialog.GetPathName();
  bool opened = false;
  {
    WaitCursor wait;
    // Reading replaces every container: nothing may point into the old
    // ones while it runs.
    ShowNoContainer();
    m_changingTree = true;
    m_tree.Clear();
    m_changingTree = false;
    opened = m_skin.Open(path);
    if (opened) {
      TakeMenuContainers(m_skin, *m_menuContainer);
      RebuildTree();
      ShowNoContainer();
    }
  }
  if (opened) return;
  OnFileNew();
  AfxMessageBox(path + "\n" + kOpenFailedText, MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::OnFileSave() {
  if (m_skin.filePath.empty()) {
    OnFileSaveAs();
    return;
  }
  SaveTo(m_skin.filePath, true);
}

void CMainFrame::OnFileSaveAs() {
  CFileDialog dialog(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr,
                     this);
  if (dialog.DoModal() != IDOK) return;
  SaveTo(dialog.GetPathName(), false);
}

void CMainFrame::SaveTo(const std::string& path, bool backup) {
  bool saved = false;
  {
    WaitCursor wait;
    if (m_skinView != nullptr) m_skinView->SyncPositions();
    if (backup) BackupSkinFile(path);
    // The skin writes to a temporary file and renames it over path only
    // when everything was written, so a failure leaves the old file.
    saved = SaveWithMenuContainer(m_skin, m_menuContainer, path);
  }
  if (!saved) MessageBox(kSaveFailedText, kSaveFailedCaption, MB_OK | MB_ICONEXCLAMATION);
}
