#include "ui/cwin_app.h"

#include "ui/afx_ids.h"
#include "ui/cframe_wnd.h"
#include "ui/resource_strings.h"

namespace {

CWinApp* g_app = nullptr;

// Messages after which the idle work need not run again: paint, the
// system's caret timer and mouse moves that did not move.
bool StartsIdleWork(const MSG& msg) {
  static POINT lastMouse = {-1, -1};
  static UINT lastMouseMessage = 0;
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    if (msg.message == lastMouseMessage && msg.pt.x == lastMouse.x && msg.pt.y == lastMouse.y)
      return false;
    lastMouse = msg.pt;
    lastMouseMessage = msg.message;
    return true;
  }
  return msg.message != WM_PAINT && msg.message != 0x0118;
}

}  // namespace

CWinApp::CWinApp(const char* appName) : m_hInstance(::GetModuleHandleA(nullptr)) {
  if (appName != nullptr) m_strAppName = appName;
  g_app = this;
  if (m_strAppName.empty()) m_strAppName = LoadResourceString(AFX_IDS_APP_TITLE);
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() {
  return g_app != nullptr ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

int CWinApp::Run() {
  MSG msg;
  LONG idleCount = 0;
  bool idle = true;
  for (;;) {
    while (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) idle = false;
    }
    do {
      const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
      if (got == 0) {
        m_exitCode = static_cast<int>(msg.wParam);
        return ExitInstance();
      }
      if (got == -1) continue;
      ProcessMessage(msg);
      if (StartsIdleWork(msg)) {
        idle = true;
        idleCount = 0;
      }
    } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
}

void CWinApp::ProcessMessage(MSG& msg) {
  if (PreTranslateMessage(&msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
  HWND main = m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr;
  if (CWnd::WalkPreTranslateTree(main, msg)) return TRUE;
  // Messages of windows outside the main window's tree (a tooltip, a
  // popup) still get the main window's accelerators.
  if (main != nullptr && msg->hwnd != main && !::IsChild(main, msg->hwnd))
    return m_pMainWnd->PreTranslateMessage(msg);
  return FALSE;
}

BOOL CWinApp::OnIdle(LONG count) {
  if (count == 0) {
    if (CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd)) frame->OnIdleUpdateCmdUI();
    return TRUE;
  }
  CWnd::DeleteTempMap();
  return FALSE;
}

BOOL CWinApp::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (id != ID_APP_EXIT) return FALSE;
  if (code == CN_UPDATE_COMMAND_UI && ui != nullptr) {
    ui->Enable(TRUE);
    return TRUE;
  }
  if (code != CN_COMMAND) return FALSE;
  if (m_pMainWnd != nullptr) m_pMainWnd->PostMessage(WM_CLOSE);
  return TRUE;
}

void CWinApp::SetRegistryKey(const char* key) { m_strRegistryKey = key != nullptr ? key : ""; }
