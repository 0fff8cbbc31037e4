// CWnd: a C++ object attached to one window handle.
//
// Dispatch: every window created or subclassed here runs through one window
// procedure that finds the object (window property) and calls its virtual
// WindowProc. A derived class overrides WindowProc, handles the messages it
// wants and passes everything else to its base class's WindowProc; the
// base ends in DefWindowProc, which calls the procedure the window had
// before it was subclassed (the class's own procedure for controls).
//
// Commands: WM_COMMAND from menus and accelerators first asks the command's
// update handler whether it is enabled (a disabled command is dropped), then
// routes OnCmdMsg(id, CN_COMMAND, nullptr). OnCmdMsg is the routing step
// (CFrameWnd: active view, the frame itself, the application); HandleCmdMsg
// is the object's own command table (see ui/command_map.h). Notifications
// from controls are first offered to the control itself (OnChildNotify,
// reflection), then to the parent's OnCmdMsg (WM_COMMAND) or OnNotify.
//
// Names: members named like Win32 calls with ANSI and wide forms
// (SendMessage, SetWindowText, MessageBox, ...) are renamed to the ANSI form
// by <windows.h>'s macros, the same way everywhere; call them by their
// plain names. All text is ANSI.
//
// Lifetime: the object must outlive its window; a window still alive when
// its object is destroyed is destroyed then. After WM_NCDESTROY the object
// is detached and PostNcDestroy runs (views and frames delete themselves
// there, as the framework's habit is).
#pragma once

#include <windows.h>

#include <string>

#include "ui/afx_ids.h"
#include "ui/ccmd_ui.h"
#include "ui/cpoint.h"
#include "ui/crect.h"
#include "ui/csize.h"

class CFrameWnd;

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // --- Handle map ----------------------------------------------------------
  // The object attached to the window, or a temporary wrapper for windows
  // made elsewhere (dialog controls); temporaries live until the next idle
  // time (DeleteTempMap). nullptr for a null handle.
  static CWnd* FromHandle(HWND window);
  // Only objects attached here; nullptr otherwise.
  static CWnd* FromHandlePermanent(HWND window);
  static void DeleteTempMap();

  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return GetSafeHwnd(); }

  // Attach maps the handle to this object without changing its procedure
  // (no messages reach WindowProc); SubclassWindow also routes its messages
  // through WindowProc.
  BOOL Attach(HWND window);
  HWND Detach();
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  // --- Creation ------------------------------------------------------------
  // Fills the creation parameters; the base registers a default window
  // class when cs.lpszClass is null. Returning FALSE cancels creation.
  virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
  virtual BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                      CWnd* parent, UINT id);
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x,
                int y, int width, int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
  virtual BOOL DestroyWindow();
  // Registers (once) a window class with these attributes and returns its
  // name, valid for the life of the program.
  static const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr,
                                         HBRUSH background = nullptr, HICON icon = nullptr);

  // --- Messages ------------------------------------------------------------
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's previous procedure (default handling).
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Default handling of the message being dispatched now.
  LRESULT Default();
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Offers msg to PreTranslateMessage of the window it is for and its
  // parents, up to and including stop; TRUE when one of them took it.
  static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
  virtual BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui);
  virtual BOOL HandleCmdMsg(UINT id, int code, CCmdUI* ui);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // WM_NOTIFY; TRUE with *result set when handled.
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A notification (WM_COMMAND or WM_NOTIFY) this window sent to its parent,
  // reflected back to it first; TRUE stops the parent's handling.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void PostNcDestroy() {}
  // Whether the command's update handler leaves it enabled.
  BOOL IsCommandEnabled(UINT id);

  // --- Cracked messages -----------------------------------------------------
  // WindowProc cracks these messages once into typed handlers; each base
  // handler gives the message its default handling (Default), so a derived
  // handler that wants the default too calls its base class's handler.
  // Points are in client coordinates, as the message carries them.
  virtual int OnCreate(LPCREATESTRUCTA createStruct);
  virtual void OnDestroy();
  virtual void OnPaint();
  virtual BOOL OnEraseBkgnd(HDC dc);
  virtual void OnTimer(UINT_PTR id);
  virtual void OnSize(UINT type, int cx, int cy);
  virtual void OnLButtonDown(UINT flags, CPoint point);
  virtual void OnLButtonUp(UINT flags, CPoint point);
  virtual void OnLButtonDblClk(UINT flags, CPoint point);
  virtual void OnRButtonDown(UINT flags, CPoint point);
  virtual void OnRButtonUp(UINT flags, CPoint point);
  virtual void OnMouseMove(UINT flags, CPoint point);
  // point in screen coordinates, as WM_MOUSEWHEEL carries it.
  virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  virtual void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
  virtual void OnCaptureChanged(HWND newCapture);
  virtual void OnSetFont(HFONT font, BOOL redraw);
  virtual HFONT OnGetFont();
  virtual void OnEnable(BOOL enabled);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                BOOL deep = TRUE) const;

  // --- Window wrappers -----------------------------------------------------
  BOOL ShowWindow(int command);
  void UpdateWindow();
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void ValidateRect(LPCRECT rect);
  BOOL RedrawWindow(LPCRECT update = nullptr, HRGN region = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void SetRedraw(BOOL redraw = TRUE);
  void GetClientRect(LPRECT rect) const;
  void GetWindowRect(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  CWnd* SetCapture();
  static CWnd* GetCapture();
  static BOOL ReleaseCapture() { return ::ReleaseCapture(); }
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* GetParent() const;
  CFrameWnd* GetParentFrame() const;
  CWnd* GetTopLevelParent() const;
  BOOL IsChild(const CWnd* window) const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  // Changes the style bits; with flags, SetWindowPos(SWP_NOSIZE |
  // SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags) applies them.
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  void SetWindowText(const char* text);
  void SetWindowText(const std::string& text) { SetWindowText(text.c_str()); }
  void GetWindowText(std::string& text) const;
  std::string GetWindowText() const;
  CWnd* GetDlgItem(int id) const;
  void SetDlgItemText(int id, const char* text);
  int GetDlgItemText(int id, std::string& text) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int id);
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL IsWindowVisible() const;
  void SetFont(HFONT font, BOOL redraw = TRUE);
  HFONT GetFont() const;
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
  BOOL KillTimer(UINT_PTR id);
  HMENU GetMenu() const;
  BOOL SetMenu(HMENU menu);
  void DrawMenuBar();
  HICON SetIcon(HICON icon, BOOL big);
  void CenterWindow(CWnd* alternateOwner = nullptr);
  int GetScrollPos(int bar) const;
  int SetScrollPos(int bar, int position, BOOL redraw = TRUE);
  BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const;
  BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
  void ShowScrollBar(UINT bar, BOOL show = TRUE);
  void ScrollWindow(int dx, int dy, LPCRECT scroll = nullptr, LPCRECT clip = nullptr);
  // Through the modal prompt seam; the caption defaults to the application
  // name.
  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

  HWND m_hWnd = nullptr;

 protected:
  // The window's procedure from before it was subclassed.
  WNDPROC m_pfnSuper = nullptr;

 private:
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK AfxCbtCreateHook(int, WPARAM, LPARAM);
  LRESULT DispatchToObject(UINT message, WPARAM wParam, LPARAM lParam);
  // The cracked messages (cwnd_messages.cpp); false for every other one.
  bool CrackMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void AttachSubclassed(HWND window);
  void DetachAfterNcDestroy();
};

LRESULT CALLBACK AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
