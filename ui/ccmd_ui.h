// CCmdUI: one user-interface item of a command (a menu item, a toolbar
// button) while its enabled and checked state is being updated.
#pragma once

#include <windows.h>

class CWnd;

class CCmdUI {
 public:
  virtual ~CCmdUI() = default;

  virtual void Enable(BOOL on = TRUE);
  // 0 unchecked, 1 checked.
  virtual void SetCheck(int check = 1);

  // Asks target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this); when nobody
  // answers and disableIfNoHandler is set, the item is disabled. Returns
  // whether somebody answered.
  BOOL DoUpdate(CWnd* target, BOOL disableIfNoHandler);

  UINT m_nID = 0;
  UINT m_nIndex = 0;         // position in m_hMenu
  HMENU m_hMenu = nullptr;   // menu item when set
  CWnd* m_pOther = nullptr;  // other window (the bar) otherwise
  BOOL m_bEnableChanged = FALSE;
};
