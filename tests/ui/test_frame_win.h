// A frame built like the editor's main window (toolbar, status bar, a
// static splitter with a tree view on the left and a view on the right),
// recording the commands and tree notifications that reach each window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/ui/ui_test_resource.h"
#include "ui/cframe_wnd.h"
#include "ui/command_map.h"
#include "ui/csplitter_wnd.h"
#include "ui/cstatus_bar.h"
#include "ui/ctool_bar.h"
#include "ui/ctree_view.h"
#include "ui/cwin_app.h"

using CommandLog = std::vector<std::string>;

class TestApp : public CWinApp {
 public:
  explicit TestApp(CommandLog& log) : CWinApp(nullptr), log_(log) {}
  BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override {
    if (id == ID_TEST_APP && code == CN_COMMAND) {
      log_.push_back("app:app");
      return TRUE;
    }
    if (id == ID_TEST_APP && code == CN_UPDATE_COMMAND_UI) {
      ui->Enable(TRUE);
      return TRUE;
    }
    return CWinApp::OnCmdMsg(id, code, ui);
  }
  // Ends Run() once the idle work is done.
  BOOL OnIdle(LONG count) override {
    const BOOL more = CWinApp::OnIdle(count);
    if (!more && quitWhenIdle) ::PostQuitMessage(7);
    return more;
  }
  bool quitWhenIdle = false;

 private:
  CommandLog& log_;
};

class RecordingView : public CView {
 public:
  explicit RecordingView(CommandLog& log) : log_(log) {}
  BOOL HandleCmdMsg(UINT id, int code, CCmdUI* ui) override {
    static const CommandEntry<RecordingView> kCommands[] = {
        {ID_TEST_VIEWONLY, &RecordingView::OnViewOnly, nullptr},
    };
    return DispatchCommand(*this, kCommands, id, code, ui) || CView::HandleCmdMsg(id, code, ui);
  }
  // Answers the paint query of skinned controls the way the editor's view
  // does: by asking its parent.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == 0x047B) return GetParent()->SendMessage(message, wParam, lParam);
    return CView::WindowProc(message, wParam, lParam);
  }

 private:
  void OnViewOnly() { log_.push_back("view:viewonly"); }
  CommandLog& log_;
};

class TreePane : public CTreeView {
 public:
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override {
    cs.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    return CTreeView::PreCreateWindow(cs);
  }
};

struct TreeNotification {
  UINT code;
  HWND from;
  UINT_PTR idFrom;
};

class TestFrame : public CFrameWnd {
 public:
  explicit TestFrame(CommandLog& log) : log(log) {}

  int OnCreate(LPCREATESTRUCTA cs) override {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                       ID_INDICATOR_SCRL};
    if (!toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS) ||
        !toolBar.LoadToolBar(IDR_TESTTOOLBAR))
      return -1;
    if (!statusBar.Create(this) || !statusBar.SetIndicators(kIndicators, 4)) return -1;
    return 0;
  }

  BOOL OnCreateClient(LPCREATESTRUCTA) override {
    tree = new TreePane;
    view = new RecordingView(log);
    return splitter.CreateStatic(this, 1, 2) && splitter.CreateView(0, 0, tree, CSize(200, 0)) &&
           splitter.CreateView(0, 1, view, CSize(0, 0));
  }

  BOOL HandleCmdMsg(UINT id, int code, CCmdUI* ui) override {
    static const CommandEntry<TestFrame> kCommands[] = {
        {ID_TEST_OPEN, &TestFrame::OnOpen, nullptr},
        {ID_TEST_DELETE, &TestFrame::OnDelete, &TestFrame::OnUpdateDelete},
        {ID_TEST_MOVIE, &TestFrame::OnMovie, &TestFrame::OnUpdateMovie},
        {ID_TEST_VIEWONLY, &TestFrame::OnViewOnly, nullptr},
    };
    return DispatchCommand(*this, kCommands, id, code, ui) || CFrameWnd::HandleCmdMsg(id, code, ui);
  }

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (tree != nullptr && header->hwndFrom == tree->GetSafeHwnd()) {
      notifications.push_back({header->code, header->hwndFrom, header->idFrom});
      if (header->code == NM_DBLCLK) {
        *result = 1;
        return TRUE;
      }
    }
    return CFrameWnd::OnNotify(wParam, lParam, result);
  }

  CommandLog& log;
  CToolBar toolBar;
  CStatusBar statusBar;
  CSplitterWnd splitter;
  TreePane* tree = nullptr;
  RecordingView* view = nullptr;
  bool deleteEnabled = true;
  bool movieOn = false;
  std::vector<TreeNotification> notifications;

 private:
  void OnOpen() { log.push_back("frame:open"); }
  void OnDelete() { log.push_back("frame:delete"); }
  void OnMovie() { log.push_back("frame:movie"); }
  void OnViewOnly() { log.push_back("frame:viewonly"); }
  void OnUpdateDelete(CCmdUI* ui) { ui->Enable(deleteEnabled); }
  void OnUpdateMovie(CCmdUI* ui) {
    ui->Enable(TRUE);
    ui->SetCheck(movieOn ? 1 : 0);
  }
};

// Runs every queued message through the application, as Run() would;
// true when WM_QUIT was among them.
inline bool PumpMessages(CWinApp& app) {
  MSG msg;
  bool quit = false;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      continue;
    }
    app.ProcessMessage(msg);
  }
  return quit;
}
