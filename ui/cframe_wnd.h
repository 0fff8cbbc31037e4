// CFrameWnd: the main window: menu, accelerators and icon from one
// resource id, a toolbar (child id AFX_IDW_TOOLBAR) on top, a status bar
// (AFX_IDW_STATUS_BAR) at the bottom and the client pane
// (AFX_IDW_PANE_FIRST: a view or a splitter) in between. Created on the
// heap; it deletes itself when its window is destroyed.
//
// Commands go to the active view, then to the frame's own HandleCmdMsg,
// then to the application. The frame answers the View commands 59392 and
// 59393 (show/hide the bar with that id, checked while shown), updates
// menu items when a popup opens (items without any handler are disabled
// while m_bAutoMenuEnable is set), and shows command prompts (the text
// before "\n" of the command's string-table entry) in the status bar while
// a menu item is selected or a toolbar button is hot; tooltips of toolbar
// buttons are the text after "\n".
#pragma once

#include <string>

#include "ui/cwnd.h"

class CView;

class CFrameWnd : public CWnd {
 public:
  CFrameWnd() = default;

  // Creates the window with the menu, accelerators and icon of resource
  // `resourceId`; the title is `title`, else the text before "\n" of the
  // string of the same id, else the application's name. The application's
  // m_pMainWnd is the caller's to set. On FALSE a frame whose window was
  // made has deleted itself with it: do not use or delete it.
  virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                         const char* title = nullptr);
  // Called during WM_CREATE (from OnCreate) to create the client pane with
  // id AFX_IDW_PANE_FIRST. FALSE fails the creation.
  virtual BOOL OnCreateClient(LPCREATESTRUCTA cs);
  // WM_CREATE: the base creates the client (OnCreateClient). Derived frames
  // call it first, then create their bars; -1 fails the creation.
  virtual int OnCreate(LPCREATESTRUCTA cs);
  virtual void RecalcLayout();

  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* view);
  // Makes the first pane's view active when none is, and sends
  // WM_INITIALUPDATE to every descendant (views run OnInitialUpdate). Call
  // once after LoadFrame.
  void InitialUpdateFrame();

  void SetMessageText(const char* text);
  void SetMessageText(UINT stringId);
  // AFX_IDS_IDLEMESSAGE from the string table, else "Ready".
  static std::string GetIdleMessage();
  void ShowControlBar(CWnd* bar, BOOL show);
  // Idle-time update of the bars (called by CWinApp::OnIdle).
  virtual void OnIdleUpdateCmdUI();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
  BOOL HandleCmdMsg(UINT id, int code, CCmdUI* ui) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void PostNcDestroy() override;

  // Views tell the frame when they go away.
  void OnViewDestroyed(CView* view);

  HACCEL m_hAccelTable = nullptr;
  BOOL m_bAutoMenuEnable = TRUE;

 protected:
  void OnInitMenuPopup(HMENU popup, BOOL systemMenu);
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  BOOL OnToolTipText(NMHDR* header);
  void ShowCommandPrompt(UINT id);

 private:
  CView* m_pViewActive = nullptr;
  HICON m_hIcon = nullptr;
  std::string m_tipText;
  std::wstring m_tipTextWide;
};
