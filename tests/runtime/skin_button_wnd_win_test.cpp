// SkinButtonWnd in real windows: the notifications and their order, the
// mouse region and its fallbacks, the state faces and the cross-fade, the
// check box, the paint query, and moving in the editor's move mode.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "imaging/dib_image.h"
#include "runtime/skin_button_wnd.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"
#include "ui/crgn.h"

namespace {

const RGBQUAD kUpColor = Rgb(10, 20, 30);
const RGBQUAD kDownColor = Rgb(200, 0, 0);
const RGBQUAD kFocusColor = Rgb(0, 200, 0);
const RGBQUAD kDisableColor = Rgb(90, 90, 90);
constexpr UINT kButtonId = 0xFFFF;

// The container: records the notifications posted to it and answers the
// paint query as told.
class Parent : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SKINPAINTQUERY) return paintsChildren ? 1 : 0;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  // The codes of the WM_COMMAND posts waiting in the queue, in order; the
  // repeat codes of held buttons are left out unless asked for.
  std::vector<WORD> TakeCodes(bool withRepeats = false) {
    std::vector<WORD> codes;
    MSG msg;
    while (::PeekMessageA(&msg, m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
      const WORD code = HIWORD(msg.wParam);
      EXPECT_EQ(LOWORD(msg.wParam), kButtonId);
      if (withRepeats || (code != SkinButtonWnd::kRepeatFast && code != SkinButtonWnd::kRepeatSlow))
        codes.push_back(code);
    }
    return codes;
  }
  bool paintsChildren = false;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class SkinButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "container", WS_OVERLAPPEDWINDOW, 50, 50, 300, 200,
                                nullptr, nullptr));
    ASSERT_TRUE(MakeFilledImage(up, 40, 20, 24, kUpColor));
    ASSERT_TRUE(MakeFilledImage(down, 40, 20, 24, kDownColor));
    ASSERT_TRUE(MakeFilledImage(focus, 40, 20, 24, kFocusColor));
    ASSERT_TRUE(MakeFilledImage(disable, 40, 20, 24, kDisableColor));
  }
  void TearDown() override {
    if (button.GetSafeHwnd() != nullptr) button.DestroyWindow();
    if (parent.GetSafeHwnd() != nullptr) parent.DestroyWindow();
  }
  void CreateButton(const CRgn* windowRgn = nullptr, const CRgn* mouseRgn = nullptr,
                    bool allStates = true) {
    ASSERT_TRUE(button.Create(&parent, &up, allStates ? &down : nullptr,
                              allStates ? &focus : nullptr, allStates ? &disable : nullptr,
                              windowRgn, mouseRgn, kButtonId));
    parent.TakeCodes(true);
  }
  // The colour DrawTo shows at the button's centre.
  RGBQUAD FaceColor() {
    MemoryCanvas canvas(40, 20);
    canvas.Fill(Rgb(1, 1, 1));
    button.DrawTo(canvas.Dc(), 0, 0);
    return canvas.Pixel(20, 10);
  }
  // Moves the real cursor to the button's client point (x, y).
  void CursorAt(int x, int y) {
    POINT point = {x, y};
    ::ClientToScreen(button.GetSafeHwnd(), &point);
    ::SetCursorPos(point.x, point.y);
  }
  void FastTicks(int count) {
    for (int i = 0; i < count; ++i) button.Tick(SkinButtonWnd::kFastTimer);
  }

  Parent parent;
  SkinButtonWnd button;
  DibImage up, down, focus, disable;
};

TEST_F(SkinButtonTest, PressAndReleaseInsidePostsPressClickAndReleaseInOrder) {
  CreateButton();
  CursorAt(5, 5);
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(parent.TakeCodes(), (std::vector<WORD>{2, 0xFD}));
  EXPECT_EQ(button.GetState(), SkinButtonWnd::kDown);
  EXPECT_TRUE(SameColor(FaceColor(), kDownColor)) << "Down shows at once";

  FastTicks(1);
  button.Tick(SkinButtonWnd::kSlowTimer);
  EXPECT_EQ(parent.TakeCodes(true), (std::vector<WORD>{0xFF, 0xFE})) << "repeats while held";
  button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(6, 6));
  EXPECT_EQ(parent.TakeCodes(), (std::vector<WORD>{2}));

  button.SendMessage(WM_LBUTTONUP, 0, At(6, 6));
  EXPECT_EQ(parent.TakeCodes(), (std::vector<WORD>{3, 0, 3}));
  EXPECT_FALSE(button.IsPressed());
}

TEST_F(SkinButtonTest, AQuickSecondPressIsAPressToo) {
  CreateButton();
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  button.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
  parent.TakeCodes();
  button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(parent.TakeCodes(), (std::vector<WORD>{2, 0xFD}));
  button.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(parent.TakeCodes(), (std::vector<WORD>{3, 0, 3}));
}

TEST_F(SkinButtonTest, PressInsideReleaseOutsideIsNoClick) {
  CreateButton();
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(parent.TakeCodes(), (std::vector<WORD>{2, 0xFD}));
  button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(100, 5));
  EXPECT_EQ(button.GetState(), SkinButtonWnd::kUp) << "the face goes back up outside";
  EXPECT_TRUE(button.IsFading());
  button.SendMessage(WM_LBUTTONUP, 0, At(100, 5));
  EXPECT_EQ(parent.TakeCodes(), (std::vector<WORD>{3}));
}

TEST_F(SkinButtonTest, MouseRegionFallsBackToTheWindowRegionThenTheBitmap) {
  struct Case {
    const char* name;
    bool windowShape;
    bool mouseShape;
    POINT inside, outside;
  };
  CRgn windowRgn;
  ASSERT_TRUE(windowRgn.CreateRectRgn(0, 0, 10, 10));
  CRgn mouseRgn;
  ASSERT_TRUE(mouseRgn.CreateRectRgn(20, 0, 30, 10));
  const Case cases[] = {
      {"mouse region", true, true, {25, 5}, {5, 5}},
      {"window region only", true, false, {5, 5}, {15, 5}},
      {"neither: the bitmap", false, false, {39, 19}, {40, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (button.GetSafeHwnd() != nullptr) button.DestroyWindow();
    CreateButton(c.windowShape ? &windowRgn : nullptr, c.mouseShape ? &mouseRgn : nullptr);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(c.outside.x, c.outside.y));
    EXPECT_TRUE(parent.TakeCodes().empty());
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(c.inside.x, c.inside.y));
    EXPECT_EQ(parent.TakeCodes(), (std::vector<WORD>{2, 0xFD}));
    button.SendMessage(WM_LBUTTONUP, 0, At(c.inside.x, c.inside.y));
    parent.TakeCodes();
  }
}

TEST_F(SkinButtonTest, HoverFadesToFocusInAboutTenTicks) {
  CreateButton();
  CursorAt(5, 5);
  FastTicks(1);
  EXPECT_EQ(button.GetState(), SkinButtonWnd::kFocus);
  EXPECT_TRUE(button.IsFading());
  FastTicks(5);
  const RGBQUAD halfway = FaceColor();
  EXPECT_GT(halfway.rgbGreen, kUpColor.rgbGreen);
  EXPECT_LT(halfway.rgbGreen, kFocusColor.rgbGreen) << "a blend of Up and Focus";
  FastTicks(6);
  EXPECT_FALSE(button.IsFading());
  EXPECT_TRUE(SameColor(FaceColor(), kFocusColor));

  CursorAt(150, 150);
  FastTicks(12);
  EXPECT_EQ(button.GetState(), SkinButtonWnd::kUp);
  EXPECT_TRUE(SameColor(FaceColor(), kUpColor));
}

TEST_F(SkinButtonTest, WithoutOtherStatesTheUpBitmapShowsEverywhere) {
  CreateButton(nullptr, nullptr, false);
  CursorAt(5, 5);
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(SameColor(FaceColor(), kUpColor));
  button.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
  FastTicks(12);
  EXPECT_TRUE(SameColor(FaceColor(), kUpColor)) << "focus";
  button.EnableWindow(FALSE);
  EXPECT_TRUE(SameColor(FaceColor(), kUpColor)) << "disabled";
}

TEST_F(SkinButtonTest, DisabledButtonShowsItsDisableBitmapAndIgnoresPresses) {
  CreateButton();
  button.EnableWindow(FALSE);
  EXPECT_TRUE(SameColor(FaceColor(), kDisableColor));
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(parent.TakeCodes().empty());
}

TEST_F(SkinButtonTest, CheckBoxTogglesOnClicksAndShowsDownWhileChecked) {
  button.SetCheckBox(true);
  CreateButton();
  CursorAt(5, 5);
  for (bool expected : {true, false, true}) {
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(button.IsChecked(), expected);
    FastTicks(12);
    EXPECT_EQ(button.GetState(), expected ? SkinButtonWnd::kDown : SkinButtonWnd::kUp)
        << "no hover state while the cursor is over it";
  }
}

TEST_F(SkinButtonTest, WhileOneButtonMovesNoButtonTakesTheLeftButton) {
  CreateButton();
  SkinButtonWnd other;
  ASSERT_TRUE(other.Create(&parent, &up, &down, nullptr, nullptr, nullptr, nullptr, kButtonId));
  other.SetMoveMode(true);
  other.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(3, 3));
  EXPECT_TRUE(SkinButtonWnd::DragActive());
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(parent.TakeCodes().empty());
  other.SendMessage(WM_RBUTTONUP, 0, At(3, 3));
  EXPECT_FALSE(SkinButtonWnd::DragActive());
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(parent.TakeCodes(), (std::vector<WORD>{2, 0xFD}));
  other.DestroyWindow();
}

TEST_F(SkinButtonTest, RightDragMovesTheButtonAndTheReleaseReachesTheParent) {
  CreateButton();
  button.SetMoveMode(true);
  button.SetWindowPos(nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  button.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(4, 6));
  // The cursor goes 25 right and 10 down: in the button's coordinates the
  // point is that far from where the button still stands.
  button.SendMessage(WM_MOUSEMOVE, MK_RBUTTON, At(4 + 25, 6 + 10));
  CRect rect;
  button.GetWindowRect(&rect);
  parent.ScreenToClient(&rect);
  EXPECT_EQ(rect.left, 55);
  EXPECT_EQ(rect.top, 50);
  button.SendMessage(WM_RBUTTONUP, 0, At(4, 6));
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, parent.GetSafeHwnd(), WM_RBUTTONUP, WM_RBUTTONUP, PM_REMOVE));
  EXPECT_EQ(LOWORD(msg.lParam), 55 + 4) << "in the parent's coordinates";
  EXPECT_EQ(HIWORD(msg.lParam), 50 + 6);
}

TEST_F(SkinButtonTest, PaintQueryAnsweredNonZeroPaintsNothing) {
  CreateButton();
  parent.ShowWindow(SW_SHOWNOACTIVATE);
  button.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  for (bool parentPaints : {true, false}) {
    SCOPED_TRACE(parentPaints);
    parent.paintsChildren = parentPaints;
    HDC screen = ::GetDC(parent.GetSafeHwnd());
    RECT all = {0, 0, 40, 20};
    ::FillRect(screen, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    button.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const COLORREF shown = ::GetPixel(screen, 20, 10);
    ::ReleaseDC(parent.GetSafeHwnd(), screen);
    if (parentPaints) {
      EXPECT_EQ(shown, RGB(255, 255, 255));
    } else {
      EXPECT_EQ(shown, RGB(kUpColor.rgbRed, kUpColor.rgbGreen, kUpColor.rgbBlue));
    }
  }
}

}  // namespace
