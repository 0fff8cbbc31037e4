// SkinScrollBarWnd in real windows: the system-style pictures it makes for
// itself, the skin's pictures, the thumb's place along the track, arrow
// auto-repeat, paging on the track and dragging the thumb.
#include <windows.h>

#include <gtest/gtest.h>

#include "imaging/dib_image.h"
#include "runtime/skin_scroll_bar_wnd.h"
#include "tests/runtime/list_test_host_win.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"

namespace {

using list_test::At;
using list_test::ChildRect;
using list_test::CursorAt;
using list_test::PumpFor;
using list_test::PumpPending;
using list_test::PumpUntil;

constexpr int kBarLength = 200;
constexpr int kEnd = 16;  // default arrow and thumb size

// Pixels of a width x height area of canvas at (x, y) that differ from
// expected's top-left area.
int DifferentPixels(const MemoryCanvas& canvas, int x, int y, const MemoryCanvas& expected) {
  int different = 0;
  for (int row = 0; row < expected.Height(); ++row)
    for (int column = 0; column < expected.Width(); ++column)
      if (canvas.Pixel(x + column, y + row) != expected.Pixel(column, row)) ++different;
  return different;
}

// What DrawFrameControl paints on a 16 x 16 face.
class FrameFace : public MemoryCanvas {
 public:
  FrameFace(UINT type, UINT state) : MemoryCanvas(kEnd, kEnd) {
    Fill(Rgb(1, 2, 3));
    RECT face = {0, 0, kEnd, kEnd};
    ::DrawFrameControl(Dc(), &face, type, state);
  }
};

RGBQUAD SystemColor(int index) {
  const COLORREF color = ::GetSysColor(index);
  return Rgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

class ScrollBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create());
    ::SetCursorPos(0, 0);
  }
  void TearDown() override {
    if (bar.GetSafeHwnd() != nullptr) bar.DestroyWindow();
    host.DestroyWindow();
  }
  void CreateBar(SkinScrollBarWnd& target, bool horizontal) {
    target.SetHorizontal(horizontal);
    // Asked thicker than the track: the bar keeps the track's thickness.
    const CRect rect =
        horizontal ? CRect(10, 10, 10 + kBarLength, 50) : CRect(10, 10, 50, 10 + kBarLength);
    ASSERT_TRUE(target.Create(WS_CHILD | WS_VISIBLE, rect, &host, 7));
  }
  void CreateBar() { CreateBar(bar, false); }
  int ThumbTop() { return ChildRect(bar.Thumb().GetSafeHwnd()).top; }
  CRect ThumbRect() { return CRect(ChildRect(bar.Thumb().GetSafeHwnd())); }
  size_t Notifications() { return host.Of(SkinScrollBarWnd::kPositionChanged).size(); }

  list_test::Host host;
  SkinScrollBarWnd bar;
};

TEST_F(ScrollBarTest, WithoutSkinPicturesItDrawsSystemStyleArrowsThumbAndTrack) {
  struct Case {
    bool horizontal;
    UINT first, second;
  };
  for (const Case& c : {Case{false, DFCS_SCROLLUP, DFCS_SCROLLDOWN},
                        Case{true, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT}}) {
    SCOPED_TRACE(c.horizontal ? "horizontal" : "vertical");
    SkinScrollBarWnd bar;
    CreateBar(bar, c.horizontal);
    CRect client;
    bar.GetClientRect(&client);
    EXPECT_EQ(c.horizontal ? client.Height() : client.Width(), kEnd);
    EXPECT_EQ(c.horizontal ? client.Width() : client.Height(), kBarLength);

    MemoryCanvas canvas(client.Width(), client.Height());
    bar.DrawTo(canvas.Dc(), 0, 0);
    const int endX = c.horizontal ? kBarLength - kEnd : 0;
    const int endY = c.horizontal ? 0 : kBarLength - kEnd;
    EXPECT_EQ(DifferentPixels(canvas, 0, 0, FrameFace(DFC_SCROLL, c.first)), 0);
    EXPECT_EQ(DifferentPixels(canvas, endX, endY, FrameFace(DFC_SCROLL, c.second)), 0);
    // Position 0: the thumb lies right after the first arrow.
    EXPECT_EQ(DifferentPixels(canvas, c.horizontal ? kEnd : 0, c.horizontal ? 0 : kEnd,
                              FrameFace(DFC_BUTTON, DFCS_BUTTONPUSH)),
              0);
    EXPECT_TRUE(SameColor(canvas.Pixel(c.horizontal ? 100 : 8, c.horizontal ? 8 : 100),
                          SystemColor(COLOR_SCROLLBAR)));

    // The pressed and disabled faces are the system's too.
    bar.UpArrow().SetState(SkinButtonWnd::kDown);
    bar.DrawTo(canvas.Dc(), 0, 0);
    const FrameFace pushed(DFC_SCROLL, c.first | DFCS_PUSHED);
    EXPECT_NE(DifferentPixels(pushed, 0, 0, FrameFace(DFC_SCROLL, c.first)), 0);
    EXPECT_EQ(DifferentPixels(canvas, 0, 0, pushed), 0);
    bar.EnableWindow(FALSE);
    bar.DrawTo(canvas.Dc(), 0, 0);
    EXPECT_EQ(DifferentPixels(canvas, endX, endY, FrameFace(DFC_SCROLL, c.second | DFCS_INACTIVE)),
              0);
  }
}

TEST_F(ScrollBarTest, SkinPicturesAreUsedAndTheTrackIsACopy) {
  DibImage track, arrowUp, thumbUp;
  ASSERT_TRUE(MakePatternImage(track, 12, 5));
  ASSERT_TRUE(MakeFilledImage(arrowUp, 12, 14, 24, Rgb(200, 0, 0)));
  ASSERT_TRUE(MakeFilledImage(thumbUp, 12, 30, 24, Rgb(0, 0, 200)));
  ASSERT_TRUE(bar.SetTrackBackground(&track));
  bar.SetUpArrowBitmaps(&arrowUp, nullptr, nullptr, nullptr);
  bar.SetThumbBitmaps(&thumbUp, nullptr, nullptr);
  ASSERT_TRUE(MakeFilledImage(track, 12, 5, 24, Rgb(0, 0, 0)));  // the bar keeps its copy
  CreateBar();

  CRect client;
  bar.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 12) << "as wide as the track picture";
  EXPECT_EQ(CRect(ChildRect(bar.UpArrow().GetSafeHwnd())), CRect(0, 0, 12, 14));
  EXPECT_EQ(ThumbRect(), CRect(0, 14, 12, 44));
  MemoryCanvas canvas(client.Width(), client.Height());
  bar.DrawTo(canvas.Dc(), 0, 0);
  EXPECT_TRUE(SameColor(canvas.Pixel(3, 5), Rgb(200, 0, 0)));
  EXPECT_TRUE(SameColor(canvas.Pixel(3, 30), Rgb(0, 0, 200)));
  // Track tiles from the top: client row 100 is picture row 0 from the top.
  EXPECT_TRUE(SameColor(canvas.Pixel(3, 100), PatternColor(3, 4)));
}

TEST_F(ScrollBarTest, TheThumbSitsInProportionAlongTheFreeTrack) {
  CreateBar();
  const int track = kBarLength - 3 * kEnd;
  ASSERT_EQ(bar.TrackLength(), track);
  struct Case {
    int minimum, maximum, set, position, thumbTop;
  };
  const Case cases[] = {
      {0, 19, 0, 0, kEnd},           {0, 19, 10, 10, kEnd + ::MulDiv(10, track, 19)},
      {0, 19, 19, 19, kEnd + track}, {0, 19, 50, 19, kEnd + track},
      {0, 19, -3, 0, kEnd},          {0, 0, 5, 0, kEnd},  // an empty range never divides by zero
      {5, 10, 0, 5, kEnd},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.minimum << ".." << c.maximum << " set " << c.set);
    bar.SetRange(c.minimum, c.maximum);
    bar.SetPos(c.set);
    bar.UpdateThumb();
    EXPECT_EQ(bar.GetPos(), c.position);
    EXPECT_EQ(ThumbTop(), c.thumbTop);
  }
  EXPECT_EQ(ChildRect(bar.DownArrow().GetSafeHwnd()).top, kBarLength - kEnd);
}

TEST_F(ScrollBarTest, HoldingAnArrowStepsOnceEvery50MillisecondsUpToTheEnd) {
  CreateBar();
  bar.SetRange(0, 6);
  bar.SetPos(0);
  bar.UpdateThumb();
  HWND down = bar.DownArrow().GetSafeHwnd();
  ASSERT_TRUE(CursorAt(down, {8, 8}));
  const DWORD start = ::GetTickCount();
  ::SendMessageA(down, WM_LBUTTONDOWN, MK_LBUTTON, At(8, 8));
  ASSERT_TRUE(PumpUntil([&] { return bar.GetPos() == 6; }, 3000));
  EXPECT_GE(::GetTickCount() - start, 5u * 45u) << "one step per period, not at once";
  EXPECT_EQ(Notifications(), 6u) << "one notification per step";
  EXPECT_EQ(ThumbTop(), kEnd + bar.TrackLength());

  PumpFor(200);
  EXPECT_EQ(Notifications(), 6u) << "nothing more at the end";
  EXPECT_TRUE(bar.IsAutoRepeating());
  ::SendMessageA(down, WM_LBUTTONUP, 0, At(8, 8));
  PumpPending();
  EXPECT_FALSE(bar.IsAutoRepeating());
  EXPECT_FALSE(bar.IsRepeatTimerRunning());

  HWND up = bar.UpArrow().GetSafeHwnd();
  ASSERT_TRUE(CursorAt(up, {8, 8}));
  ::SendMessageA(up, WM_LBUTTONDOWN, MK_LBUTTON, At(8, 8));
  ASSERT_TRUE(PumpUntil([&] { return bar.GetPos() <= 3; }, 3000));
  ::SendMessageA(up, WM_LBUTTONUP, 0, At(8, 8));
  PumpPending();
  const int released = bar.GetPos();
  PumpFor(200);
  EXPECT_EQ(bar.GetPos(), released) << "the release stops the repeat";
}

TEST_F(ScrollBarTest, PressingTheTrackWalksTheThumbToTheCursorAndStops) {
  CreateBar();
  bar.SetRange(0, 19);
  bar.SetPos(0);
  bar.UpdateThumb();
  ASSERT_TRUE(CursorAt(bar.GetSafeHwnd(), {8, 150}));
  ::SendMessageA(bar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(8, 150));
  EXPECT_TRUE(bar.IsTrackPaging());
  ASSERT_TRUE(PumpUntil([&] { return ThumbRect().PtInRect(CPoint(8, 150)); }, 3000));
  const int reached = bar.GetPos();
  EXPECT_GT(reached, 0);
  EXPECT_LT(reached, 19);
  PumpFor(200);
  EXPECT_EQ(bar.GetPos(), reached) << "the thumb stays under the cursor";

  // Above the thumb it walks back up.
  ::SendMessageA(bar.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(8, 20));
  ASSERT_TRUE(CursorAt(bar.GetSafeHwnd(), {8, 20}));
  ASSERT_TRUE(PumpUntil([&] { return bar.GetPos() == 0; }, 3000));
  ::SendMessageA(bar.GetSafeHwnd(), WM_LBUTTONUP, 0, At(8, 20));
  EXPECT_FALSE(bar.IsTrackPaging());
  EXPECT_FALSE(bar.IsRepeatTimerRunning());
  EXPECT_NE(::GetCapture(), bar.GetSafeHwnd());
}

TEST_F(ScrollBarTest, PagingStopsOnceTheThumbHasPassedTheCursor) {
  CreateBar();
  bar.SetRange(0, 4);  // one step is 38 pixels, more than the 16-pixel thumb
  bar.SetPos(0);
  bar.UpdateThumb();
  const int between = kEnd + ::MulDiv(2, bar.TrackLength(), 4) + kEnd + 10;
  ASSERT_LT(between, kEnd + ::MulDiv(3, bar.TrackLength(), 4));
  ASSERT_TRUE(CursorAt(bar.GetSafeHwnd(), {8, between}));
  ::SendMessageA(bar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(8, between));
  PumpFor(600);
  EXPECT_EQ(bar.GetPos(), 3) << "not on to the end";
  ::SendMessageA(bar.GetSafeHwnd(), WM_LBUTTONUP, 0, At(8, between));
}

TEST_F(ScrollBarTest, DraggingTheThumbMapsItsPlaceLinearlyOntoTheRange) {
  CreateBar();
  bar.SetRange(0, 19);
  bar.SetPos(0);
  bar.UpdateThumb();
  const int track = bar.TrackLength();
  HWND thumb = bar.Thumb().GetSafeHwnd();
  ASSERT_TRUE(CursorAt(thumb, {8, 5}));
  ::SendMessageA(thumb, WM_LBUTTONDOWN, MK_LBUTTON, At(8, 5));
  PumpPending();
  ASSERT_TRUE(bar.IsThumbDragging());
  EXPECT_EQ(::GetCapture(), bar.GetSafeHwnd());
  PumpFor(60);
  EXPECT_TRUE(bar.IsThumbDragging()) << "the held thumb's repeat codes keep the drag";

  struct Case {
    int cursorY, thumbTop, position;
  };
  const Case cases[] = {
      {kEnd + 5 + 50, kEnd + 50, static_cast<int>(50.0 / (track / 19.0) + 0.5)},
      {500, kBarLength - 2 * kEnd, 19},
      {-50, kEnd, 0},
      {kEnd + 5 + 100, kEnd + 100, static_cast<int>(100.0 / (track / 19.0) + 0.5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cursorY);
    const size_t before = Notifications();
    ::SendMessageA(bar.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(8, c.cursorY));
    EXPECT_EQ(ThumbTop(), c.thumbTop);
    EXPECT_EQ(bar.GetPos(), c.position);
    EXPECT_EQ(Notifications(), before + 1);
  }
  ::SendMessageA(bar.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(8, kEnd + 5 + 101));
  EXPECT_EQ(ThumbTop(), kEnd + 101) << "the thumb follows even without a new position";

  ::SendMessageA(bar.GetSafeHwnd(), WM_LBUTTONUP, 0, At(8, kEnd + 5 + 101));
  PumpPending();
  EXPECT_FALSE(bar.IsThumbDragging());
  EXPECT_EQ(ThumbTop(), kEnd + ::MulDiv(bar.GetPos(), track, 19)) << "snaps to the position";
  EXPECT_FALSE(bar.Thumb().IsPressed()) << "the thumb saw the release too";
  EXPECT_EQ(::GetCapture(), nullptr);
}

}  // namespace
