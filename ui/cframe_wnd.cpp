#include "ui/cframe_wnd.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/ccontrol_bar.h"
#include "ui/cview.h"
#include "ui/cwin_app.h"
#include "ui/debug_check.h"
#include "ui/resource_strings.h"

namespace {

CWnd* PermanentChild(const CWnd& parent, int id) {
  return CWnd::FromHandlePermanent(::GetDlgItem(parent.GetSafeHwnd(), id));
}

int BarHeight(HWND bar) {
  if (CControlBar* controlBar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(bar)))
    return controlBar->CalcFixedLayout(TRUE, TRUE).cy;
  RECT rect;
  ::GetWindowRect(bar, &rect);
  return rect.bottom - rect.top;
}

// A visible bar of the frame, or null.
HWND VisibleBar(HWND frame, int id) {
  HWND bar = ::GetDlgItem(frame, id);
  return bar != nullptr && (::GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE) ? bar : nullptr;
}

}  // namespace

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (cs.lpszClass == nullptr) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), m_hIcon);
  }
  return cs.lpszClass != nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, const char* title) {
  HINSTANCE resources = AfxGetResourceHandle();
  m_hIcon = ::LoadIconA(resources, MAKEINTRESOURCEA(resourceId));
  m_hAccelTable = ::LoadAcceleratorsA(resources, MAKEINTRESOURCEA(resourceId));
  HMENU menu = ::LoadMenuA(resources, MAKEINTRESOURCEA(resourceId));
  std::string caption = title != nullptr ? title : CommandPrompt(resourceId);
  if (caption.empty() && AfxGetApp() != nullptr) caption = AfxGetApp()->m_strAppName;
  if (!CreateEx(0, nullptr, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT, parent != nullptr ? parent->GetSafeHwnd() : nullptr, menu)) {
    // The window, when it was made at all, has been destroyed with its
    // menu; a menu it never received is ours to free.
    if (menu != nullptr && ::IsMenu(menu)) ::DestroyMenu(menu);
    return FALSE;
  }
  if (m_hIcon != nullptr) SetIcon(m_hIcon, TRUE);
  RecalcLayout();
  return TRUE;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA) { return TRUE; }

int CFrameWnd::OnCreate(LPCREATESTRUCTA cs) { return OnCreateClient(cs) ? 0 : -1; }

void CFrameWnd::RecalcLayout() {
  if (m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  if (HWND toolBar = VisibleBar(m_hWnd, AFX_IDW_TOOLBAR)) {
    const int height = BarHeight(toolBar);
    ::MoveWindow(toolBar, client.left, client.top, client.Width(), height, TRUE);
    client.top += height;
  }
  if (HWND statusBar = VisibleBar(m_hWnd, AFX_IDW_STATUS_BAR)) {
    const int height = BarHeight(statusBar);
    ::MoveWindow(statusBar, client.left, client.bottom - height, client.Width(), height, TRUE);
    client.bottom -= height;
  }
  if (client.bottom < client.top) client.bottom = client.top;
  if (HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
    ::MoveWindow(pane, client.left, client.top, client.Width(), client.Height(), TRUE);
}

void CFrameWnd::SetActiveView(CView* view) { m_pViewActive = view; }

void CFrameWnd::OnViewDestroyed(CView* view) {
  if (m_pViewActive == view) m_pViewActive = nullptr;
}

void CFrameWnd::InitialUpdateFrame() {
  if (m_pViewActive == nullptr) {
    CWnd* pane = PermanentChild(*this, AFX_IDW_PANE_FIRST);
    CView* view = dynamic_cast<CView*>(pane);
    // A splitter's first pane carries the same id inside the splitter.
    if (view == nullptr && pane != nullptr)
      view = dynamic_cast<CView*>(PermanentChild(*pane, AFX_IDW_PANE_FIRST));
    SetActiveView(view);
  }
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
  RecalcLayout();
}

std::string CFrameWnd::GetIdleMessage() {
  std::string text = LoadResourceString(AFX_IDS_IDLEMESSAGE);
  return text.empty() ? std::string("Ready") : text;
}

void CFrameWnd::SetMessageText(const char* text) {
  HWND statusBar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
  if (statusBar != nullptr)
    ::SendMessageA(statusBar, SB_SETTEXTA, 0,
                   reinterpret_cast<LPARAM>(text != nullptr ? text : ""));
}

void CFrameWnd::SetMessageText(UINT stringId) {
  SetMessageText(LoadResourceString(stringId).c_str());
}

void CFrameWnd::ShowCommandPrompt(UINT id) { SetMessageText(CommandPrompt(id).c_str()); }

void CFrameWnd::ShowControlBar(CWnd* bar, BOOL show) {
  if (bar == nullptr) return;
  bar->ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
  RecalcLayout();
}

void CFrameWnd::OnIdleUpdateCmdUI() { SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE); }

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  CView* view = GetActiveView();
  if (view != nullptr && view->OnCmdMsg(id, code, ui)) return TRUE;
  if (HandleCmdMsg(id, code, ui)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->OnCmdMsg(id, code, ui);
}

BOOL CFrameWnd::HandleCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (id != ID_VIEW_TOOLBAR && id != ID_VIEW_STATUS_BAR) return CWnd::HandleCmdMsg(id, code, ui);
  CWnd* bar = PermanentChild(*this, static_cast<int>(id));
  if (bar == nullptr) return FALSE;
  if (code == CN_UPDATE_COMMAND_UI && ui != nullptr) {
    ui->Enable(TRUE);
    ui->SetCheck((bar->GetStyle() & WS_VISIBLE) ? 1 : 0);
    return TRUE;
  }
  if (code != CN_COMMAND) return FALSE;
  ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0);
  return TRUE;
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  QORVA_CHECK(header != nullptr && result != nullptr);
  if (header == nullptr || result == nullptr) return FALSE;
  switch (header->code) {
    case TTN_GETDISPINFOA:
    case TTN_GETDISPINFOW:
      *result = 0;
      return OnToolTipText(header);
    case TBN_HOTITEMCHANGE: {
      const NMTBHOTITEM* hot = reinterpret_cast<const NMTBHOTITEM*>(lParam);
      if ((hot->dwFlags & HICF_LEAVING) != 0) {
        SetMessageText(GetIdleMessage().c_str());
      } else {
        ShowCommandPrompt(static_cast<UINT>(hot->idNew));
      }
      *result = 0;
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL CFrameWnd::OnToolTipText(NMHDR* header) {
  if (header->code == TTN_GETDISPINFOA) {
    NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    if ((info->uFlags & TTF_IDISHWND) != 0) return FALSE;
    m_tipText = CommandTip(static_cast<UINT>(header->idFrom));
    info->hinst = nullptr;
    info->lpszText = &m_tipText[0];
    return TRUE;
  }
  NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(header);
  if ((info->uFlags & TTF_IDISHWND) != 0) return FALSE;
  const std::string tip = CommandTip(static_cast<UINT>(header->idFrom));
  m_tipTextWide.assign(tip.size() + 1, L'\0');
  const int length = ::MultiByteToWideChar(CP_ACP, 0, tip.data(), static_cast<int>(tip.size()),
                                           &m_tipTextWide[0], static_cast<int>(tip.size()) + 1);
  m_tipTextWide.resize(length > 0 ? static_cast<size_t>(length) : 0);
  info->hinst = nullptr;
  info->lpszText = &m_tipTextWide[0];
  return TRUE;
}

void CFrameWnd::OnInitMenuPopup(HMENU popup, BOOL systemMenu) {
  if (systemMenu) return;
  const int count = ::GetMenuItemCount(popup);
  for (int index = 0; index < count; ++index) {
    const UINT id = ::GetMenuItemID(popup, index);
    // Separators, submenus and system commands keep their state.
    if (id == 0 || id == static_cast<UINT>(-1) || id >= 0xF000) continue;
    CCmdUI ui;
    ui.m_nID = id;
    ui.m_nIndex = static_cast<UINT>(index);
    ui.m_hMenu = popup;
    ui.DoUpdate(this, m_bAutoMenuEnable);
  }
}

void CFrameWnd::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && menu == nullptr) {
    SetMessageText(GetIdleMessage().c_str());
  } else if ((flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) != 0) {
    SetMessageText("");
  } else {
    ShowCommandPrompt(item);
  }
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
      ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg)) {
    return TRUE;
  }
  return CWnd::PreTranslateMessage(msg);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam)) == -1) return -1;
      return 0;
    case WM_SIZE: {
      const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
      if (wParam != SIZE_MINIMIZED) RecalcLayout();
      return result;
    }
    case WM_SETFOCUS:
      if (m_pViewActive != nullptr) {
        m_pViewActive->SetFocus();
        return 0;
      }
      break;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), HIWORD(lParam));
      return 0;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      return 0;
    case WM_NCDESTROY: {
      CWinApp* app = AfxGetApp();
      if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
      }
      break;
    }
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void CFrameWnd::PostNcDestroy() { delete this; }
