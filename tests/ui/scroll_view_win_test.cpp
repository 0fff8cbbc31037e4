// CScrollView: scroll bars that follow the content size, scroll positions,
// the viewport origin of drawing, scroll requests and wheel scrolling.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/cclient_dc.h"
#include "ui/cframe_wnd.h"
#include "ui/cscroll_view.h"
#include "ui/cwin_app.h"

namespace {

class ContentView : public CScrollView {
 public:
  void OnDraw(CDC* dc) override {
    ++draws;
    drawnOrigin = dc->GetViewportOrg();
  }
  int draws = 0;
  CPoint drawnOrigin;
};

class ScrollFrame : public CFrameWnd {
 public:
  BOOL OnCreateClient(LPCREATESTRUCTA) override {
    view = new ContentView;
    return view->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                          AFX_IDW_PANE_FIRST);
  }
  ContentView* view = nullptr;
};

class ScrollViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new ScrollFrame;
    ASSERT_TRUE(frame->CreateEx(0, nullptr, "scroll", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                nullptr));
    frame->RecalcLayout();
    view = frame->view;
    CRect client;
    view->GetClientRect(&client);
    fullClient = client.Size();
    ASSERT_GT(fullClient.cx, 100);
    ASSERT_GT(fullClient.cy, 100);
  }
  void TearDown() override { frame->DestroyWindow(); }

  CSize Client() const {
    CRect client;
    view->GetClientRect(&client);
    return client.Size();
  }
  bool HasBar(DWORD bar) const { return (view->GetStyle() & bar) != 0; }
  void Wheel(int delta) {
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                      MAKELPARAM(10, 10));
  }

  CWinApp app{"ScrollTest"};
  ScrollFrame* frame = nullptr;
  ContentView* view = nullptr;
  CSize fullClient;
};

TEST_F(ScrollViewTest, BarsAppearForLargerContentAndLimitThePosition) {
  const CSize total(fullClient.cx * 3, fullClient.cy * 4);
  view->SetScrollSizes(MM_TEXT, total);
  EXPECT_TRUE(HasBar(WS_HSCROLL));
  EXPECT_TRUE(HasBar(WS_VSCROLL));
  const CSize client = Client();
  EXPECT_LT(client.cx, fullClient.cx);

  view->ScrollToPosition(CPoint(100, 120));
  EXPECT_EQ(view->GetScrollPosition(), CPoint(100, 120));
  view->ScrollToPosition(CPoint(100000, 100000));
  EXPECT_EQ(view->GetScrollPosition(), CPoint(total.cx - client.cx, total.cy - client.cy));
  view->ScrollToPosition(CPoint(-5, -5));
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
}

TEST_F(ScrollViewTest, ContentThatFitsHidesTheBarsAndScrollsBackToTheOrigin) {
  view->SetScrollSizes(MM_TEXT, CSize(fullClient.cx * 2, fullClient.cy * 2));
  view->ScrollToPosition(CPoint(50, 60));
  view->SetScrollSizes(MM_TEXT, CSize(fullClient.cx, fullClient.cy));
  EXPECT_FALSE(HasBar(WS_HSCROLL));
  EXPECT_FALSE(HasBar(WS_VSCROLL));
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
  EXPECT_EQ(Client(), fullClient);

  // Only one direction too large: one bar, and the other still fits.
  view->SetScrollSizes(MM_TEXT, CSize(fullClient.cx * 2, 10));
  EXPECT_TRUE(HasBar(WS_HSCROLL));
  EXPECT_FALSE(HasBar(WS_VSCROLL));
}

TEST_F(ScrollViewTest, DrawingStartsAtMinusTheScrollPosition) {
  view->SetScrollSizes(MM_TEXT, CSize(2000, 1500));
  view->ScrollToPosition(CPoint(150, 100));
  CClientDC dc(view);
  view->OnPrepareDC(&dc);
  EXPECT_EQ(dc.GetViewportOrg(), CPoint(-150, -100));
  // Content point (150, 100) is the client's top-left corner.
  POINT content = {150, 100};
  ::LPtoDP(dc.GetSafeHdc(), &content, 1);
  EXPECT_EQ(CPoint(content), CPoint(0, 0));

  // Painting prepares the device context the same way before OnDraw.
  view->SendMessage(WM_PAINT);
  EXPECT_EQ(view->draws, 1);
  EXPECT_EQ(view->drawnOrigin, CPoint(-150, -100));
}

TEST_F(ScrollViewTest, ScrollRequestsMoveByLineAndPage) {
  view->SetScrollSizes(MM_TEXT, CSize(3000, 3000), CSize(100, 90), CSize(10, 7));
  view->SendMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 7));
  view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 97));
  view->SendMessage(WM_HSCROLL, SB_PAGEDOWN);
  view->SendMessage(WM_HSCROLL, SB_LINEUP);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(90, 97));
  view->SendMessage(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(90, 0));
  view->SendMessage(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(view->GetScrollPosition().y, 3000 - Client().cy);
}

TEST_F(ScrollViewTest, WheelScrollsTheSystemsLinesAtMostAPage) {
  UINT lines = 3;
  ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ASSERT_NE(lines, WHEEL_PAGESCROLL);
  view->SetScrollSizes(MM_TEXT, CSize(3000, 3000), CSize(100, 50), CSize(10, 6));
  Wheel(-WHEEL_DELTA);
  const int expected = std::min(static_cast<int>(lines) * 6, 50);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, expected));
  Wheel(WHEEL_DELTA);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
  Wheel(-10 * WHEEL_DELTA);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 50)) << "at most a page";

  // Without a vertical bar the wheel scrolls horizontally.
  view->SetScrollSizes(MM_TEXT, CSize(3000, 10), CSize(100, 50), CSize(10, 6));
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(std::min(static_cast<int>(lines) * 10, 100), 0));
}

}  // namespace
