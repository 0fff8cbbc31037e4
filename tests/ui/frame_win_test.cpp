// The frame, its bars and splitter working together: command routing,
// update-UI on menus and toolbar buttons, command prompts in the status
// bar, the splitter's panes, and tree notifications reaching the frame.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/support/memory_canvas_win.h"
#include "tests/ui/test_frame_win.h"
#include "ui/cimage_list.h"

namespace {

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new TestFrame(log);
    ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
    app.m_pMainWnd = frame;
    frame->InitialUpdateFrame();
    frame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    // Left hidden: without a window manager, Wine waits seconds for a
    // shown window to unmap when it is destroyed.
    PumpMessages(app);
  }
  void TearDown() override {
    // Not the main window any more, so its destruction posts no WM_QUIT.
    app.m_pMainWnd = nullptr;
    if (frame != nullptr) frame->DestroyWindow();
    PumpMessages(app);
  }

  LRESULT Command(UINT id) { return frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  HMENU EditMenu() const { return ::GetSubMenu(frame->GetMenu(), 1); }
  HMENU ViewMenu() const { return ::GetSubMenu(frame->GetMenu(), 2); }
  UINT MenuState(HMENU popup, UINT id) {
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(1, FALSE));
    return ::GetMenuState(popup, id, MF_BYCOMMAND);
  }
  bool ButtonEnabled(UINT id) const {
    return frame->toolBar.SendMessage(TB_ISBUTTONENABLED, id) != 0;
  }
  bool ButtonChecked(UINT id) const {
    return frame->toolBar.SendMessage(TB_ISBUTTONCHECKED, id) != 0;
  }
  CRect ChildRect(CWnd& child) const {
    CRect rect;
    child.GetWindowRect(&rect);
    frame->ScreenToClient(&rect);
    return rect;
  }

  CommandLog log;
  TestApp app{log};
  TestFrame* frame = nullptr;
};

TEST_F(FrameTest, CommandsGoToTheActiveViewThenTheFrameThenTheApplication) {
  frame->SetActiveView(frame->view);
  Command(ID_TEST_VIEWONLY);
  Command(ID_TEST_OPEN);
  Command(ID_TEST_APP);
  frame->SetActiveView(nullptr);
  Command(ID_TEST_VIEWONLY);
  EXPECT_EQ(log, (CommandLog{"view:viewonly", "frame:open", "app:app", "frame:viewonly"}));
}

TEST_F(FrameTest, AcceleratorRunsTheCommandOnlyWhileItIsEnabled) {
  frame->deleteEnabled = false;
  frame->view->PostMessage(WM_KEYDOWN, VK_DELETE, 0);
  PumpMessages(app);
  EXPECT_TRUE(log.empty());

  frame->deleteEnabled = true;
  frame->view->PostMessage(WM_KEYDOWN, VK_DELETE, 0);
  PumpMessages(app);
  EXPECT_EQ(log, (CommandLog{"frame:delete"}));
}

TEST_F(FrameTest, UpdateHandlersSetMenuItemsAndToolbarButtons) {
  frame->SetActiveView(frame->view);
  frame->deleteEnabled = false;
  frame->movieOn = true;
  EXPECT_TRUE(MenuState(EditMenu(), ID_TEST_DELETE) & MF_GRAYED);
  EXPECT_TRUE(MenuState(EditMenu(), ID_TEST_MOVIE) & MF_CHECKED);
  EXPECT_TRUE(MenuState(EditMenu(), ID_TEST_NEVER) & MF_GRAYED) << "no handler anywhere";
  EXPECT_FALSE(frame->IsCommandEnabled(ID_TEST_NEVER));
  EXPECT_TRUE(frame->IsCommandEnabled(ID_TEST_APP));
  EXPECT_FALSE(MenuState(EditMenu(), ID_TEST_VIEWONLY) & MF_GRAYED);
  EXPECT_FALSE(MenuState(EditMenu(), ID_TEST_APP) & MF_GRAYED);
  app.OnIdle(0);
  EXPECT_FALSE(ButtonEnabled(ID_TEST_DELETE));
  EXPECT_TRUE(ButtonChecked(ID_TEST_MOVIE));
  EXPECT_TRUE(ButtonEnabled(ID_TEST_OPEN));

  frame->deleteEnabled = true;
  frame->movieOn = false;
  EXPECT_FALSE(MenuState(EditMenu(), ID_TEST_DELETE) & MF_GRAYED);
  EXPECT_FALSE(MenuState(EditMenu(), ID_TEST_MOVIE) & MF_CHECKED);
  app.OnIdle(0);
  EXPECT_TRUE(ButtonEnabled(ID_TEST_DELETE));
  EXPECT_FALSE(ButtonChecked(ID_TEST_MOVIE));
}

TEST_F(FrameTest, ViewCommandsShowAndHideTheBars) {
  const CRect paneWithBars = ChildRect(frame->splitter);
  EXPECT_TRUE(MenuState(ViewMenu(), ID_VIEW_TOOLBAR) & MF_CHECKED);
  EXPECT_EQ(paneWithBars.top, ChildRect(frame->toolBar).bottom);
  EXPECT_EQ(paneWithBars.bottom, ChildRect(frame->statusBar).top);

  Command(ID_VIEW_TOOLBAR);
  Command(ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(frame->toolBar.GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(frame->statusBar.GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(MenuState(ViewMenu(), ID_VIEW_TOOLBAR) & MF_CHECKED);
  EXPECT_FALSE(MenuState(ViewMenu(), ID_VIEW_STATUS_BAR) & MF_CHECKED);
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_EQ(ChildRect(frame->splitter), client);

  Command(ID_VIEW_TOOLBAR);
  EXPECT_TRUE(frame->toolBar.GetStyle() & WS_VISIBLE);
  EXPECT_EQ(ChildRect(frame->splitter).top, ChildRect(frame->toolBar).bottom);
}

TEST_F(FrameTest, StatusBarShowsThePromptOfTheSelectedCommand) {
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Waiting for you");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_OPEN, MF_STRING),
                     reinterpret_cast<LPARAM>(::GetSubMenu(frame->GetMenu(), 0)));
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Open an existing skin");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Waiting for you");

  // Hovering a toolbar button (the control's hot item) shows its prompt.
  frame->toolBar.SendMessage(TB_SETHOTITEM, frame->toolBar.CommandToIndex(ID_TEST_DELETE));
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Delete the selected item");
  frame->toolBar.SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Waiting for you");
}

TEST_F(FrameTest, ToolbarTooltipIsTheTextAfterTheLineBreak) {
  NMTTDISPINFOA info = {};
  info.hdr.hwndFrom = reinterpret_cast<HWND>(frame->toolBar.SendMessage(TB_GETTOOLTIPS));
  info.hdr.idFrom = ID_TEST_OPEN;
  info.hdr.code = TTN_GETDISPINFOA;
  ASSERT_NE(info.hdr.hwndFrom, nullptr) << "CBRS_TOOLTIPS gives the toolbar tooltips";
  frame->SendMessage(WM_NOTIFY, ID_TEST_OPEN, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_STREQ(info.lpszText, "Open");
}

TEST_F(FrameTest, ToolbarLoadsButtonsAndSeparatorsFromItsResource) {
  ASSERT_EQ(frame->toolBar.GetCount(), 4);
  EXPECT_EQ(frame->toolBar.GetItemID(0), static_cast<UINT>(ID_TEST_OPEN));
  EXPECT_EQ(frame->toolBar.GetItemID(1), static_cast<UINT>(ID_SEPARATOR));
  EXPECT_EQ(frame->toolBar.GetItemID(2), static_cast<UINT>(ID_TEST_DELETE));
  EXPECT_EQ(frame->toolBar.GetItemID(3), static_cast<UINT>(ID_TEST_MOVIE));
}

TEST_F(FrameTest, SplitterPlacesBothPanesAndMovesTheBarWhenDragged) {
  CWnd* left = frame->splitter.GetPane(0, 0);
  CWnd* right = frame->splitter.GetPane(0, 1);
  ASSERT_EQ(left, frame->tree);
  ASSERT_EQ(right, frame->view);
  CRect splitterClient, leftRect, rightRect;
  frame->splitter.GetClientRect(&splitterClient);
  left->GetWindowRect(&leftRect);
  right->GetWindowRect(&rightRect);
  frame->splitter.ScreenToClient(&leftRect);
  frame->splitter.ScreenToClient(&rightRect);
  EXPECT_EQ(leftRect, CRect(0, 0, 200, splitterClient.bottom));
  EXPECT_EQ(rightRect.left, 200 + CSplitterWnd::kBarWidth);
  EXPECT_EQ(rightRect.right, splitterClient.right);

  frame->splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(202, 40));
  frame->splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(252, 40));
  frame->splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(252, 40));
  left->GetWindowRect(&leftRect);
  right->GetWindowRect(&rightRect);
  EXPECT_EQ(leftRect.Width(), 250);
  EXPECT_EQ(rightRect.right - rightRect.Width() - leftRect.right, CSplitterWnd::kBarWidth);
}

TEST_F(FrameTest, SplitterAnswersThePaintQueryWithZero) {
  // A control asks the view, the view asks its parent (the splitter).
  EXPECT_EQ(frame->splitter.SendMessage(0x047B, 1, 2), 0);
  EXPECT_EQ(frame->view->SendMessage(0x047B, 1, 2), 0);
}

TEST_F(FrameTest, TreeNotificationsReachTheFrame) {
  CTreeCtrl& tree = frame->tree->GetTreeCtrl();
  HTREEITEM root = tree.InsertItem("MainWindow", 0, 0);
  HTREEITEM child = tree.InsertItem("Button", 2, 2, root);
  ASSERT_NE(child, nullptr);
  tree.SetItemData(child, 0x1234);
  tree.Expand(root, TVE_EXPAND);
  EXPECT_EQ(tree.GetRootItem(), root);
  EXPECT_EQ(tree.GetChildItem(root), child);
  EXPECT_EQ(tree.GetItemText(child), "Button");

  frame->notifications.clear();
  ASSERT_TRUE(tree.SelectItem(child));
  ASSERT_FALSE(frame->notifications.empty());
  EXPECT_TRUE(frame->notifications.back().code == TVN_SELCHANGEDA ||
              frame->notifications.back().code == TVN_SELCHANGEDW);
  EXPECT_EQ(frame->notifications.back().idFrom, static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST));
  EXPECT_EQ(tree.GetItemData(tree.GetSelectedItem()), static_cast<DWORD_PTR>(0x1234));

  RECT itemRect = {};
  ASSERT_TRUE(TreeView_GetItemRect(tree.GetSafeHwnd(), child, &itemRect, TRUE));
  const LPARAM at =
      MAKELPARAM((itemRect.left + itemRect.right) / 2, (itemRect.top + itemRect.bottom) / 2);
  frame->notifications.clear();
  tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  bool doubleClick = false;
  for (const TreeNotification& n : frame->notifications) doubleClick |= n.code == NM_DBLCLK;
  EXPECT_TRUE(doubleClick);

  frame->notifications.clear();
  tree.PostMessage(WM_RBUTTONUP, 0, at);
  tree.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, at);
  PumpMessages(app);
  bool rightClick = false;
  for (const TreeNotification& n : frame->notifications) rightClick |= n.code == NM_RCLICK;
  EXPECT_TRUE(rightClick);

  tree.DeleteItem(child);
  EXPECT_EQ(tree.GetChildItem(root), nullptr);
  tree.DeleteAllItems();
  EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(FrameTest, RunDispatchesUpdatesBarsWhenIdleAndReturnsTheQuitCode) {
  frame->deleteEnabled = false;
  frame->PostMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_OPEN, 0), 0);
  app.quitWhenIdle = true;
  EXPECT_EQ(app.Run(), 7);
  EXPECT_EQ(log, (CommandLog{"frame:open"}));
  EXPECT_FALSE(ButtonEnabled(ID_TEST_DELETE)) << "idle time updated the toolbar";
}

TEST_F(FrameTest, ExitCommandClosesTheMainWindow) {
  app.m_pMainWnd = frame;
  Command(ID_APP_EXIT);
  EXPECT_TRUE(PumpMessages(app));
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  frame = nullptr;  // deleted itself with its window
}

TEST_F(FrameTest, ClickingAToolbarButtonRunsItsCommand) {
  CRect button;
  frame->toolBar.GetItemRect(frame->toolBar.CommandToIndex(ID_TEST_OPEN), &button);
  const LPARAM at = MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y);
  frame->toolBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  frame->toolBar.SendMessage(WM_LBUTTONUP, 0, at);
  PumpMessages(app);
  EXPECT_EQ(log, (CommandLog{"frame:open"}));
}

TEST_F(FrameTest, KeyIndicatorsFollowTheToggleStatesWhenIdle) {
  BYTE keys[256];
  ASSERT_TRUE(::GetKeyboardState(keys));
  const BYTE saved[3] = {keys[VK_CAPITAL], keys[VK_NUMLOCK], keys[VK_SCROLL]};
  keys[VK_CAPITAL] |= 1;
  keys[VK_NUMLOCK] &= ~1;
  keys[VK_SCROLL] |= 1;
  ASSERT_TRUE(::SetKeyboardState(keys));
  app.OnIdle(0);
  EXPECT_EQ(frame->statusBar.GetPaneText(1), "CAP");
  EXPECT_EQ(frame->statusBar.GetPaneText(2), "");
  EXPECT_EQ(frame->statusBar.GetPaneText(3), "SCRL");
  EXPECT_EQ(frame->statusBar.GetItemID(2), static_cast<UINT>(ID_INDICATOR_NUM));

  keys[VK_CAPITAL] &= ~1;
  keys[VK_NUMLOCK] |= 1;
  ASSERT_TRUE(::SetKeyboardState(keys));
  app.OnIdle(0);
  EXPECT_EQ(frame->statusBar.GetPaneText(1), "");
  EXPECT_EQ(frame->statusBar.GetPaneText(2), "NUM");
  keys[VK_CAPITAL] = saved[0];
  keys[VK_NUMLOCK] = saved[1];
  keys[VK_SCROLL] = saved[2];
  ::SetKeyboardState(keys);
}

TEST(ImageListTest, CutsTheBitmapIntoImagesWithMagentaTransparent) {
  CImageList images;
  ASSERT_TRUE(images.Create(IDB_TREEIMAGES, 16, 0, RGB(255, 0, 255)));
  EXPECT_EQ(images.GetImageCount(), 9);

  MemoryCanvas canvas(16, 16);
  canvas.Fill(RGBQUAD{10, 20, 30, 0});
  ASSERT_TRUE(images.Draw(canvas.Dc(), 3, CPoint(0, 0), ILD_TRANSPARENT));
  EXPECT_TRUE(SameColor(canvas.Pixel(0, 0), RGBQUAD{10, 20, 30, 0})) << "magenta is transparent";
  EXPECT_TRUE(SameColor(canvas.Pixel(8, 8), RGBQUAD{75, 100, 170, 0}));
}

}  // namespace
