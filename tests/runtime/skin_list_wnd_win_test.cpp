// SkinListWnd in real windows: selection and scrolling through SetCurSel,
// the scroll bar that follows it, keys, wheel, clicks and drag selection,
// the drawing (background, selection bar, colours, the sizing frame), the
// tooltip rules, fonts and the editor's move mode.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "imaging/dib_image.h"
#include "runtime/skin_list_wnd.h"
#include "tests/runtime/list_test_host_win.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"
#include "ui/cfont.h"

namespace {

using list_test::At;
using list_test::ChildRect;
using list_test::CursorAt;
using list_test::PumpFor;
using list_test::PumpPending;
using list_test::PumpUntil;

constexpr UINT kListId = 42;
constexpr int kListWidth = 200;
constexpr DWORD kPlain = WS_CHILD | WS_VISIBLE;
constexpr DWORD kFramed = WS_CHILD | WS_VISIBLE | WS_THICKFRAME;

CRect ClientOf(const CWnd& window) {
  CRect client;
  window.GetClientRect(&client);
  return client;
}

// Pixels of canvas whose colour leans clearly to red or to blue, in the
// rows top to bottom.
int LeaningPixels(const MemoryCanvas& canvas, int top, int bottom, bool towardsRed) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const RGBQUAD pixel = canvas.Pixel(x, y);
      const int red = pixel.rgbRed;
      const int blue = pixel.rgbBlue;
      if (towardsRed ? red > blue + 60 : blue > red + 60) ++count;
    }
  }
  return count;
}

std::string TipText(SkinListWnd& list) {
  char buffer[256] = {};
  TOOLINFOA info = {};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.hwnd = ::GetParent(list.GetSafeHwnd());
  info.uId = reinterpret_cast<UINT_PTR>(list.GetSafeHwnd());
  info.lpszText = buffer;
  list.ToolTip().SendMessage(TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&info));
  return buffer;
}

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create());
    ::SetCursorPos(0, 0);
  }
  void TearDown() override {
    if (list.GetSafeHwnd() != nullptr) list.DestroyWindow();
    host.DestroyWindow();
  }
  void CreateList(DWORD style = kPlain) {
    ASSERT_TRUE(list.Create(style, CRect(10, 10, 10 + kListWidth, 110), &host, kListId));
  }
  // Sizes the client area to hold `rows` whole rows and half of one more.
  void FitRows(int rows, int width = kListWidth) {
    RECT window = {0, 0, width, rows * list.RowHeight() + list.RowHeight() / 2};
    ::AdjustWindowRectEx(&window, list.GetStyle(), FALSE, list.GetExStyle());
    list.SetWindowPos(nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void AddRows(int count) {
    for (int i = 1; i <= count; ++i) {
      list.AddItem(("Item " + std::to_string(i)).c_str(), -1, false);
    }
  }
  bool ScrollBarShown() { return (list.ScrollBar().GetStyle() & WS_VISIBLE) != 0; }
  LPARAM RowPoint(int visibleRow) { return At(20, visibleRow * list.RowHeight() + 2); }

  list_test::Host host;
  SkinListWnd list;
};

TEST_F(ListTest, AnEmptyListDrawsOnlyItsBackgroundAndHidesTheScrollBar) {
  DibImage pattern;
  ASSERT_TRUE(MakePatternImage(pattern, 7, 5));
  list.SetBackground(&pattern);
  CreateList();
  EXPECT_EQ(list.SetCurSel(3), -1);
  EXPECT_EQ(list.VisibleRows(), 0);
  EXPECT_FALSE(ScrollBarShown());

  const CRect client = ClientOf(list);
  MemoryCanvas drawn(client.Width(), client.Height());
  list.DrawTo(drawn.Dc(), 0, 0);
  MemoryCanvas expected(client.Width(), client.Height());
  pattern.Tile(expected.Dc(), client);
  EXPECT_TRUE(drawn.SamePixels(expected));
}

// Rows added at once end as rows added one by one do.
TEST_F(ListTest, AddItemsEndsLikeAddItemOneByOne) {
  CreateList();
  FitRows(5);
  std::vector<std::string> texts;
  for (int i = 1; i <= 20; ++i) texts.push_back("Item " + std::to_string(i));
  list.SetTextColor(RGB(1, 2, 3));
  list.AddItems(texts);
  ASSERT_EQ(list.GetCount(), 20);
  EXPECT_EQ(list.GetRow(19)->text, "Item 20");
  EXPECT_EQ(list.GetRow(19)->textColor, RGB(1, 2, 3));
  EXPECT_EQ(list.GetCurSel(), 0);
  EXPECT_TRUE(ScrollBarShown());
  EXPECT_EQ(list.ScrollBar().GetRangeMax(), 19);
}

TEST_F(ListTest, SelectingRowTenOfTwentyWithFiveVisibleScrollsAndPlacesTheThumb) {
  CreateList();
  FitRows(5);
  AddRows(20);
  ASSERT_EQ(list.VisibleRows(), 5);
  EXPECT_EQ(list.GetCurSel(), 0);
  EXPECT_EQ(list.SetCurSel(10), 10);
  EXPECT_EQ(list.GetTopIndex(), 6) << "row 10 is the last visible row";

  SkinScrollBarWnd& bar = list.ScrollBar();
  const CRect client = ClientOf(list);
  ASSERT_TRUE(ScrollBarShown());
  EXPECT_EQ(CRect(ChildRect(bar.GetSafeHwnd())),
            CRect(client.Width() - 16, 0, client.Width(), client.Height()));
  EXPECT_EQ(bar.GetRangeMin(), 0);
  EXPECT_EQ(bar.GetRangeMax(), 19);
  EXPECT_EQ(bar.GetPos(), 10);
  const int track = client.Height() - 3 * 16;
  EXPECT_EQ(ChildRect(bar.Thumb().GetSafeHwnd()).top, 16 + ::MulDiv(10, track, 19));

  struct Case {
    int select, current, top;
  };
  const Case cases[] = {{19, 19, 15}, {3, 3, 3}, {-4, 0, 0}, {99, 19, 15}, {16, 16, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.select);
    EXPECT_EQ(list.SetCurSel(c.select), c.current);
    EXPECT_EQ(list.GetTopIndex(), c.top);
    EXPECT_EQ(bar.GetPos(), c.current) << "the scroll bar always shows the selected row";
  }
}

TEST_F(ListTest, AddItemKeepsTheColoursOfItsTimeAndShowsTheScrollBarWhenRowsOverflow) {
  CreateList();
  FitRows(5);
  list.SetTextColor(RGB(1, 2, 3));
  list.SetSelTextColor(RGB(7, 8, 9));
  EXPECT_EQ(list.AddItem("first"), 0);
  list.SetTextColor(RGB(4, 5, 6));
  EXPECT_EQ(list.AddItem("second", 3, true, "tip"), 1);
  EXPECT_EQ(list.GetRow(0)->textColor, RGB(1, 2, 3));
  EXPECT_EQ(list.GetRow(1)->textColor, RGB(4, 5, 6));
  EXPECT_EQ(list.GetRow(1)->selTextColor, RGB(7, 8, 9));
  EXPECT_EQ(list.GetRow(1)->tipText, "tip");
  EXPECT_EQ(list.GetRow(1)->image, 3);

  list.SetCurSel(1);
  AddRows(3);
  EXPECT_EQ(list.GetCurSel(), 0) << "adding selects the first row";
  EXPECT_FALSE(ScrollBarShown()) << "five rows fit";
  list.AddItem("sixth");
  EXPECT_TRUE(ScrollBarShown());
}

TEST_F(ListTest, ArrowKeysMoveTheSelectionBeforeTranslationAndStopAtTheEnds) {
  CreateList();
  FitRows(5);
  AddRows(20);
  struct Case {
    UINT key;
    bool posted;
    int from, to;
  };
  const Case cases[] = {
      {VK_DOWN, true, 0, 1}, {VK_DOWN, false, 1, 2},  {VK_UP, true, 2, 1},
      {VK_UP, true, 0, 0},   {VK_DOWN, true, 19, 19}, {VK_RIGHT, true, 5, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " from " << c.from);
    list.SetCurSel(c.from);
    if (c.posted) {
      ::PostMessageA(list.GetSafeHwnd(), WM_KEYDOWN, c.key, 0);
      PumpPending();
    } else {
      list.SendMessage(WM_KEYDOWN, c.key, 0);
    }
    EXPECT_EQ(list.GetCurSel(), c.to);
  }
}

TEST_F(ListTest, TheWheelMovesThreeRowsPerNotchAndStopsAtTheEnds) {
  CreateList();
  FitRows(5);
  AddRows(20);
  struct Case {
    int from;
    short delta;
    int to;
  };
  const Case cases[] = {{10, -WHEEL_DELTA, 13}, {10, WHEEL_DELTA, 7}, {1, WHEEL_DELTA, 0},
                        {18, -WHEEL_DELTA, 19}, {10, 0, 10},          {10, -1, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " by " << c.delta);
    list.SetCurSel(c.from);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), At(100, 100));
    EXPECT_EQ(list.GetCurSel(), c.to);
  }
}

TEST_F(ListTest, PressingAndDraggingSelectsAndDraggingPastTheEdgesScrolls) {
  CreateList();
  FitRows(5);
  AddRows(20);
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(2));
  EXPECT_EQ(list.GetCurSel(), 2);
  EXPECT_EQ(::GetCapture(), list.GetSafeHwnd());
  list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, RowPoint(4));
  EXPECT_EQ(list.GetCurSel(), 4);

  const int below = ClientOf(list).Height() + 30;
  ASSERT_TRUE(CursorAt(list.GetSafeHwnd(), {20, below}));
  ASSERT_TRUE(PumpUntil([&] { return list.GetCurSel() >= 7; }, 2000));
  EXPECT_EQ(list.GetTopIndex(), list.GetCurSel() - 4);
  ASSERT_TRUE(CursorAt(list.GetSafeHwnd(), {20, -20}));
  const int turned = list.GetCurSel();
  ASSERT_TRUE(PumpUntil([&] { return list.GetCurSel() <= turned - 3; }, 2000));

  list.SendMessage(WM_LBUTTONUP, 0, At(20, -20));
  EXPECT_NE(::GetCapture(), list.GetSafeHwnd());
  const int released = list.GetCurSel();
  PumpFor(300);
  EXPECT_EQ(list.GetCurSel(), released) << "the drag timer ends with the release";
}

TEST_F(ListTest, ADoubleClickPostsCodeFive) {
  CreateList();
  AddRows(3);
  list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(1));
  PumpPending();
  const auto commands = host.Of(WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LOWORD(commands[0].wParam), kListId);
  EXPECT_EQ(HIWORD(commands[0].wParam), SkinListWnd::kDoubleClicked);
  EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), list.GetSafeHwnd());
}

TEST_F(ListTest, TheScrollBarSelectsThroughItsMessageAndItsHeldArrowWalksToTheLastRow) {
  CreateList();
  FitRows(5);
  AddRows(20);
  SkinScrollBarWnd& bar = list.ScrollBar();
  bar.SetPos(7);
  list.SendMessage(SkinScrollBarWnd::kPositionChanged, 0,
                   reinterpret_cast<LPARAM>(bar.GetSafeHwnd()));
  EXPECT_EQ(list.GetCurSel(), 7);
  EXPECT_EQ(list.GetTopIndex(), 3);
  bar.SetPos(12);
  list.SendMessage(SkinScrollBarWnd::kPositionChanged, 0,
                   reinterpret_cast<LPARAM>(host.GetSafeHwnd()));
  EXPECT_EQ(list.GetCurSel(), 7) << "only its own scroll bar counts";

  HWND down = bar.DownArrow().GetSafeHwnd();
  ASSERT_TRUE(CursorAt(down, {8, 8}));
  ::SendMessageA(down, WM_LBUTTONDOWN, MK_LBUTTON, At(8, 8));
  ASSERT_TRUE(PumpUntil([&] { return list.GetCurSel() == 19; }, 3000));
  EXPECT_EQ(list.GetTopIndex(), 15);
  ::SendMessageA(down, WM_LBUTTONUP, 0, At(8, 8));
  PumpPending();
  EXPECT_FALSE(bar.IsAutoRepeating());
}

TEST_F(ListTest, TheSelectionBarDarkensItsRowAndRowsUseTheirColours) {
  DibImage white;
  ASSERT_TRUE(MakeFilledImage(white, 8, 8, 24, Rgb(255, 255, 255)));
  list.SetBackground(&white);
  list.SetTextColor(RGB(0, 0, 255));
  list.SetSelTextColor(RGB(255, 0, 0));
  CreateList();
  FitRows(5);
  AddRows(3);
  list.SetCurSel(1);
  const CRect client = ClientOf(list);
  const int row = list.RowHeight();
  const int textRight = client.right - 50;  // no scroll bar
  MemoryCanvas canvas(client.Width(), client.Height());
  list.DrawTo(canvas.Dc(), 0, 0);

  // Black at alpha 30 of 255 over white.
  const RGBQUAD shaded = Rgb(225, 225, 225);
  EXPECT_TRUE(NearColor(canvas.Pixel(0, row + row / 2), shaded, 2));
  EXPECT_TRUE(NearColor(canvas.Pixel(textRight - 1, row + row / 2), shaded, 2));
  EXPECT_TRUE(SameColor(canvas.Pixel(textRight, row + row / 2), Rgb(255, 255, 255)));
  EXPECT_TRUE(SameColor(canvas.Pixel(0, row / 2), Rgb(255, 255, 255)));

  EXPECT_GT(LeaningPixels(canvas, row, 2 * row, true), 0) << "the selected row is red";
  EXPECT_EQ(LeaningPixels(canvas, row, 2 * row, false), 0);
  EXPECT_GT(LeaningPixels(canvas, 0, row, false), 0) << "the others are blue";
  EXPECT_EQ(LeaningPixels(canvas, 0, row, true), 0);

  // Drawn at an offset, the same picture moves with it.
  MemoryCanvas shifted(client.Width() + 10, client.Height() + 10);
  list.DrawTo(shifted.Dc(), 5, 7);
  int different = 0;
  for (int y = 0; y < client.Height(); ++y)
    for (int x = 0; x < client.Width(); ++x)
      if (shifted.Pixel(x + 5, y + 7) != canvas.Pixel(x, y)) ++different;
  EXPECT_EQ(different, 0);
}

TEST_F(ListTest, TheTooltipShowsCutTextsAndOwnTipsOnly) {
  CreateList();
  FitRows(6, 150);  // the text ends at 150 - 50 - 4
  list.AddItem("Hi", -1, false);
  list.AddItem("A row whose text is much too long for this list", -1, false);
  list.AddItem("Short", -1, false, "Tip");
  list.AddItem("Same", -1, false, "Same");
  list.RedrawWindow();  // a screen paint maps the rows
  EXPECT_FALSE(list.GetRow(0)->truncated);
  EXPECT_TRUE(list.GetRow(1)->truncated);
  EXPECT_FALSE(list.GetRow(2)->truncated);

  const int row = list.RowHeight();
  const std::string longText = list.GetRow(1)->text;
  struct Case {
    const char* name;
    POINT at;
    std::string remembered;
    bool active;
    std::string tip;  // checked while active
  };
  const Case cases[] = {
      {"outside every row", {140, row / 2}, SkinListWnd::kTipOutsideRows, false, ""},
      {"fitting row", {10, row / 2}, SkinListWnd::kTipNone, false, ""},
      {"cut row", {10, row + row / 2}, longText, true, longText},
      {"cut row again", {30, row + row / 2}, longText, true, longText},
      {"own tip", {10, 2 * row + row / 2}, "Short", true, "Tip"},
      {"tip equal to the text", {10, 3 * row + row / 2}, SkinListWnd::kTipNone, false, ""},
      {"below the rows", {10, 5 * row + row / 2}, SkinListWnd::kTipOutsideRows, false, ""},
      {"own tip once more", {10, 2 * row + 1}, "Short", true, "Tip"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    list.SendMessage(WM_MOUSEMOVE, 0, At(c.at.x, c.at.y));
    EXPECT_EQ(SkinListWnd::LastTipText(), c.remembered);
    EXPECT_EQ(list.IsToolTipActive(), c.active);
    if (c.active) {
      EXPECT_EQ(TipText(list), c.tip);
    }
  }
}

TEST_F(ListTest, WithASizingFrameTheBackgroundContinuesTheFrameAndSizesStayAbove50) {
  DibImage pattern;
  ASSERT_TRUE(MakePatternImage(pattern, 7, 5));
  list.SetBackground(&pattern);
  CreateList(kFramed);
  CRect window;
  list.GetWindowRect(&window);
  const CRect client = ClientOf(list);
  const int frameX = (window.Width() - client.Width()) / 2;
  const int frameY = (window.Height() - client.Height()) / 2;
  ASSERT_GT(frameX, 0);

  MemoryCanvas canvas(client.Width(), client.Height());
  list.DrawTo(canvas.Dc(), 0, 0);
  for (POINT p : {POINT{0, 0}, POINT{3, 2}, POINT{11, 9}}) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    const int column = (p.x + frameX) % 7;
    const int rowFromTop = (p.y + frameY) % 5;
    EXPECT_TRUE(SameColor(canvas.Pixel(p.x, p.y), pattern.GetPixelColor(column, 4 - rowFromTop)));
  }

  // The frame itself shows the same tiles from the window's corner.
  list.RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC frame = ::GetWindowDC(list.GetSafeHwnd());
  const COLORREF corner = ::GetPixel(frame, 1, 1);
  ::ReleaseDC(list.GetSafeHwnd(), frame);
  const RGBQUAD expected = pattern.GetPixelColor(1, 3);
  EXPECT_EQ(corner, RGB(expected.rgbRed, expected.rgbGreen, expected.rgbBlue));

  MINMAXINFO limits = {};
  list.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 50);
  EXPECT_EQ(limits.ptMinTrackSize.y, 50);
}

TEST_F(ListTest, TheListTakesItsParentsFontAndFollowsANewOne) {
  CreateList();
  FitRows(5);
  AddRows(20);
  LOGFONTA gui = {};
  ASSERT_EQ(::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui),
            static_cast<int>(sizeof gui));
  LOGFONTA taken = {};
  ASSERT_EQ(::GetObjectA(list.GetFont(), sizeof taken, &taken), static_cast<int>(sizeof taken));
  EXPECT_NE(list.GetFont(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)))
      << "a font of its own";
  EXPECT_STREQ(taken.lfFaceName, gui.lfFaceName);
  EXPECT_EQ(taken.lfHeight, gui.lfHeight);
  LOGFONTA bold = {};
  ASSERT_EQ(::GetObjectA(list.GetBoldFont(), sizeof bold, &bold), static_cast<int>(sizeof bold));
  EXPECT_EQ(bold.lfWeight, 2 * (gui.lfWeight > 0 ? gui.lfWeight : FW_NORMAL));

  const int before = list.RowHeight();
  {
    LOGFONTA large = gui;
    large.lfHeight = -40;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&large));
    list.SetFont(font);
  }  // the list keeps a copy of its own
  EXPECT_GT(list.RowHeight(), before + 10);
  EXPECT_LT(list.VisibleRows(), 5);
  EXPECT_TRUE(ScrollBarShown());
}

TEST_F(ListTest, TheRightButtonMovesTheListInMoveModeAndIsForwarded) {
  CreateList(kFramed);
  list.SetMoveMode(true);
  const CRect before(ChildRect(list.GetSafeHwnd()));
  list.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(10, 10));
  list.SendMessage(WM_MOUSEMOVE, MK_RBUTTON, At(25, 40));
  CRect after(ChildRect(list.GetSafeHwnd()));
  EXPECT_EQ(after.left - before.left, 15) << "no jump by the frame width";
  EXPECT_EQ(after.top - before.top, 30);
  EXPECT_EQ(after.Size(), before.Size());
  list.SendMessage(WM_RBUTTONUP, 0, At(10, 10));
  EXPECT_NE(::GetCapture(), list.GetSafeHwnd());
  PumpPending();
  auto ups = host.Of(WM_RBUTTONUP);
  ASSERT_EQ(ups.size(), 1u);
  POINT expected = {10, 10};
  ::MapWindowPoints(list.GetSafeHwnd(), host.GetSafeHwnd(), &expected, 1);
  EXPECT_EQ(CPoint(ups[0].lParam), CPoint(expected));

  list.SetMoveMode(false);
  list.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(10, 10));
  list.SendMessage(WM_MOUSEMOVE, MK_RBUTTON, At(40, 40));
  EXPECT_EQ(CRect(ChildRect(list.GetSafeHwnd())), after) << "no moving outside move mode";
  list.SendMessage(WM_RBUTTONUP, 0, At(40, 40));
  PumpPending();
  EXPECT_EQ(host.Of(WM_RBUTTONUP).size(), 2u);
}

}  // namespace
