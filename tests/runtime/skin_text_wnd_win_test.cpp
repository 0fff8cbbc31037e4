// SkinTextWnd in real (hidden) windows: the text of every kind under a
// fixed clock, repainting only on change, the marquee's steps, pauses and
// turns, the drawing (centred and scrolled text, background with and
// without a sizing frame, the centred foreground), the real refresh timer,
// fonts, and the mouse (forwarded clicks, the editor's move mode).
#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "imaging/dib_image.h"
#include "imaging/screen_dc_win.h"
#include "imaging/selected_object_win.h"
#include "runtime/skin_text_wnd.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"
#include "ui/cfont.h"
#include "ui/cwnd.h"

namespace {

constexpr UINT kTextId = 7;
constexpr DWORD kPlain = WS_CHILD | WS_VISIBLE;
constexpr DWORD kFramed = WS_CHILD | WS_VISIBLE | WS_THICKFRAME;
const COLORREF kInk = RGB(200, 0, 0);

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The container: never shown (the controls draw through DrawTo), answers
// WM_GETFONT with the GUI font and records the mouse messages the text
// hands on to it.
class Host : public CWnd {
 public:
  bool Create() {
    return CreateEx(WS_EX_NOACTIVATE, nullptr, "text test host", WS_POPUP | WS_CLIPCHILDREN, 60, 60,
                    500, 300, nullptr, nullptr) != FALSE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (message == WM_SKINPAINTQUERY) return 0;
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONUP) {
      received.push_back(Received{message, wParam, lParam});
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<Received> received;
};

// Counts the repaints the ticks ask for.
class CountingTextWnd : public SkinTextWnd {
 public:
  int repaints = 0;

 protected:
  void InvalidateFace() override {
    ++repaints;
    SkinTextWnd::InvalidateFace();
  }
};

std::tm MakeTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm time = {};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

void PumpPending() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

CRect ClientOf(const CWnd& window) {
  CRect client;
  window.GetClientRect(&client);
  return client;
}

CRect RectInParent(const CWnd& child) {
  CRect rect;
  child.GetWindowRect(&rect);
  ::MapWindowPoints(nullptr, ::GetParent(child.GetSafeHwnd()), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Width of text in font, as a single line.
int TextWidth(HFONT font, const std::string& text) {
  ScreenDC screen;
  SelectedObject selected(screen, font);
  CRect measured(0, 0, 0, 0);
  ::DrawTextA(screen, text.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
  return measured.Width();
}

// The system window colour with the text drawn in rect with flags, as
// the control should look without bitmaps.
void DrawExpectedText(MemoryCanvas& canvas, HFONT font, const std::string& text, CRect rect,
                      UINT flags) {
  const CRect all(0, 0, canvas.Width(), canvas.Height());
  ::FillRect(canvas.Dc(), &all, ::GetSysColorBrush(COLOR_WINDOW));
  SelectedObject selected(canvas.Dc(), font);
  ::SetBkMode(canvas.Dc(), TRANSPARENT);
  ::SetTextColor(canvas.Dc(), kInk);
  ::DrawTextA(canvas.Dc(), text.c_str(), -1, &rect, flags);
}

int InkPixels(const MemoryCanvas& canvas) {
  const RGBQUAD window =
      Rgb(GetRValue(::GetSysColor(COLOR_WINDOW)), GetGValue(::GetSysColor(COLOR_WINDOW)),
          GetBValue(::GetSysColor(COLOR_WINDOW)));
  int count = 0;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x)
      if (canvas.Pixel(x, y) != window) ++count;
  return count;
}

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Create()); }
  void TearDown() override {
    if (text.GetSafeHwnd() != nullptr) text.DestroyWindow();
    host.DestroyWindow();
  }
  void CreateText(int width, int height = 24, DWORD style = kPlain) {
    ASSERT_TRUE(text.Create(style, CRect(10, 10, 10 + width, 10 + height), &host, kTextId));
  }
  // Sizes the client area to width x height.
  void SizeClient(int width, int height) {
    RECT window = {0, 0, width, height};
    ::AdjustWindowRectEx(&window, text.GetStyle(), FALSE, text.GetExStyle());
    text.SetWindowPos(nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) text.Tick();
  }

  Host host;
  CountingTextWnd text;
};

TEST_F(TextTest, EachKindShowsTheWindowTextOrTheFormattedLocalTime) {
  CreateText(300);
  text.SetWindowText("Track 01.mp3");
  text.SetClock([] { return MakeTime(2026, 12, 10, 9, 5, 7); });
  struct Case {
    int kind;
    const char* expected;
  };
  const Case cases[] = {
      {SkinTextWnd::kNormal, "Track 01.mp3"},
      {SkinTextWnd::kFileName, "Track 01.mp3"},
      {SkinTextWnd::kTotalTime, "Track 01.mp3"},
      {SkinTextWnd::kCurrentTime, "Track 01.mp3"},
      {SkinTextWnd::kDateAndTime, "10.12.2026 09:05:07"},
      {SkinTextWnd::kDate, "10.12.2026"},
      {SkinTextWnd::kTime, "09:05:07"},
      // A number from a file that no kind has shows the window text.
      {7, "Track 01.mp3"},
      {-1, "Track 01.mp3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    text.SetKind(c.kind);
    text.Tick();
    EXPECT_EQ(text.GetText(), c.expected);
  }
}

TEST_F(TextTest, AClockRepaintsOncePerSecondAlthoughItTicksEvery50ms) {
  CreateText(300);
  text.SetKind(SkinTextWnd::kTime);
  int elapsed = 0;
  text.SetClock([&elapsed] { return MakeTime(2026, 12, 10, 12, 0, elapsed / 1000); });
  std::vector<int> repaintedAt;
  for (int tick = 1; tick <= 40; ++tick) {
    elapsed = tick * 50;
    const int before = text.repaints;
    text.Tick();
    if (text.repaints != before) repaintedAt.push_back(tick);
  }
  EXPECT_EQ(repaintedAt, (std::vector<int>{1, 20, 40}));
  EXPECT_EQ(text.GetText(), "12:00:02");
  EXPECT_FALSE(text.IsScrolling());
  EXPECT_EQ(text.TimerPeriod(), SkinTextWnd::kRefreshPeriod);
}

TEST_F(TextTest, AFittingTextRepaintsOnlyWhenTheWindowTextChanges) {
  CreateText(300);
  text.SetWindowText("Hello");
  Ticks(10);
  EXPECT_EQ(text.repaints, 1);
  text.SetWindowText("World");
  Ticks(10);
  EXPECT_EQ(text.repaints, 2);
  EXPECT_EQ(text.GetText(), "World");
  EXPECT_FALSE(text.IsScrolling());
}

// A text 20 pixels wider than the control: one pixel per tick to the left,
// the three-second pause where it turns, one pixel per tick back, the pause
// at the other end, and left again.
TEST_F(TextTest, ATextTwentyPixelsTooWideRunsBackAndForthWithPausesAtBothEnds) {
  const std::string caption = "A marquee text that does not fit";
  CreateText(100);
  const int textWidth = TextWidth(text.GetFont(), caption);
  ASSERT_GT(textWidth, 40);
  SizeClient(textWidth - 20, 24);
  text.SetWindowText(caption);

  struct Step {
    int tick;
    int left;
    UINT period;
    bool towardsLeft;
  };
  const UINT step = SkinTextWnd::kRefreshPeriod;
  const UINT pause = SkinTextWnd::kPausePeriod;
  const Step steps[] = {
      {1, -1, step, true},                             // leaves at once, no pause at the start
      {20, -20, step, true},                           // the left end: right edges meet
      {21, -21, step, true},                           // one pixel past it
      {22, -19, pause, false},                         // back at the end, turned, and waiting
      {23, -18, step, false},                          // the pause is over
      {41, 0, step, false},                            // the right end
      {42, 1, step, false},    {43, -1, pause, true},  // turned at the right end, waiting
      {44, -2, step, true},
  };
  int ticks = 0;
  for (const Step& expected : steps) {
    Ticks(expected.tick - ticks);
    ticks = expected.tick;
    SCOPED_TRACE(testing::Message() << "tick " << ticks);
    ASSERT_TRUE(text.IsScrolling());
    EXPECT_EQ(text.TextRect(), CRect(expected.left, 0, expected.left + textWidth, 24));
    EXPECT_EQ(text.TimerPeriod(), expected.period);
    EXPECT_EQ(text.IsScrollingLeft(), expected.towardsLeft);
    EXPECT_EQ(text.repaints, ticks) << "every step moves the text";
  }

  // Once the text fits it stops running at the next tick.
  text.SetWindowText("Short");
  text.Tick();
  EXPECT_FALSE(text.IsScrolling());
  EXPECT_EQ(text.TimerPeriod(), step);
}

TEST_F(TextTest, AFittingTextIsDrawnCentredAndARunningOneWhereTheMarqueeIs) {
  const std::string caption = "Centred and running";
  CreateText(200, 30);
  text.SetTextColor(kInk);
  text.SetWindowText(caption);
  text.Tick();
  ASSERT_FALSE(text.IsScrolling());
  const HFONT font = text.GetFont();
  {
    MemoryCanvas drawn(200, 30);
    text.DrawTo(drawn.Dc(), 0, 0);
    MemoryCanvas expected(200, 30);
    DrawExpectedText(expected, font, caption, CRect(0, 0, 200, 30),
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_GT(InkPixels(expected), 20);
    EXPECT_TRUE(drawn.SamePixels(expected));
  }

  const int textWidth = TextWidth(font, caption);
  SizeClient(textWidth - 30, 30);
  Ticks(6);
  ASSERT_TRUE(text.IsScrolling());
  ASSERT_EQ(text.TextRect().left, -6);
  const int width = textWidth - 30;
  MemoryCanvas drawn(width, 30);
  text.DrawTo(drawn.Dc(), 0, 0);
  MemoryCanvas expected(width, 30);
  DrawExpectedText(expected, font, caption, CRect(-6, 0, -6 + textWidth, 30),
                   DT_VCENTER | DT_SINGLELINE);
  EXPECT_TRUE(drawn.SamePixels(expected));
}

// An empty "normal" text shows only its bitmaps; drawn at an offset, the
// control stays inside its own rectangle although the tiles reach past it.
TEST_F(TextTest, AnEmptyTextDrawsTheTiledBackgroundAndTheCentredForegroundOnly) {
  DibImage background;
  ASSERT_TRUE(MakePatternImage(background, 7, 5));
  DibImage foreground;
  const RGBQUAD blue = Rgb(0, 0, 250);
  ASSERT_TRUE(MakeFilledImage(foreground, 4, 3, 24, blue));
  text.SetBackground(&background);
  text.SetForeground(&foreground);
  text.SetTextColor(kInk);
  CreateText(30, 20);
  text.Tick();
  EXPECT_FALSE(text.IsScrolling());

  MemoryCanvas drawn(50, 40);
  const RGBQUAD outside = Rgb(255, 0, 255);
  drawn.Fill(outside);
  text.DrawTo(drawn.Dc(), 5, 7);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 50; ++x) {
      const int cx = x - 5;
      const int cy = y - 7;
      RGBQUAD wanted = outside;
      if (cx >= 0 && cx < 30 && cy >= 0 && cy < 20) {
        // Centred: (30 / 2 - 4 / 2, 20 / 2 - 3 / 2) = (13, 9).
        const bool onForeground = cx >= 13 && cx < 17 && cy >= 9 && cy < 12;
        wanted = onForeground ? blue : background.GetPixelColor(cx % 7, 4 - cy % 5);
      }
      ASSERT_TRUE(SameColor(drawn.Pixel(x, y), wanted)) << x << "," << y;
    }
  }
}

TEST_F(TextTest, WithASizingFrameTheBackgroundContinuesTheFramesTiles) {
  DibImage background;
  ASSERT_TRUE(MakePatternImage(background, 7, 5));
  text.SetBackground(&background);
  CreateText(60, 40, kFramed);
  CRect window;
  text.GetWindowRect(&window);
  const CRect client = ClientOf(text);
  const int frameX = (window.Width() - client.Width()) / 2;
  const int frameY = (window.Height() - client.Height()) / 2;
  ASSERT_GT(frameX, 0);
  ASSERT_GT(frameY, 0);

  MemoryCanvas drawn(client.Width(), client.Height());
  text.DrawTo(drawn.Dc(), 0, 0);
  for (POINT p : {POINT{0, 0}, POINT{3, 2}, POINT{11, 9}}) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    const int column = (p.x + frameX) % 7;
    const int rowFromTop = (p.y + frameY) % 5;
    EXPECT_TRUE(SameColor(drawn.Pixel(p.x, p.y), background.GetPixelColor(column, 4 - rowFromTop)));
  }

  // The frame: the same tiles from the window's corner, the client area
  // left alone.
  MemoryCanvas frame(window.Width(), window.Height());
  const RGBQUAD untouched = Rgb(255, 0, 255);
  frame.Fill(untouched);
  text.DrawFrameTo(frame.Dc());
  EXPECT_TRUE(SameColor(frame.Pixel(1, 1), background.GetPixelColor(1, 3)));
  EXPECT_TRUE(
      SameColor(frame.Pixel(window.Width() - 1, window.Height() - 1),
                background.GetPixelColor((window.Width() - 1) % 7, 4 - (window.Height() - 1) % 5)));
  EXPECT_TRUE(SameColor(frame.Pixel(frameX + 2, frameY + 2), untouched));
}

TEST_F(TextTest, TheRefreshTimerRunsFromCreationAndPicksUpTheWindowText) {
  CreateText(200);
  EXPECT_EQ(text.TimerPeriod(), SkinTextWnd::kRefreshPeriod);
  text.SetWindowText("from the host");
  const DWORD start = ::GetTickCount();
  while (text.GetText() != "from the host" && ::GetTickCount() - start < 2000) {
    PumpPending();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  EXPECT_EQ(text.GetText(), "from the host");
  EXPECT_GE(text.repaints, 1);
}

TEST_F(TextTest, TheTextTakesItsParentsFontAndMeasuresWithANewOne) {
  CreateText(200);
  LOGFONTA gui = {};
  ASSERT_EQ(::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui),
            static_cast<int>(sizeof gui));
  LOGFONTA taken = {};
  ASSERT_EQ(::GetObjectA(text.GetFont(), sizeof taken, &taken), static_cast<int>(sizeof taken));
  EXPECT_NE(text.GetFont(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)))
      << "a font of its own";
  EXPECT_STREQ(taken.lfFaceName, gui.lfFaceName);
  EXPECT_EQ(taken.lfHeight, gui.lfHeight);

  text.SetWindowText("Twelve chars");
  text.Tick();
  ASSERT_FALSE(text.IsScrolling());
  {
    LOGFONTA large = gui;
    large.lfHeight = -60;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&large));
    text.SetFont(font);
  }  // the text keeps a copy of its own
  text.Tick();
  EXPECT_TRUE(text.IsScrolling()) << "the large font no longer fits";
}

TEST_F(TextTest, ClicksGoToTheParentAndTheRightButtonMovesTheTextInMoveMode) {
  CreateText(80, 24, kFramed);
  text.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
  text.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 8));
  PumpPending();
  ASSERT_EQ(host.received.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    POINT expected = i == 0 ? POINT{5, 6} : POINT{7, 8};
    ::MapWindowPoints(text.GetSafeHwnd(), host.GetSafeHwnd(), &expected, 1);
    EXPECT_EQ(host.received[i].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(host.received[i].wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(CPoint(host.received[i].lParam), CPoint(expected));
  }
  host.received.clear();

  const CRect before = RectInParent(text);
  text.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  text.SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(40, 40));
  EXPECT_EQ(RectInParent(text), before) << "no moving outside move mode";
  text.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(40, 40));

  text.SetMoveMode(true);
  text.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  text.SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(25, 40));
  const CRect after = RectInParent(text);
  EXPECT_EQ(after.left - before.left, 15) << "no jump by the frame width";
  EXPECT_EQ(after.top - before.top, 30);
  EXPECT_EQ(after.Size(), before.Size());
  text.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_NE(::GetCapture(), text.GetSafeHwnd());
  PumpPending();
  ASSERT_EQ(host.received.size(), 2u) << "both right-button releases are forwarded";
  POINT expected = {10, 10};
  ::MapWindowPoints(text.GetSafeHwnd(), host.GetSafeHwnd(), &expected, 1);
  EXPECT_EQ(host.received[1].message, static_cast<UINT>(WM_RBUTTONUP));
  EXPECT_EQ(CPoint(host.received[1].lParam), CPoint(expected));
}

}  // namespace
