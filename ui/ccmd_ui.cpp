#include "ui/ccmd_ui.h"

#include "ui/afx_ids.h"
#include "ui/cwnd.h"

void CCmdUI::Enable(BOOL on) {
  m_bEnableChanged = TRUE;
  if (m_hMenu != nullptr) {
    ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
  } else if (m_pOther != nullptr) {
    ::EnableWindow(m_pOther->GetSafeHwnd(), on);
  }
}

void CCmdUI::SetCheck(int check) {
  if (m_hMenu != nullptr) {
    ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != nullptr) {
    ::SendMessageA(m_pOther->GetSafeHwnd(), BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

BOOL CCmdUI::DoUpdate(CWnd* target, BOOL disableIfNoHandler) {
  if (target == nullptr || m_nID == ID_SEPARATOR) return FALSE;
  m_bEnableChanged = FALSE;
  const BOOL answered = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this);
  if (!answered && disableIfNoHandler && !m_bEnableChanged) Enable(FALSE);
  return answered;
}
