#include "ui/ctool_tip_ctrl.h"

#include "ui/common_controls.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  EnsureCommonControls();
  return CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | style, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        parent != nullptr ? parent->GetSafeHwnd() : nullptr, nullptr);
}

TOOLINFOA CToolTipCtrl::ToolInfo(CWnd* tool, const char* text) const {
  TOOLINFOA info = {};
  // The size every comctl32 version accepts.
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = ::GetParent(tool->GetSafeHwnd());
  info.uId = reinterpret_cast<UINT_PTR>(tool->GetSafeHwnd());
  info.hinst = nullptr;
  info.lpszText = const_cast<char*>(text);
  return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, const char* text) {
  if (tool == nullptr) return FALSE;
  TOOLINFOA info = ToolInfo(tool, text != nullptr ? text : "");
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* tool) {
  if (tool == nullptr) return;
  TOOLINFOA info = ToolInfo(tool, nullptr);
  SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* tool) {
  if (tool == nullptr) return;
  TOOLINFOA info = ToolInfo(tool, text != nullptr ? text : "");
  SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
  SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

void CToolTipCtrl::Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

bool CToolTipCtrl::IsRelayedMouseMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return true;
    default:
      return false;
  }
}
