#include "ui/cwnd.h"

#include <cstdio>
#include <new>
#include <set>
#include <vector>

#include "ui/cframe_wnd.h"
#include "ui/cwin_app.h"
#include "ui/modal_prompts.h"

LRESULT CALLBACK AfxCbtCreateHook(int code, WPARAM wParam, LPARAM lParam);

namespace {

const char kObjectProperty[] = "QorvaCWnd";

// The object whose window CreateEx is creating on this thread, handed to the
// CBT hook so that the window is subclassed before its first message.
thread_local CWnd* t_creating = nullptr;
thread_local std::vector<CWnd*>* t_temporaries = nullptr;
// The CBT hook that attaches a window to its object before its first
// message. Installed once per thread and kept until the thread ends: setting
// and removing a hook around every creation costs more than the creation.
class CreationHook {
 public:
  ~CreationHook() {
    if (hook_ != nullptr) ::UnhookWindowsHookEx(hook_);
  }
  void Install() {
    if (hook_ == nullptr)
      hook_ = ::SetWindowsHookExA(WH_CBT, &AfxCbtCreateHook, nullptr, ::GetCurrentThreadId());
  }

 private:
  HHOOK hook_ = nullptr;
};
thread_local CreationHook t_creationHook;

void InstallCreationHook() { t_creationHook.Install(); }

// The message being dispatched, for CWnd::Default.
thread_local MSG t_currentMessage = {};

// Records whether an update handler left a command enabled.
class EnabledProbe : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    enabled = on;
  }
  void SetCheck(int) override {}
  BOOL enabled = TRUE;
};

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* object = CWnd::FromHandlePermanent(window);
  if (object == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  return object->DispatchToObject(message, wParam, lParam);
}

LRESULT CALLBACK AfxCbtCreateHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && t_creating != nullptr) {
    CWnd* object = t_creating;
    t_creating = nullptr;
    object->AttachSubclassed(reinterpret_cast<HWND>(wParam));
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

CWnd::~CWnd() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) ::DestroyWindow(m_hWnd);
}

// --- Handle map ------------------------------------------------------------

CWnd* CWnd::FromHandlePermanent(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<CWnd*>(::GetPropA(window, kObjectProperty));
}

CWnd* CWnd::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  if (CWnd* permanent = FromHandlePermanent(window)) return permanent;
  if (t_temporaries == nullptr) t_temporaries = new (std::nothrow) std::vector<CWnd*>;
  if (t_temporaries == nullptr) return nullptr;
  for (CWnd* temporary : *t_temporaries)
    if (temporary->m_hWnd == window) return temporary;
  CWnd* temporary = new (std::nothrow) CWnd;
  if (temporary == nullptr) return nullptr;
  temporary->m_hWnd = window;
  t_temporaries->push_back(temporary);
  return temporary;
}

void CWnd::DeleteTempMap() {
  if (t_temporaries == nullptr) return;
  for (CWnd* temporary : *t_temporaries) {
    temporary->m_hWnd = nullptr;
    delete temporary;
  }
  t_temporaries->clear();
}

BOOL CWnd::Attach(HWND window) {
  if (window == nullptr || m_hWnd != nullptr || FromHandlePermanent(window) != nullptr)
    return FALSE;
  m_hWnd = window;
  return ::SetPropA(window, kObjectProperty, static_cast<HANDLE>(this));
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (window != nullptr && FromHandlePermanent(window) == this)
    ::RemovePropA(window, kObjectProperty);
  m_hWnd = nullptr;
  return window;
}

void CWnd::AttachSubclassed(HWND window) {
  m_hWnd = window;
  ::SetPropA(window, kObjectProperty, static_cast<HANDLE>(this));
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (window == nullptr || m_hWnd != nullptr || FromHandlePermanent(window) != nullptr)
    return FALSE;
  AttachSubclassed(window);
  return m_pfnSuper != nullptr;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return SubclassWindow(::GetDlgItem(parent->GetSafeHwnd(), static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd != nullptr && m_pfnSuper != nullptr &&
      ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc)) {
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  }
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::DetachAfterNcDestroy() {
  UnsubclassWindow();
  PostNcDestroy();
}

// --- Creation --------------------------------------------------------------

const char* CWnd::AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background,
                                      HICON icon) {
  static std::set<std::string> registered;
  char name[96];
  std::snprintf(name, sizeof name, "QorvaWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                static_cast<void*>(background), static_cast<void*>(icon));
  auto found = registered.find(name);
  if (found != registered.end()) return found->c_str();
  WNDCLASSA windowClass = {};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = ::DefWindowProcA;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hCursor = cursor;
  windowClass.hbrBackground = background;
  windowClass.hIcon = icon;
  windowClass.lpszClassName = name;
  if (::RegisterClassA(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return nullptr;
  return registered.insert(name).first->c_str();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (cs.lpszClass == nullptr) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  }
  return cs.lpszClass != nullptr;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
  return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top,
                  parent != nullptr ? parent->GetSafeHwnd() : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU idOrMenu,
                    LPVOID param) {
  if (m_hWnd != nullptr) return FALSE;
  CREATESTRUCTA cs = {};
  cs.dwExStyle = exStyle;
  cs.lpszClass = className;
  cs.lpszName = windowName;
  cs.style = style;
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.hwndParent = parent;
  cs.hMenu = idOrMenu;
  cs.hInstance = ::GetModuleHandleA(nullptr);
  cs.lpCreateParams = param;
  if (!PreCreateWindow(cs)) return FALSE;

  CWnd* const outerCreating = t_creating;
  t_creating = this;
  InstallCreationHook();
  HWND window =
      ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                        cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  const bool hooked = t_creating == nullptr;
  t_creating = outerCreating;
  // When the window was attached and its creation then failed, it has been
  // destroyed and PostNcDestroy may have deleted this object already.
  if (window == nullptr) return FALSE;
  if (!hooked) {
    ::DestroyWindow(window);
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

// --- Messages --------------------------------------------------------------

LRESULT CWnd::DispatchToObject(UINT message, WPARAM wParam, LPARAM lParam) {
  const MSG outerMessage = t_currentMessage;
  t_currentMessage.hwnd = m_hWnd;
  t_currentMessage.message = message;
  t_currentMessage.wParam = wParam;
  t_currentMessage.lParam = lParam;
  const LRESULT result = WindowProc(message, wParam, lParam);
  t_currentMessage = outerMessage;
  if (message == WM_NCDESTROY) DetachAfterNcDestroy();
  return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(wParam, lParam, &result)) return result;
      break;
    }
    default: {
      LRESULT result = 0;
      if (CrackMessage(message, wParam, lParam, result)) return result;
      break;
    }
  }
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  return DefWindowProc(t_currentMessage.message, t_currentMessage.wParam, t_currentMessage.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
  for (HWND window = msg->hwnd; window != nullptr; window = ::GetParent(window)) {
    CWnd* object = FromHandlePermanent(window);
    if (object != nullptr && object->PreTranslateMessage(msg)) return TRUE;
    if (window == stop) break;
  }
  return FALSE;
}

BOOL CWnd::OnCmdMsg(UINT id, int code, CCmdUI* ui) { return HandleCmdMsg(id, code, ui); }

BOOL CWnd::HandleCmdMsg(UINT, int, CCmdUI*) { return FALSE; }

// A command that no table handles counts as disabled, as its menu item and
// toolbar button are greyed.
BOOL CWnd::IsCommandEnabled(UINT id) {
  EnabledProbe probe;
  probe.m_nID = id;
  const BOOL answered = OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe);
  return answered && probe.enabled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  if (control != nullptr) {
    CWnd* child = FromHandlePermanent(control);
    LRESULT result = 0;
    if (child != nullptr && child->OnChildNotify(WM_COMMAND, wParam, lParam, &result)) return TRUE;
    return OnCmdMsg(id, code, nullptr);
  }
  // A menu item or an accelerator: disabled commands do nothing.
  if (!IsCommandEnabled(id)) return TRUE;
  return OnCmdMsg(id, CN_COMMAND, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header == nullptr) return FALSE;
  // Only our own children: a notification passed up by a splitter has been
  // offered to its sender already.
  if (header->hwndFrom == nullptr || ::GetParent(header->hwndFrom) != m_hWnd) return FALSE;
  CWnd* child = FromHandlePermanent(header->hwndFrom);
  return child != nullptr && child->OnChildNotify(WM_NOTIFY, header->idFrom, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep) const {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::SendMessageA(child, message, wParam, lParam);
    if (deep) {
      CWnd wrapper;
      wrapper.m_hWnd = child;
      wrapper.SendMessageToDescendants(message, wParam, lParam, TRUE);
      wrapper.m_hWnd = nullptr;
    }
  }
}

// --- Window wrappers -------------------------------------------------------

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }

BOOL CWnd::RedrawWindow(LPCRECT update, HRGN region, UINT flags) {
  return ::RedrawWindow(m_hWnd, update, region, flags);
}

void CWnd::SetRedraw(BOOL redraw) { ::SendMessageA(m_hWnd, WM_SETREDRAW, redraw, 0); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const {
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::ClientToScreen(LPRECT rect) const {
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter != nullptr ? insertAfter->m_hWnd : nullptr, x, y, cx,
                        cy, flags);
}

CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND window = ::GetParent(m_hWnd); window != nullptr; window = ::GetParent(window)) {
    if (CFrameWnd* frame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(window))) return frame;
  }
  return nullptr;
}

CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }

BOOL CWnd::IsChild(const CWnd* window) const {
  return window != nullptr && ::IsChild(m_hWnd, window->m_hWnd);
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }

DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL ModifyWindowLong(HWND window, int index, DWORD remove, DWORD add, UINT flags) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongA(window, index));
  const DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  ::SetWindowLongA(window, index, static_cast<LONG>(changed));
  if (flags != 0) {
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  }
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
  return ModifyWindowLong(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }

void CWnd::GetWindowText(std::string& text) const {
  text.clear();
  const int length = ::GetWindowTextLengthA(m_hWnd);
  if (length <= 0) return;
  text.resize(static_cast<size_t>(length) + 1);
  const int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
}

std::string CWnd::GetWindowText() const {
  std::string text;
  GetWindowText(text);
  return text;
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
void CWnd::SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }

int CWnd::GetDlgItemText(int id, std::string& text) const {
  text.clear();
  HWND control = ::GetDlgItem(m_hWnd, id);
  if (control == nullptr) return 0;
  CWnd wrapper;
  wrapper.m_hWnd = control;
  wrapper.GetWindowText(text);
  wrapper.m_hWnd = nullptr;
  return static_cast<int>(text.size());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
  ::SetDlgItemInt(m_hWnd, id, value, isSigned);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
  return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}

void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }

UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

int CWnd::SetDlgCtrlID(int id) {
  return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, id));
}

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

void CWnd::SetFont(HFONT font, BOOL redraw) {
  ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

HFONT CWnd::GetFont() const {
  return reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
  return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
HMENU CWnd::GetMenu() const { return ::GetMenu(m_hWnd); }
BOOL CWnd::SetMenu(HMENU menu) { return ::SetMenu(m_hWnd, menu); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }

HICON CWnd::SetIcon(HICON icon, BOOL big) {
  return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                reinterpret_cast<LPARAM>(icon)));
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
  HWND owner = alternateOwner != nullptr ? alternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
  RECT area;
  if (owner != nullptr) {
    ::GetWindowRect(owner, &area);
  } else {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT own;
  ::GetWindowRect(m_hWnd, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  const int x = area.left + (area.right - area.left - width) / 2;
  const int y = area.top + (area.bottom - area.top - height) / 2;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }

int CWnd::SetScrollPos(int bar, int position, BOOL redraw) {
  return ::SetScrollPos(m_hWnd, bar, position, redraw);
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const {
  info->cbSize = sizeof(SCROLLINFO);
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, bar, info);
}

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) {
  info->cbSize = sizeof(SCROLLINFO);
  ::SetScrollInfo(m_hWnd, bar, info, redraw);
  return TRUE;
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) {
  ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show);
}

void CWnd::ScrollWindow(int dx, int dy, LPCRECT scroll, LPCRECT clip) {
  ::ScrollWindow(m_hWnd, dx, dy, scroll, clip);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
  std::string title;
  if (caption != nullptr) {
    title = caption;
  } else if (CWinApp* app = AfxGetApp()) {
    title = app->m_strAppName;
  }
  return GetModalPrompts().ShowMessage(m_hWnd, text != nullptr ? text : "", title, type);
}
