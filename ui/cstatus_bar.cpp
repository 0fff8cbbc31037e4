#include "ui/cstatus_bar.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "imaging/selected_object_win.h"
#include "ui/cclient_dc.h"
#include "ui/cframe_wnd.h"
#include "ui/common_controls.h"
#include "ui/resource_strings.h"

namespace {

const int kPaneMargin = 12;

std::string IndicatorText(UINT id) {
  std::string text = LoadResourceString(id);
  if (!text.empty()) return text;
  switch (id) {
    case ID_INDICATOR_CAPS:
      return "CAP";
    case ID_INDICATOR_NUM:
      return "NUM";
    case ID_INDICATOR_SCRL:
      return "SCRL";
    default:
      return std::string();
  }
}

int KeyForIndicator(UINT id) {
  switch (id) {
    case ID_INDICATOR_CAPS:
      return VK_CAPITAL;
    case ID_INDICATOR_NUM:
      return VK_NUMLOCK;
    case ID_INDICATOR_SCRL:
      return VK_SCROLL;
    default:
      return 0;
  }
}

}  // namespace

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  if (parent == nullptr) return FALSE;
  EnsureCommonControls();
  m_dwStyle = style & CBRS_ALL;
  const DWORD windowStyle = (style & ~CBRS_ALL) | WS_CHILD | CCS_BOTTOM | SBARS_SIZEGRIP;
  return CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 0, 0), parent, id);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  m_panes.clear();
  CClientDC dc(this);
  const SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
  for (int i = 0; i < count; ++i) {
    Pane pane = {ids[i], std::string(), 0};
    if (ids[i] != ID_SEPARATOR) {
      pane.indicatorText = IndicatorText(ids[i]);
      SIZE extent = {0, 0};
      ::GetTextExtentPoint32A(dc, pane.indicatorText.c_str(),
                              static_cast<int>(pane.indicatorText.size()), &extent);
      pane.width = extent.cx + kPaneMargin;
    }
    m_panes.push_back(pane);
  }
  LayoutPanes();
  for (int i = 0; i < count; ++i) {
    if (ids[i] == ID_SEPARATOR) SetPaneText(i, i == 0 ? CFrameWnd::GetIdleMessage().c_str() : "");
  }
  OnUpdateCmdUI(nullptr, FALSE);
  return TRUE;
}

void CStatusBar::LayoutPanes() {
  if (m_panes.empty() || m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  int fixed = 0;
  int stretching = 0;
  for (const Pane& pane : m_panes) {
    fixed += pane.width;
    if (pane.id == ID_SEPARATOR) ++stretching;
  }
  // Message panes share the room the indicators leave (the size grip keeps
  // its corner).
  const int grip = ::GetSystemMetrics(SM_CXVSCROLL);
  const int room = std::max(0, static_cast<int>(client.Width()) - fixed - grip);
  std::vector<int> edges;
  int right = 0;
  for (const Pane& pane : m_panes) {
    right += pane.id == ID_SEPARATOR ? room / std::max(1, stretching) : pane.width;
    edges.push_back(right);
  }
  edges.back() = -1;
  SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

BOOL CStatusBar::SetPaneText(int index, const char* text, BOOL update) {
  if (index < 0 || index >= GetCount()) return FALSE;
  const BOOL set = static_cast<BOOL>(SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index),
                                                 reinterpret_cast<LPARAM>(text ? text : "")));
  if (update) UpdateWindow();
  return set;
}

std::string CStatusBar::GetPaneText(int index) const {
  if (index < 0 || index >= GetCount()) return std::string();
  const LRESULT lengthAndType = SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(index));
  std::string text(LOWORD(lengthAndType) + 1u, '\0');
  SendMessage(SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(LOWORD(lengthAndType));
  return text;
}

UINT CStatusBar::GetItemID(int index) const {
  return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : ID_SEPARATOR;
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_panes[static_cast<size_t>(i)].id == id) return i;
  return -1;
}

CSize CStatusBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  return CControlBar::CalcFixedLayout(stretch, horizontal);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
  for (int i = 0; i < GetCount(); ++i) {
    const Pane& pane = m_panes[static_cast<size_t>(i)];
    const int key = KeyForIndicator(pane.id);
    if (key == 0) continue;
    const bool on = (::GetKeyState(key) & 1) != 0;
    const std::string wanted = on ? pane.indicatorText : std::string();
    if (GetPaneText(i) != wanted) SetPaneText(i, wanted.c_str(), FALSE);
  }
}

LRESULT CStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    const LRESULT result = CControlBar::WindowProc(message, wParam, lParam);
    LayoutPanes();
    return result;
  }
  return CControlBar::WindowProc(message, wParam, lParam);
}
