#include "ui/cmenu.h"

#include "ui/cwnd.h"
#include "ui/resource_strings.h"

CMenu::CMenu(CMenu&& other) noexcept : m_hMenu(other.m_hMenu), m_owned(other.m_owned) {
  other.m_hMenu = nullptr;
  other.m_owned = false;
}

CMenu& CMenu::operator=(CMenu&& other) noexcept {
  if (this != &other) {
    DestroyMenu();
    m_hMenu = other.m_hMenu;
    m_owned = other.m_owned;
    other.m_hMenu = nullptr;
    other.m_owned = false;
  }
  return *this;
}

CMenu CMenu::FromHandle(HMENU menu) {
  CMenu wrapper;
  wrapper.m_hMenu = menu;
  return wrapper;
}

BOOL CMenu::Attach(HMENU menu) {
  DestroyMenu();
  m_hMenu = menu;
  m_owned = menu != nullptr;
  return menu != nullptr;
}

HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  m_hMenu = nullptr;
  m_owned = false;
  return menu;
}

BOOL CMenu::DestroyMenu() {
  BOOL destroyed = FALSE;
  if (m_owned && m_hMenu != nullptr) destroyed = ::DestroyMenu(m_hMenu);
  m_hMenu = nullptr;
  m_owned = false;
  return destroyed;
}

BOOL CMenu::LoadMenu(UINT resourceId) {
  return Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId)));
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, const char* text) {
  return ::AppendMenuA(m_hMenu, flags, idNewItem, text);
}

CMenu CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }

int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }

UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }

UINT CMenu::GetMenuState(UINT idOrPosition, UINT flags) const {
  return ::GetMenuState(m_hMenu, idOrPosition, flags);
}

int CMenu::GetMenuString(UINT idOrPosition, std::string& text, UINT flags) const {
  text.clear();
  const int length = ::GetMenuStringA(m_hMenu, idOrPosition, nullptr, 0, flags);
  if (length <= 0) return 0;
  text.resize(static_cast<size_t>(length) + 1);
  const int copied = ::GetMenuStringA(m_hMenu, idOrPosition, &text[0], length + 1, flags);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return static_cast<int>(text.size());
}

UINT CMenu::EnableMenuItem(UINT idOrPosition, UINT enable) {
  return ::EnableMenuItem(m_hMenu, idOrPosition, enable);
}

UINT CMenu::CheckMenuItem(UINT idOrPosition, UINT check) {
  return ::CheckMenuItem(m_hMenu, idOrPosition, check);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0,
                          owner != nullptr ? owner->GetSafeHwnd() : nullptr, nullptr);
}
