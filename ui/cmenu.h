// CMenu: a menu handle. Menus made by LoadMenu/CreateMenu/CreatePopupMenu
// are owned (destroyed with the object unless detached or handed to a
// window); those from FromHandle and GetSubMenu are not.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CMenu {
 public:
  CMenu() = default;
  ~CMenu() { DestroyMenu(); }
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;
  CMenu(CMenu&& other) noexcept;
  CMenu& operator=(CMenu&& other) noexcept;

  static CMenu FromHandle(HMENU menu);

  HMENU GetSafeHmenu() const { return m_hMenu; }
  operator HMENU() const { return m_hMenu; }
  BOOL Attach(HMENU menu);  // takes ownership
  HMENU Detach();
  BOOL DestroyMenu();

  BOOL LoadMenu(UINT resourceId);
  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, const char* text = nullptr);
  // Not owned; null handle when the position holds no submenu.
  CMenu GetSubMenu(int position) const;
  int GetMenuItemCount() const;
  UINT GetMenuItemID(int position) const;
  UINT GetMenuState(UINT idOrPosition, UINT flags) const;
  // Text of an item by command id (MF_BYCOMMAND) or position (MF_BYPOSITION);
  // returns its length, 0 when there is none.
  int GetMenuString(UINT idOrPosition, std::string& text, UINT flags) const;
  UINT EnableMenuItem(UINT idOrPosition, UINT enable);
  UINT CheckMenuItem(UINT idOrPosition, UINT check);
  // Returns the chosen command with TPM_RETURNCMD, else success.
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT ignored = nullptr);

  HMENU m_hMenu = nullptr;

 private:
  bool m_owned = false;
};
