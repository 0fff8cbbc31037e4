// SkinDriveListWnd in real windows: arrows that appear only when there is
// something to scroll to, scrolling by held arrows and the wheel, selecting
// drives and their LEDs, clicks between drives, the drawing and the
// editor's move mode.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "imaging/dib_image.h"
#include "runtime/skin_drive_list_wnd.h"
#include "tests/runtime/list_test_host_win.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"

namespace {

using list_test::At;
using list_test::ChildRect;
using list_test::CursorAt;
using list_test::PumpPending;
using list_test::PumpUntil;

constexpr UINT kDrivesId = 43;
constexpr int kWidth = 100;
constexpr int kHeight = 100;
const RGBQUAD kWhite = Rgb(255, 255, 255);
const RGBQUAD kButton = Rgb(0, 160, 0);
const RGBQUAD kLit = Rgb(250, 0, 0);
const RGBQUAD kDark = Rgb(60, 60, 60);
const RGBQUAD kUpArrow = Rgb(0, 0, 200);
const RGBQUAD kDownArrow = Rgb(200, 200, 0);
constexpr int kButtonWidth = 40, kButtonHeight = 20, kLed = 6;
constexpr int kArrowWidth = 24, kArrowHeight = 12;

class DriveListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create());
    ::SetCursorPos(0, 0);
    ASSERT_TRUE(MakeFilledImage(background, 8, 8, 24, kWhite));
    ASSERT_TRUE(MakeFilledImage(button, kButtonWidth, kButtonHeight, 24, kButton));
    ASSERT_TRUE(MakeFilledImage(ledOn, kLed, kLed, 24, kLit));
    ASSERT_TRUE(MakeFilledImage(ledOff, kLed, kLed, 24, kDark));
    ASSERT_TRUE(MakeFilledImage(upArrow, kArrowWidth, kArrowHeight, 24, kUpArrow));
    ASSERT_TRUE(MakeFilledImage(downArrow, kArrowWidth, kArrowHeight, 24, kDownArrow));
  }
  void TearDown() override {
    if (drives.GetSafeHwnd() != nullptr) drives.DestroyWindow();
    host.DestroyWindow();
  }
  void CreateDrives(int count, bool withLedOff = true, DWORD style = WS_CHILD | WS_VISIBLE) {
    drives.SetBackground(&background);
    drives.SetUpArrowBitmaps(&upArrow, nullptr, nullptr, nullptr);
    drives.SetDownArrowBitmaps(&downArrow, nullptr, nullptr, nullptr);
    drives.SetDriveBitmaps(&button, &ledOn, withLedOff ? &ledOff : nullptr);
    ASSERT_TRUE(drives.Create(style, CRect(10, 10, 10 + kWidth, 10 + kHeight), &host, kDrivesId));
    for (int i = 1; i <= count; ++i)
      drives.AddItem(("Drive " + std::to_string(i)).c_str(), "", static_cast<DWORD>(i), false);
  }
  bool UpShown() { return (drives.UpArrow().GetStyle() & WS_VISIBLE) != 0; }
  bool DownShown() { return (drives.DownArrow().GetStyle() & WS_VISIBLE) != 0; }
  void Wheel(short delta) {
    drives.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), At(50, 50));
  }
  // Presses an arrow and runs the loop until done() holds, then releases.
  template <typename Condition>
  bool HoldArrow(SkinButtonWnd& arrow, Condition done) {
    if (!CursorAt(arrow.GetSafeHwnd(), {5, 5})) return false;
    arrow.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    const bool reached = PumpUntil(done, 5000);
    arrow.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
    PumpPending();
    return reached;
  }

  list_test::Host host;
  SkinDriveListWnd drives;
  DibImage background, button, ledOn, ledOff, upArrow, downArrow;
};

TEST_F(DriveListTest, WithAllDrivesFittingBothArrowsStayHiddenAndTheWheelDoesNothing) {
  CreateDrives(3);  // the last drive ends at 75, plus the arrow's 12: fits in 100
  EXPECT_FALSE(UpShown());
  EXPECT_FALSE(DownShown());
  Wheel(-WHEEL_DELTA);
  Wheel(WHEEL_DELTA);
  EXPECT_EQ(drives.GetScrollOffset(), 0);
  EXPECT_FALSE(UpShown());
  EXPECT_FALSE(DownShown());
}

TEST_F(DriveListTest, ArrowsAppearOnlyWhileThereIsSomethingToScrollTo) {
  CreateDrives(6);  // the last drive ends at 150
  EXPECT_FALSE(UpShown());
  EXPECT_TRUE(DownShown());

  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(drives.GetScrollOffset(), -10);
  EXPECT_TRUE(UpShown());
  EXPECT_EQ(drives.RowTop(0), 5 - 10 + kArrowHeight) << "rows start below the up arrow";
  Wheel(WHEEL_DELTA);
  EXPECT_EQ(drives.GetScrollOffset(), 0);
  EXPECT_FALSE(UpShown());

  // Held, the down arrow scrolls pixel by pixel until it disappears: the
  // last drive and the arrow's height then just fit.
  ASSERT_TRUE(HoldArrow(drives.DownArrow(), [&] { return !DownShown(); }));
  EXPECT_EQ(drives.GetScrollOffset(), 100 - (5 + 25 * 5 + kButtonHeight + kArrowHeight));
  EXPECT_TRUE(UpShown());
  EXPECT_FALSE(drives.IsScrolling());
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(drives.GetScrollOffset(), -62) << "no wheel past the end";

  ASSERT_TRUE(HoldArrow(drives.UpArrow(), [&] { return drives.GetScrollOffset() == 0; }));
  PumpPending();
  EXPECT_FALSE(UpShown()) << "back at the top the up arrow goes";
  EXPECT_TRUE(DownShown());
  EXPECT_EQ(drives.GetScrollOffset(), 0);
}

TEST_F(DriveListTest, ClickingADriveLightsItsLedAndAGapClickGoesToTheParent) {
  CreateDrives(3);
  drives.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(50, 5 + 25 + 10));
  EXPECT_EQ(drives.GetSelected(), 1);
  drives.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(2, 5 + 50 + 1));  // the full width counts
  EXPECT_EQ(drives.GetSelected(), 2);
  EXPECT_FALSE(drives.GetDrive(1)->ledLit);
  EXPECT_TRUE(drives.GetDrive(2)->ledLit);
  PumpPending();
  auto commands = host.Of(WM_COMMAND);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(LOWORD(commands[1].wParam), kDrivesId);
  EXPECT_EQ(HIWORD(commands[1].wParam), SkinDriveListWnd::kSelected);
  EXPECT_EQ(reinterpret_cast<HWND>(commands[1].lParam), drives.GetSafeHwnd());

  // Between drive 0 (5..25) and drive 1 (30..50).
  drives.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(50, 27));
  EXPECT_EQ(drives.GetSelected(), -1);
  PumpPending();
  EXPECT_EQ(host.Of(WM_COMMAND).size(), 2u);
  auto forwarded = host.Of(WM_LBUTTONDOWN);
  ASSERT_EQ(forwarded.size(), 1u);
  POINT expected = {50, 27};
  ::MapWindowPoints(drives.GetSafeHwnd(), host.GetSafeHwnd(), &expected, 1);
  EXPECT_EQ(CPoint(forwarded[0].lParam), CPoint(expected));
  EXPECT_EQ(forwarded[0].wParam, static_cast<WPARAM>(MK_LBUTTON));
}

TEST_F(DriveListTest, DrivesAreCentredWithTheirLedsAndCaptionsInTheirColour) {
  drives.SetTextColor(RGB(255, 0, 0));
  CreateDrives(2);
  drives.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(50, 10));
  MemoryCanvas canvas(kWidth, kHeight);
  drives.DrawTo(canvas.Dc(), 0, 0);
  const int left = kWidth / 2 - (kButtonWidth + kLed) / 2;  // 27
  EXPECT_TRUE(SameColor(canvas.Pixel(left, 5), kButton));
  EXPECT_TRUE(SameColor(canvas.Pixel(left + kButtonWidth - 1, 5 + kButtonHeight - 1), kButton));
  EXPECT_TRUE(SameColor(canvas.Pixel(left - 1, 10), kWhite));
  const int ledTop = 5 + kButtonHeight / 2 - kLed / 2;
  EXPECT_TRUE(SameColor(canvas.Pixel(left + kButtonWidth, ledTop), kLit));
  EXPECT_TRUE(SameColor(canvas.Pixel(left + kButtonWidth + kLed - 1, ledTop + kLed - 1), kLit));
  EXPECT_TRUE(SameColor(canvas.Pixel(left + kButtonWidth + kLed, ledTop), kWhite));
  EXPECT_TRUE(SameColor(canvas.Pixel(left + kButtonWidth, ledTop + 25), kDark));

  int red = 0;
  for (int y = 5; y < 5 + kButtonHeight; ++y)
    for (int x = left; x < left + kButtonWidth; ++x)
      if (canvas.Pixel(x, y).rgbRed > 100 && canvas.Pixel(x, y).rgbGreen < 100) ++red;
  EXPECT_GT(red, 0) << "the caption is drawn on the button in the drive's colour";
}

TEST_F(DriveListTest, WithoutAnLedOffPictureNoLedIsDrawnAndTheButtonsAreCentredAlone) {
  CreateDrives(2, false);
  drives.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(50, 10));
  ASSERT_TRUE(drives.GetDrive(0)->ledLit);
  MemoryCanvas canvas(kWidth, kHeight);
  drives.DrawTo(canvas.Dc(), 0, 0);
  const int left = kWidth / 2 - kButtonWidth / 2;  // 30
  EXPECT_TRUE(SameColor(canvas.Pixel(left, 5), kButton));
  EXPECT_TRUE(SameColor(canvas.Pixel(left - 1, 5), kWhite));
  for (int x = left + kButtonWidth; x < kWidth; ++x)
    EXPECT_TRUE(SameColor(canvas.Pixel(x, 14), kWhite)) << x;
}

TEST_F(DriveListTest, ArrowsAreCentredAtTheEndsAndRowsAreClippedBetweenThem) {
  CreateDrives(6);
  EXPECT_EQ(CRect(ChildRect(drives.UpArrow().GetSafeHwnd())),
            CRect(38, 0, 38 + kArrowWidth, kArrowHeight));
  EXPECT_EQ(CRect(ChildRect(drives.DownArrow().GetSafeHwnd())),
            CRect(38, kHeight - kArrowHeight, 38 + kArrowWidth, kHeight));
  Wheel(-WHEEL_DELTA);
  Wheel(-WHEEL_DELTA);
  ASSERT_EQ(drives.RowTop(0), 5 - 20 + kArrowHeight);  // -3: partly under the up arrow
  MemoryCanvas canvas(kWidth, kHeight);
  drives.DrawTo(canvas.Dc(), 0, 0);
  EXPECT_TRUE(SameColor(canvas.Pixel(28, kArrowHeight - 2), kWhite)) << "clipped above";
  EXPECT_TRUE(SameColor(canvas.Pixel(28, kArrowHeight + 1), kButton));
  EXPECT_TRUE(SameColor(canvas.Pixel(40, 3), kUpArrow));
  EXPECT_TRUE(SameColor(canvas.Pixel(40, kHeight - 3), kDownArrow));
  // Row 3 (top 5 + 75 - 20 + 12 = 72) reaches past the down arrow's top at 88.
  const int row3Top = drives.RowTop(3);
  ASSERT_LT(row3Top, kHeight - kArrowHeight);
  ASSERT_GT(row3Top + kButtonHeight, kHeight - kArrowHeight);
  EXPECT_TRUE(SameColor(canvas.Pixel(28, kHeight - kArrowHeight + 1), kWhite)) << "clipped below";

  // Never narrower than the wider arrow.
  drives.SetWindowPos(nullptr, 0, 0, 5, kHeight, SWP_NOMOVE | SWP_NOZORDER);
  CRect client;
  drives.GetClientRect(&client);
  EXPECT_EQ(client.Width(), kArrowWidth);
}

TEST_F(DriveListTest, TheRightButtonMovesTheListInMoveModeAndIsForwarded) {
  CreateDrives(2, true, WS_CHILD | WS_VISIBLE | WS_THICKFRAME);
  drives.SetMoveMode(true);
  const CRect before(ChildRect(drives.GetSafeHwnd()));
  drives.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(20, 20));
  drives.SendMessage(WM_MOUSEMOVE, MK_RBUTTON, At(27, 31));
  const CRect after(ChildRect(drives.GetSafeHwnd()));
  EXPECT_EQ(after.TopLeft() - before.TopLeft(), CPoint(7, 11));
  drives.SendMessage(WM_RBUTTONUP, 0, At(20, 20));
  EXPECT_NE(::GetCapture(), drives.GetSafeHwnd());
  PumpPending();
  auto ups = host.Of(WM_RBUTTONUP);
  ASSERT_EQ(ups.size(), 1u);
  POINT expected = {20, 20};
  ::MapWindowPoints(drives.GetSafeHwnd(), host.GetSafeHwnd(), &expected, 1);
  EXPECT_EQ(CPoint(ups[0].lParam), CPoint(expected));

  LOGFONTA taken = {};
  ASSERT_EQ(::GetObjectA(drives.GetFont(), sizeof taken, &taken), static_cast<int>(sizeof taken));
  LOGFONTA gui = {};
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  EXPECT_STREQ(taken.lfFaceName, gui.lfFaceName) << "the parent's font";
}

}  // namespace
