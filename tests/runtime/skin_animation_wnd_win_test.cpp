// SkinAnimationWnd in real windows: looping, a single run that stops on the
// last frame, playing while the cursor is over it, frames of different
// sizes resizing the window, the black face without frames, the paint
// query and the mouse. Timer steps are driven through Tick; the timers the
// control starts and stops are recorded, and two tests let its own timers
// run for real.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <utility>
#include <vector>

#include "imaging/dib_image.h"
#include "model/skin_object.h"
#include "model/skin_object_kind.h"
#include "runtime/skin_animation_wnd.h"
#include "tests/runtime/list_test_host_win.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"

namespace {

using list_test::ChildRect;
using list_test::CursorAt;
using list_test::PumpUntil;

constexpr UINT kAnimationId = 0xFFFF;
constexpr DWORD kPlain = WS_CHILD | WS_VISIBLE;
constexpr POINT kHostCorner = {60, 60};
const RGBQUAD kWhite = Rgb(255, 255, 255);
const RGBQUAD kBlack = Rgb(0, 0, 0);

// A colour of its own for every frame, never black or white.
RGBQUAD FrameColor(int frame) {
  return Rgb(static_cast<BYTE>(20 + 23 * frame), static_cast<BYTE>(200 - 17 * frame),
             static_cast<BYTE>(60 + 11 * frame));
}

// The container, kept hidden. It answers the paint query as told and
// remembers whom it was asked for.
class Host : public CWnd {
 public:
  bool Create() {
    return CreateEx(WS_EX_NOACTIVATE, nullptr, "animation test host", WS_POPUP | WS_CLIPCHILDREN,
                    kHostCorner.x, kHostCorner.y, 400, 300, nullptr, nullptr) != FALSE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SKINPAINTQUERY) {
      queriedFor.push_back(wParam);
      return paintAnswer;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  // The next message of this kind posted to the host; false when none waits.
  bool TakePosted(UINT message, MSG& msg) {
    return ::PeekMessageA(&msg, m_hWnd, message, message, PM_REMOVE) != FALSE;
  }

  LRESULT paintAnswer = 0;
  std::vector<WPARAM> queriedFor;
};

// The control with its timer calls and draws recorded.
class RecordingAnimation : public SkinAnimationWnd {
 public:
  struct TimerStart {
    UINT_PTR id;
    UINT period;
  };

  bool IsRunning(UINT_PTR id) const { return running.count(id) != 0; }
  int StartsOf(UINT_PTR id) const {
    int count = 0;
    for (const TimerStart& start : starts)
      if (start.id == id) ++count;
    return count;
  }
  // The period of the last start of id; 0 when it was never started.
  UINT LastPeriodOf(UINT_PTR id) const {
    UINT period = 0;
    for (const TimerStart& start : starts)
      if (start.id == id) period = start.period;
    return period;
  }
  void DrawTo(HDC dc, int x, int y) override {
    ++draws;
    SkinAnimationWnd::DrawTo(dc, x, y);
  }

  std::vector<TimerStart> starts;
  std::set<UINT_PTR> running;
  int draws = 0;

 protected:
  void StartTimer(UINT_PTR id, UINT period) override {
    starts.push_back(TimerStart{id, period});
    running.insert(id);
    SkinAnimationWnd::StartTimer(id, period);
  }
  void StopTimer(UINT_PTR id) override {
    running.erase(id);
    SkinAnimationWnd::StopTimer(id);
  }
};

CSize ClientSize(const CWnd& window) {
  CRect client;
  window.GetClientRect(&client);
  return CSize(client.Width(), client.Height());
}

class AnimationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create());
    ::SetCursorPos(0, 0);
  }
  void TearDown() override {
    if (animation.GetSafeHwnd() != nullptr) animation.DestroyWindow();
    host.DestroyWindow();
  }
  // Appends frames of these sizes, frame i filled with FrameColor(i).
  void AddFrames(const std::vector<std::pair<int, int>>& sizes) {
    for (const auto& size : sizes) {
      DibImage frame;
      ASSERT_TRUE(MakeFilledImage(frame, size.first, size.second, 24,
                                  FrameColor(static_cast<int>(object.images.size()))));
      ASSERT_GE(object.AddImage(&frame), 0);
    }
  }
  void AddFrames(int count, int width = 20, int height = 10) {
    AddFrames(std::vector<std::pair<int, int>>(static_cast<size_t>(count), {width, height}));
  }
  void CreateAnimation(const RECT& rect = CRect(10, 10, 30, 20), DWORD style = kPlain) {
    animation.SetFrames(&object);
    ASSERT_TRUE(animation.Create(style, rect, &host, kAnimationId));
  }
  // The colour the control shows at (x, y) of its face.
  RGBQUAD Shown(int x = 1, int y = 1) {
    MemoryCanvas canvas(64, 48);
    canvas.Fill(kWhite);
    animation.DrawTo(canvas.Dc(), 0, 0);
    return canvas.Pixel(x, y);
  }
  // Cursor places in the control's client coordinates, over it and away from it.
  POINT Inside() const { return POINT{5, 5}; }
  POINT Outside() const { return POINT{-20, -20}; }

  Host host;
  SkinObject object{SkinObjectKind::kAnimation, "Animation"};
  RecordingAnimation animation;
};

TEST_F(AnimationTest, WithRepeatTenFramesLoopEveryTenTicksOfTheSpeed) {
  AddFrames(10);
  CreateAnimation();
  EXPECT_TRUE(animation.IsPlaying());
  EXPECT_EQ(animation.LastPeriodOf(SkinAnimationWnd::kFrameTimer), 50u)
      << "10 frames at 50 ms: one loop every 500 ms";
  EXPECT_EQ(animation.StartsOf(SkinAnimationWnd::kHoverTimer), 0);
  EXPECT_EQ(animation.CurrentFrame(), 0);
  EXPECT_EQ(Shown(), FrameColor(0));
  for (int step = 1; step <= 25; ++step) {
    SCOPED_TRACE(step);
    animation.Tick(SkinAnimationWnd::kFrameTimer);
    EXPECT_EQ(animation.CurrentFrame(), step % 10);
    EXPECT_EQ(Shown(), FrameColor(step % 10));
    EXPECT_TRUE(animation.IsPlaying());
  }
  EXPECT_TRUE(animation.IsRunning(SkinAnimationWnd::kFrameTimer));
}

// The window's own timer drives the frames at the speed it was given.
TEST_F(AnimationTest, ItsOwnTimerPlaysTheFrames) {
  AddFrames(4);
  animation.SetSpeed(10);
  CreateAnimation();
  EXPECT_EQ(animation.LastPeriodOf(SkinAnimationWnd::kFrameTimer), 10u);
  EXPECT_TRUE(PumpUntil([this] { return animation.CurrentFrame() == 2; }, 3000));
}

TEST_F(AnimationTest, WithoutRepeatOnlyARunStartedByTheOwnerPlaysAndItStopsOnTheLastFrame) {
  AddFrames(4);
  animation.SetSpeed(120);
  animation.SetAutoPlay(false);
  animation.SetStopAtEnd(true);
  CreateAnimation();
  EXPECT_FALSE(animation.IsPlaying());
  EXPECT_TRUE(animation.starts.empty()) << "nothing starts by itself";

  animation.StartRun();
  EXPECT_TRUE(animation.IsPlaying());
  EXPECT_EQ(animation.LastPeriodOf(SkinAnimationWnd::kFrameTimer), 120u);
  animation.StartRun();
  EXPECT_EQ(animation.StartsOf(SkinAnimationWnd::kFrameTimer), 1) << "a run is not restarted";

  for (int frame = 1; frame <= 3; ++frame) {
    animation.Tick(SkinAnimationWnd::kFrameTimer);
    EXPECT_EQ(animation.CurrentFrame(), frame);
    EXPECT_TRUE(animation.IsPlaying());
  }
  animation.Tick(SkinAnimationWnd::kFrameTimer);
  EXPECT_EQ(animation.CurrentFrame(), 3);
  EXPECT_FALSE(animation.IsPlaying());
  EXPECT_FALSE(animation.IsRunning(SkinAnimationWnd::kFrameTimer));
  EXPECT_EQ(Shown(), FrameColor(3)) << "the last frame stays";

  // A tick still queued when the timer was stopped changes nothing.
  animation.Tick(SkinAnimationWnd::kFrameTimer);
  EXPECT_EQ(animation.CurrentFrame(), 3);
  EXPECT_FALSE(animation.IsPlaying());
}

struct HoverCase {
  const char* name;
  bool repeat;
};
void PrintTo(const HoverCase& param, std::ostream* out) { *out << param.name; }

class AnimationHoverTest : public AnimationTest, public ::testing::WithParamInterface<HoverCase> {};

// Repeat on or off, a play-on-hover animation starts when the cursor comes
// over it, loops while it stays, and goes back to the first frame when a run
// ends with the cursor gone.
TEST_P(AnimationHoverTest, PlaysWhileTheCursorIsOverItAndReturnsToTheFirstFrame) {
  AddFrames(3);
  animation.SetAutoPlay(GetParam().repeat);
  animation.SetStopAtEnd(!GetParam().repeat);
  animation.SetPlayOnHover(true);
  animation.SetSpeed(70);
  CreateAnimation();
  EXPECT_FALSE(animation.IsPlaying());
  EXPECT_EQ(animation.LastPeriodOf(SkinAnimationWnd::kHoverTimer), 50u);
  EXPECT_EQ(animation.StartsOf(SkinAnimationWnd::kFrameTimer), 0);

  ASSERT_TRUE(CursorAt(animation, Outside()));
  animation.Tick(SkinAnimationWnd::kHoverTimer);
  EXPECT_FALSE(animation.IsPlaying());

  ASSERT_TRUE(CursorAt(animation, Inside()));
  animation.Tick(SkinAnimationWnd::kHoverTimer);
  EXPECT_TRUE(animation.IsPlaying());
  EXPECT_EQ(animation.LastPeriodOf(SkinAnimationWnd::kFrameTimer), 70u);
  for (int expected : {1, 2, 0, 1, 2}) {
    animation.Tick(SkinAnimationWnd::kFrameTimer);
    EXPECT_EQ(animation.CurrentFrame(), expected);
    EXPECT_TRUE(animation.IsPlaying()) << "loops while the cursor stays";
  }

  ASSERT_TRUE(CursorAt(animation, Outside()));
  animation.Tick(SkinAnimationWnd::kFrameTimer);
  EXPECT_EQ(animation.CurrentFrame(), 0);
  EXPECT_FALSE(animation.IsPlaying());
  EXPECT_FALSE(animation.IsRunning(SkinAnimationWnd::kFrameTimer));
  EXPECT_TRUE(animation.IsRunning(SkinAnimationWnd::kHoverTimer));
  EXPECT_EQ(Shown(), FrameColor(0));
  animation.Tick(SkinAnimationWnd::kHoverTimer);
  EXPECT_FALSE(animation.IsPlaying());

  animation.DestroyWindow();
  EXPECT_FALSE(animation.IsRunning(SkinAnimationWnd::kHoverTimer));
  EXPECT_FALSE(animation.IsRunning(SkinAnimationWnd::kFrameTimer));
}

INSTANTIATE_TEST_SUITE_P(RepeatOnAndOff, AnimationHoverTest,
                         ::testing::Values(HoverCase{"Repeat", true}, HoverCase{"Once", false}),
                         [](const ::testing::TestParamInfo<HoverCase>& info) {
                           return info.param.name;
                         });

// The hover poll runs on the window's own 50 ms timer.
TEST_F(AnimationTest, TheCursorOverItStartsItThroughItsOwnPoll) {
  AddFrames(3);
  animation.SetPlayOnHover(true);
  CreateAnimation();
  ASSERT_TRUE(CursorAt(animation, Inside()));
  EXPECT_TRUE(PumpUntil([this] { return animation.IsPlaying(); }, 3000));
}

struct SizeCase {
  const char* name;
  DWORD style;
};
void PrintTo(const SizeCase& param, std::ostream* out) { *out << param.name; }

class AnimationFrameSizeTest : public AnimationTest,
                               public ::testing::WithParamInterface<SizeCase> {};

TEST_P(AnimationFrameSizeTest, EveryFrameGivesTheWindowItsSizeInPlace) {
  const std::vector<std::pair<int, int>> sizes = {{20, 10}, {30, 16}, {12, 8}};
  AddFrames(sizes);
  CreateAnimation(CRect(5, 7, 105, 107), GetParam().style);
  CWnd sibling;
  ASSERT_TRUE(sibling.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 4, 4), &host, 1));
  ::SetWindowPos(sibling, animation, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const RECT placed = ChildRect(animation);

  for (size_t frame = 0; frame < sizes.size(); ++frame) {
    SCOPED_TRACE(frame);
    if (frame > 0) animation.Tick(SkinAnimationWnd::kFrameTimer);
    const int width = sizes[frame].first;
    const int height = sizes[frame].second;
    MemoryCanvas canvas(50, 30);
    canvas.Fill(kWhite);
    animation.DrawTo(canvas.Dc(), 2, 3);
    EXPECT_EQ(ClientSize(animation), CSize(width, height));
    const RECT now = ChildRect(animation);
    EXPECT_EQ(now.left, placed.left);
    EXPECT_EQ(now.top, placed.top);
    EXPECT_EQ(::GetWindow(animation, GW_HWNDNEXT), sibling.GetSafeHwnd()) << "z-order kept";
    const RGBQUAD color = FrameColor(static_cast<int>(frame));
    EXPECT_EQ(canvas.Pixel(2, 3), color);
    EXPECT_EQ(canvas.Pixel(2 + width - 1, 3 + height - 1), color);
    EXPECT_EQ(canvas.Pixel(2 + width, 3), kWhite) << "nothing beyond the frame";
    EXPECT_EQ(canvas.Pixel(2, 3 + height), kWhite);
    EXPECT_EQ(canvas.Pixel(1, 3), kWhite);
  }
  sibling.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(PlainAndFramed, AnimationFrameSizeTest,
                         ::testing::Values(SizeCase{"Plain", kPlain},
                                           SizeCase{"SizingFrame", kPlain | WS_THICKFRAME}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) {
                           return info.param.name;
                         });

// Checks that the canvas is black on area and white everywhere else.
::testing::AssertionResult BlackOnlyIn(const MemoryCanvas& canvas, const RECT& area) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const POINT at = {x, y};
      const RGBQUAD expected = ::PtInRect(&area, at) ? kBlack : kWhite;
      if (canvas.Pixel(x, y) != expected)
        return ::testing::AssertionFailure() << "pixel " << x << "," << y;
    }
  }
  return ::testing::AssertionSuccess();
}

class AnimationNoFramesTest : public AnimationTest, public ::testing::WithParamInterface<bool> {};

// With no frame object or an object without images: a black rectangle,
// and the frame timer stops at its first tick.
TEST_P(AnimationNoFramesTest, DrawsBlackAndKeepsNoFrameTimer) {
  const bool withObject = GetParam();
  animation.SetFrames(withObject ? &object : nullptr);
  ASSERT_TRUE(animation.Create(kPlain, CRect(10, 10, 26, 22), &host, kAnimationId));
  animation.Tick(SkinAnimationWnd::kFrameTimer);
  EXPECT_EQ(animation.CurrentFrame(), 0);
  EXPECT_FALSE(animation.IsPlaying());
  EXPECT_FALSE(animation.IsRunning(SkinAnimationWnd::kFrameTimer));

  MemoryCanvas canvas(30, 20);
  canvas.Fill(kWhite);
  animation.DrawTo(canvas.Dc(), 4, 2);
  EXPECT_TRUE(BlackOnlyIn(canvas, CRect(4, 2, 20, 14)));
  EXPECT_EQ(ClientSize(animation), CSize(16, 12));
}

INSTANTIATE_TEST_SUITE_P(NullAndEmpty, AnimationNoFramesTest, ::testing::Bool());

// A frame position without a picture shows black and leaves the size alone.
TEST_F(AnimationTest, AFrameWithoutPixelsShowsBlackAtTheWindowsSize) {
  AddFrames(1, 8, 6);
  ASSERT_GE(object.AddImage(nullptr), 0);
  CreateAnimation(CRect(10, 10, 26, 22));
  animation.DrawTo(MemoryCanvas(30, 20).Dc(), 0, 0);
  ASSERT_EQ(ClientSize(animation), CSize(8, 6));
  animation.Tick(SkinAnimationWnd::kFrameTimer);
  ASSERT_EQ(animation.CurrentFrame(), 1);
  MemoryCanvas canvas(30, 20);
  canvas.Fill(kWhite);
  animation.DrawTo(canvas.Dc(), 0, 0);
  EXPECT_TRUE(BlackOnlyIn(canvas, CRect(0, 0, 8, 6)));
  EXPECT_EQ(ClientSize(animation), CSize(8, 6));
}

TEST_F(AnimationTest, APaintQueryAnsweredNonZeroPaintsNothing) {
  AddFrames(2);
  CreateAnimation();
  for (LRESULT answer : {1, 0}) {
    SCOPED_TRACE(answer);
    host.paintAnswer = answer;
    host.queriedFor.clear();
    animation.draws = 0;
    animation.SendMessage(WM_PAINT);
    ASSERT_EQ(host.queriedFor.size(), 1u);
    EXPECT_EQ(host.queriedFor[0], reinterpret_cast<WPARAM>(&animation));
    EXPECT_EQ(animation.draws, answer != 0 ? 0 : 1);
  }
}

TEST_F(AnimationTest, TheLeftButtonGoesToTheContainerWhereItWasPressed) {
  AddFrames(1);
  CreateAnimation();
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
    SCOPED_TRACE(message);
    animation.SendMessage(message, MK_LBUTTON, MAKELPARAM(3, 4));
    MSG msg;
    ASSERT_TRUE(host.TakePosted(WM_LBUTTONDOWN, msg));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(LOWORD(msg.lParam), 13);
    EXPECT_EQ(HIWORD(msg.lParam), 14);
  }
}

class AnimationMoveModeTest : public AnimationTest, public ::testing::WithParamInterface<bool> {};

// In move mode the right button drags the window; with or without it the
// release goes to the container in its coordinates.
TEST_P(AnimationMoveModeTest, TheRightButtonMovesTheWindowOnlyInMoveMode) {
  const bool moveMode = GetParam();
  AddFrames(1);
  animation.SetMoveMode(moveMode);
  CreateAnimation();
  animation.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4));
  animation.SendMessage(WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(13, 24));
  const RECT moved = ChildRect(animation);
  EXPECT_EQ(moved.left, moveMode ? 20 : 10);
  EXPECT_EQ(moved.top, moveMode ? 30 : 10);

  animation.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(3, 4));
  EXPECT_EQ(::GetCapture(), nullptr);
  MSG msg;
  ASSERT_TRUE(host.TakePosted(WM_RBUTTONUP, msg));
  EXPECT_EQ(LOWORD(msg.lParam), moved.left + 3);
  EXPECT_EQ(HIWORD(msg.lParam), moved.top + 4);

  // Released: moving no longer drags.
  animation.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
  EXPECT_EQ(ChildRect(animation).left, moved.left);
}

INSTANTIATE_TEST_SUITE_P(OnAndOff, AnimationMoveModeTest, ::testing::Bool());

}  // namespace
