// SkinSliderWnd in real windows: values from the mouse and the wheel, the
// notifications the parent receives and their order, fill, thumb and map
// drawing read back through DrawTo, move mode and the paint query.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "runtime/skin_slider_wnd.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"
#include "ui/crgn.h"

namespace {

constexpr UINT kSliderId = 0x1234;
constexpr DWORD kPlainStyle = WS_CHILD | WS_VISIBLE;
const RGBQUAD kEmpty = Rgb(0, 0, 255);
const RGBQUAD kFull = Rgb(255, 0, 0);
const RGBQUAD kCanvas = Rgb(90, 90, 90);

LPARAM Pack(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                    static_cast<WORD>(static_cast<short>(y)));
}

struct Posted {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The slider's parent: keeps what the slider posts and answers the paint
// query as told.
class SliderHost : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND || message == WM_RBUTTONUP) {
      posted.push_back({message, wParam, lParam});
      return 0;
    }
    if (message == WM_SKINPAINTQUERY) return paintQueryAnswer;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<Posted> posted;
  LRESULT paintQueryAnswer = 0;
};

class CountingSlider : public SkinSliderWnd {
 public:
  void DrawTo(HDC dc, int x, int y) override {
    ++draws;
    SkinSliderWnd::DrawTo(dc, x, y);
  }
  int draws = 0;
};

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

// A vertical stripe of color over columns [from, to) of the whole height.
void PaintColumns(DibImage& image, int from, int to, RGBQUAD color) {
  for (int x = from; x < to; ++x)
    for (int y = 0; y < image.Height(); ++y) image.SetPixelColor(x, y, color);
}

class SliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        host.CreateEx(0, nullptr, "slider host", WS_POPUP, 0, 0, 500, 500, nullptr, nullptr));
  }
  void TearDown() override {
    sliders.clear();
    host.DestroyWindow();
    Pump();
  }

  // A fill-mode slider of the empty bitmap's size at (10, 20).
  SkinSliderWnd& FillSlider(int width, int height, bool vertical, DWORD style = kPlainStyle) {
    EXPECT_TRUE(MakeFilledImage(empty, width, height, 24, kEmpty));
    EXPECT_TRUE(MakeFilledImage(full, width, height, 24, kFull));
    return Add(&empty, &full, CRect(10, 20, 10, 20), vertical, false, style);
  }
  SkinSliderWnd& Add(const DibImage* a, const DibImage* b, const CRect& rect, bool vertical,
                     bool mapMode, DWORD style = kPlainStyle, bool asPoint = false) {
    sliders.push_back(std::make_unique<SkinSliderWnd>());
    SkinSliderWnd& slider = *sliders.back();
    slider.SetVertical(vertical);
    slider.SetAsPoint(asPoint);
    EXPECT_TRUE(slider.Create(a, b, rect, nullptr, style, &host, mapMode, kSliderId));
    return slider;
  }

  // The codes the slider posted since the last call; every post must name
  // the slider's id and window.
  std::vector<WORD> Codes(const SkinSliderWnd& slider) {
    Pump();
    std::vector<WORD> codes;
    for (const Posted& post : host.posted) {
      if (post.message != WM_COMMAND) continue;
      EXPECT_EQ(LOWORD(post.wParam), kSliderId);
      EXPECT_EQ(post.lParam, reinterpret_cast<LPARAM>(slider.GetSafeHwnd()));
      codes.push_back(HIWORD(post.wParam));
    }
    host.posted.clear();
    return codes;
  }

  static void Press(SkinSliderWnd& slider, int x, int y) {
    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pack(x, y));
  }
  static void Drag(SkinSliderWnd& slider, int x, int y) {
    slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Pack(x, y));
  }
  static void Release(SkinSliderWnd& slider, int x, int y) {
    slider.SendMessage(WM_LBUTTONUP, 0, Pack(x, y));
  }
  static void Wheel(SkinSliderWnd& slider, int delta) {
    slider.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                       Pack(0, 0));
  }

  // The slider drawn at (kOffset, kOffset) of a grey canvas.
  static constexpr int kOffset = 3;
  std::unique_ptr<MemoryCanvas> Render(SkinSliderWnd& slider) {
    CRect client;
    slider.GetClientRect(&client);
    auto canvas =
        std::make_unique<MemoryCanvas>(client.Width() + 2 * kOffset, client.Height() + 2 * kOffset);
    canvas->Fill(kCanvas);
    slider.DrawTo(canvas->Dc(), kOffset, kOffset);
    return canvas;
  }
  // A pixel of the client area in a rendering.
  static RGBQUAD At(const MemoryCanvas& canvas, int x, int y) {
    return canvas.Pixel(kOffset + x, kOffset + y);
  }

  SliderHost host;
  DibImage empty;
  DibImage full;
  std::vector<std::unique_ptr<SkinSliderWnd>> sliders;
};

TEST_F(SliderTest, PressAtNinetyNineOfTwoHundredGivesFiftyAndPostsPressed) {
  SkinSliderWnd& slider = FillSlider(200, 20, false);
  Press(slider, 99, 10);
  EXPECT_EQ(slider.GetPos(), 50);
  EXPECT_TRUE(slider.IsTracking());
  EXPECT_EQ(Codes(slider), std::vector<WORD>{SkinSliderWnd::kPressed});
}

TEST_F(SliderTest, ValuesFromTheMouseFollowTheFormulasAndStayInRange) {
  struct Case {
    bool vertical;
    int minimum;
    int maximum;
    int at;  // x for a horizontal slider, y for a vertical one
    int expected;
  };
  const Case cases[] = {
      {false, 0, 100, 0, 0},     {false, 0, 100, 1, 1},     {false, 0, 100, 3, 2},
      {false, 0, 100, 199, 100}, {false, 0, 100, 260, 100}, {false, 0, 100, -40, 0},
      {false, 20, 100, 10, 20},  {false, 0, 10, 29, 1},     {false, 0, 0, 150, 0},
      {true, 0, 100, 0, 100},    {true, 0, 100, 99, 50},    {true, 0, 100, 199, 0},
      {true, 0, 100, -10, 100},  {true, 0, 100, 300, 0},    {true, 0, 0, 150, 0},
  };
  for (const Case& c : cases) {
    SkinSliderWnd& slider = c.vertical ? FillSlider(20, 200, true) : FillSlider(200, 20, false);
    slider.SetRange(c.minimum, c.maximum);
    const int x = c.vertical ? 10 : c.at;
    const int y = c.vertical ? c.at : 10;
    Press(slider, x, y);
    EXPECT_EQ(slider.GetPos(), c.expected) << "vertical " << c.vertical << " at " << c.at;
    Release(slider, x, y);
    EXPECT_EQ(slider.GetPos(), c.expected) << "release, vertical " << c.vertical << " at " << c.at;
    sliders.clear();
  }
}

TEST_F(SliderTest, PressDragReleasePostInOrderAndOnlyHeldMovesCount) {
  SkinSliderWnd& slider = FillSlider(200, 20, false);
  Press(slider, 20, 5);
  EXPECT_EQ(slider.GetPos(), 10);
  Drag(slider, 60, 5);
  EXPECT_EQ(slider.GetPos(), 30);
  slider.SendMessage(WM_MOUSEMOVE, 0, Pack(140, 5));  // no button held
  EXPECT_EQ(slider.GetPos(), 30);
  Release(slider, 100, 5);
  EXPECT_EQ(slider.GetPos(), 50);
  EXPECT_FALSE(slider.IsTracking());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(Codes(slider), (std::vector<WORD>{SkinSliderWnd::kPressed, SkinSliderWnd::kDragged,
                                              SkinSliderWnd::kReleased}));

  // The second press of a quick double click arrives as a double click.
  slider.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, Pack(150, 5));
  EXPECT_EQ(slider.GetPos(), 75);
  EXPECT_TRUE(slider.IsTracking());
  Release(slider, 150, 5);
  EXPECT_EQ(Codes(slider), (std::vector<WORD>{SkinSliderWnd::kPressed, SkinSliderWnd::kReleased}));
}

TEST_F(SliderTest, SetPosIsIgnoredDuringADragAndAppliesAfterTheRelease) {
  SkinSliderWnd& slider = FillSlider(200, 20, false);
  Press(slider, 40, 5);
  slider.SetPos(80);
  EXPECT_EQ(slider.GetPos(), 20);
  Drag(slider, 60, 5);
  slider.SetPos(90);
  EXPECT_EQ(slider.GetPos(), 30);
  Release(slider, 60, 5);
  EXPECT_EQ(slider.GetPos(), 30);
  slider.SetPos(80);
  EXPECT_EQ(slider.GetPos(), 80);
  auto canvas = Render(slider);
  EXPECT_TRUE(SameColor(At(*canvas, 159, 10), kFull));
  EXPECT_TRUE(SameColor(At(*canvas, 160, 10), kEmpty));

  slider.SetPos(-5);
  EXPECT_EQ(slider.GetPos(), 0);
  slider.SetPos(1000);
  EXPECT_EQ(slider.GetPos(), 100);
}

TEST_F(SliderTest, LosingTheCaptureEndsTheDrag) {
  SkinSliderWnd& slider = FillSlider(200, 20, false);
  Press(slider, 40, 5);
  ASSERT_TRUE(slider.IsTracking());
  host.SetCapture();
  EXPECT_FALSE(slider.IsTracking());
  slider.SetPos(70);
  EXPECT_EQ(slider.GetPos(), 70);
  ::ReleaseCapture();
}

TEST_F(SliderTest, WheelMovesAHundredthOfTheRangePerNotchAndAlwaysPosts) {
  struct Case {
    int maximum;
    int start;
    int delta;
    int expected;
  };
  const Case cases[] = {
      {100, 50, 120, 51},    {100, 50, -240, 48}, {100, 50, 60, 50}, {100, 100, 120, 100},
      {1000, 500, 120, 510}, {1000, 5, -360, 0},  {50, 20, 120, 20}, {99, 20, -120, 20},
  };
  for (const Case& c : cases) {
    SkinSliderWnd& slider = FillSlider(200, 20, false);
    slider.SetRange(0, c.maximum);
    slider.SetPos(c.start);
    Wheel(slider, c.delta);
    EXPECT_EQ(slider.GetPos(), c.expected) << "range 0.." << c.maximum << " delta " << c.delta;
    EXPECT_EQ(Codes(slider), std::vector<WORD>{SkinSliderWnd::kWheeled});
    sliders.clear();
  }

  // While the left button drags, the wheel changes nothing but still posts.
  SkinSliderWnd& slider = FillSlider(200, 20, false);
  Press(slider, 100, 5);
  Wheel(slider, 480);
  EXPECT_EQ(slider.GetPos(), 50);
  EXPECT_EQ(Codes(slider), (std::vector<WORD>{SkinSliderWnd::kPressed, SkinSliderWnd::kWheeled}));
}

TEST_F(SliderTest, HorizontalFillRevealsTheFullBitmapFromTheLeft) {
  SkinSliderWnd& slider = FillSlider(200, 20, false);
  slider.SetPos(25);
  auto canvas = Render(slider);
  EXPECT_TRUE(SameColor(At(*canvas, 0, 0), kFull));
  EXPECT_TRUE(SameColor(At(*canvas, 49, 19), kFull));
  EXPECT_TRUE(SameColor(At(*canvas, 50, 0), kEmpty));
  EXPECT_TRUE(SameColor(At(*canvas, 199, 19), kEmpty));
  // Only the client area is drawn, at the offset asked for.
  EXPECT_TRUE(SameColor(canvas->Pixel(kOffset - 1, kOffset), kCanvas));
  EXPECT_TRUE(SameColor(canvas->Pixel(kOffset + 200, kOffset), kCanvas));
  EXPECT_TRUE(SameColor(canvas->Pixel(kOffset, kOffset + 20), kCanvas));

  slider.SetPos(0);
  canvas = Render(slider);
  EXPECT_TRUE(SameColor(At(*canvas, 0, 10), kEmpty));
  slider.SetPos(100);
  canvas = Render(slider);
  EXPECT_TRUE(SameColor(At(*canvas, 199, 10), kFull));
}

TEST_F(SliderTest, VerticalFillGrowsFromTheBottom) {
  SkinSliderWnd& slider = FillSlider(20, 200, true);
  struct Case {
    int value;
    int topRowOfFull;  // 200: nothing full
  };
  for (const Case c : {Case{100, 0}, Case{0, 200}, Case{50, 100}, Case{10, 180}}) {
    slider.SetPos(c.value);
    auto canvas = Render(slider);
    for (int y : {0, c.topRowOfFull - 1, c.topRowOfFull, 199}) {
      if (y < 0 || y > 199) continue;
      const RGBQUAD expected = y >= c.topRowOfFull ? kFull : kEmpty;
      EXPECT_TRUE(SameColor(At(*canvas, 10, y), expected)) << "value " << c.value << " row " << y;
    }
  }
}

TEST_F(SliderTest, AFullBitmapWithAlphaShowsTheEmptyBitmapThroughIt) {
  SkinSliderWnd& slider = FillSlider(200, 20, false);
  // The Full bitmap is opaque on its left half and transparent on its right.
  ASSERT_TRUE(full.AlphaCreate());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x) full.AlphaSet(x, y, 255);
  slider.SetPos(100);
  auto canvas = Render(slider);
  EXPECT_TRUE(NearColor(At(*canvas, 50, 10), kFull, 2));
  EXPECT_TRUE(SameColor(At(*canvas, 150, 10), kEmpty));

  // Without an alpha plane the Full bitmap covers the Empty one.
  full.AlphaDelete();
  canvas = Render(slider);
  EXPECT_TRUE(SameColor(At(*canvas, 150, 10), kFull));
}

TEST_F(SliderTest, AThumbStaysWhollyInsideAtBothEndsOfTheRange) {
  struct Case {
    bool vertical;
    int value;
    int thumbStart;  // first column (horizontal) or row (vertical) of the thumb
  };
  const Case cases[] = {
      {false, 0, 0},  {false, 100, 190}, {false, 50, 95},
      {true, 100, 0}, {true, 0, 190},    {true, 50, 95},
  };
  for (const Case& c : cases) {
    DibImage track;
    DibImage thumb;
    ASSERT_TRUE(MakeFilledImage(track, c.vertical ? 20 : 200, c.vertical ? 200 : 20, 24, kEmpty));
    ASSERT_TRUE(MakeFilledImage(thumb, c.vertical ? 20 : 10, c.vertical ? 10 : 20, 24, kFull));
    SkinSliderWnd& slider =
        Add(&track, &thumb, CRect(0, 0, 0, 0), c.vertical, false, kPlainStyle, true);
    slider.SetPos(c.value);
    auto canvas = Render(slider);
    auto along = [&](int position) {
      return c.vertical ? At(*canvas, 10, position) : At(*canvas, position, 10);
    };
    const char* where = c.vertical ? "vertical" : "horizontal";
    EXPECT_TRUE(SameColor(along(c.thumbStart), kFull)) << where << " value " << c.value;
    EXPECT_TRUE(SameColor(along(c.thumbStart + 9), kFull)) << where << " value " << c.value;
    if (c.thumbStart > 0) {
      EXPECT_TRUE(SameColor(along(c.thumbStart - 1), kEmpty)) << where << " value " << c.value;
    }
    if (c.thumbStart + 10 < 200) {
      EXPECT_TRUE(SameColor(along(c.thumbStart + 10), kEmpty)) << where << " value " << c.value;
    }
    sliders.clear();
  }
}

// Map mode: a 20 x 20 control over a strip of four frames, each one colour,
// and a map of stripes whose keys (0x00BBGGRR) sort differently from their
// red-green-blue order and from their places.
class MapSliderTest : public SliderTest {
 protected:
  static constexpr int kFrame = 20;
  // Keys 200, 10, 65536 in columns 0-3, 4-7, 12-15; black in 8-11, white in
  // 16-19; the top row of columns 0-3 has key 256.
  void SetUp() override {
    SliderTest::SetUp();
    ASSERT_TRUE(MakeFilledImage(map, kFrame, kFrame, 24, Rgb(0, 0, 0)));
    PaintColumns(map, 0, 4, Rgb(200, 0, 0));
    PaintColumns(map, 4, 8, Rgb(10, 0, 0));
    PaintColumns(map, 12, 16, Rgb(0, 0, 1));
    PaintColumns(map, 16, 20, Rgb(255, 255, 255));
    for (int x = 0; x < 4; ++x) map.SetPixelColor(x, kFrame - 1, Rgb(0, 1, 0));
  }
  // A strip of four frames, horizontal or vertical.
  void MakeStrip(bool vertical) {
    ASSERT_TRUE(strip.Create(vertical ? kFrame : 4 * kFrame, vertical ? 4 * kFrame : kFrame, 24,
                             DibImage::kFormatBmp));
    for (int frame = 0; frame < 4; ++frame)
      for (int i = 0; i < kFrame; ++i)
        for (int j = 0; j < kFrame; ++j) {
          const int x = vertical ? i : frame * kFrame + i;
          const int yFromTop = vertical ? frame * kFrame + j : j;
          strip.SetPixelColor(x, strip.Height() - 1 - yFromTop, FrameColor(frame));
        }
  }
  static RGBQUAD FrameColor(int frame) {
    return Rgb(static_cast<BYTE>(40 + 50 * frame), 100, static_cast<BYTE>(200 - 40 * frame));
  }
  SkinSliderWnd& MapSlider(bool verticalStrip, DWORD style = kPlainStyle) {
    MakeStrip(verticalStrip);
    return Add(&strip, &map, CRect(30, 40, 30 + kFrame, 40 + kFrame), false, true, style);
  }
  // The frame a rendering shows, or -1.
  int ShownFrame(SkinSliderWnd& slider) {
    auto canvas = Render(slider);
    CRect client;
    slider.GetClientRect(&client);
    const RGBQUAD first = At(*canvas, 0, 0);
    const RGBQUAD last = At(*canvas, client.Width() - 1, client.Height() - 1);
    for (int frame = 0; frame < 4; ++frame)
      if (first == FrameColor(frame) && last == FrameColor(frame)) return frame;
    return -1;
  }

  DibImage map;
  DibImage strip;
};

TEST_F(MapSliderTest, TheColourKeysAreTheMapsColoursButBlackAndWhiteInAscendingOrder) {
  SkinSliderWnd& slider = MapSlider(false);
  EXPECT_EQ(slider.ColorSet(), (std::vector<COLORREF>{10, 200, 256, 65536}));
  EXPECT_EQ(slider.SegmentCount(), 4);
  CRect window;
  slider.GetWindowRect(&window);
  host.ScreenToClient(&window);
  EXPECT_EQ(window, CRect(30, 40, 50, 60));
}

TEST_F(MapSliderTest, ThePressedColourPicksTheFrameAndBlackOrWhiteChangeNothing) {
  SkinSliderWnd& slider = MapSlider(false);
  struct Case {
    int x;
    int y;
    int frame;
    int value;
  };
  const Case cases[] = {
      {1, 10, 1, 25},   // key 200, the second key
      {1, 0, 2, 50},    // key 256 on the top row
      {13, 19, 3, 75},  // key 65536 on the bottom row
      {9, 10, 3, 75},   // black: the frame stays
      {17, 10, 3, 75},  // white: the frame stays
      {5, 10, 0, 0},    // key 10, the first key
  };
  for (const Case& c : cases) {
    Press(slider, c.x, c.y);
    EXPECT_EQ(slider.SegmentIndex(), c.frame) << "press at " << c.x << "," << c.y;
    EXPECT_EQ(slider.GetPos(), c.value) << "press at " << c.x << "," << c.y;
    EXPECT_EQ(ShownFrame(slider), c.frame) << "press at " << c.x << "," << c.y;
    Release(slider, c.x, c.y);
  }
}

TEST_F(MapSliderTest, TheReleaseMovesTheFrameButKeepsTheValue) {
  SkinSliderWnd& slider = MapSlider(false);
  Press(slider, 1, 10);
  Drag(slider, 13, 10);
  EXPECT_EQ(slider.GetPos(), 75);
  Drag(slider, 40, 10);  // outside the client area: nothing changes
  EXPECT_EQ(slider.SegmentIndex(), 3);
  EXPECT_EQ(slider.GetPos(), 75);
  Release(slider, 5, 10);
  EXPECT_EQ(slider.SegmentIndex(), 0);
  EXPECT_EQ(slider.GetPos(), 75);
  EXPECT_EQ(Codes(slider), (std::vector<WORD>{SkinSliderWnd::kPressed, SkinSliderWnd::kDragged,
                                              SkinSliderWnd::kDragged, SkinSliderWnd::kReleased}));
}

TEST_F(MapSliderTest, SetPosPicksTheFrameOfHorizontalAndVerticalStrips) {
  struct Case {
    int position;
    int frame;
    int value;
  };
  const Case cases[] = {{75, 3, 75}, {60, 2, 60},   {12, 0, 12},
                        {13, 1, 13}, {200, 3, 100}, {-50, 0, 0}};
  for (bool vertical : {false, true}) {
    SkinSliderWnd& slider = MapSlider(vertical);
    for (const Case& c : cases) {
      slider.SetPos(c.position);
      EXPECT_EQ(slider.SegmentIndex(), c.frame) << "vertical " << vertical << " " << c.position;
      EXPECT_EQ(slider.GetPos(), c.value) << "vertical " << vertical << " " << c.position;
      EXPECT_EQ(ShownFrame(slider), c.frame) << "vertical " << vertical << " " << c.position;
    }
    sliders.clear();
  }
}

TEST_F(MapSliderTest, FramesStepByTheFrameSizeEvenInsideASizingFrame) {
  SkinSliderWnd& slider = MapSlider(false, kPlainStyle | WS_THICKFRAME);
  CRect client;
  slider.GetClientRect(&client);
  ASSERT_LT(client.Width(), kFrame);
  ASSERT_GT(client.Width(), 0);
  for (int frame = 0; frame < 4; ++frame) {
    slider.SetPos(25 * frame);
    EXPECT_EQ(ShownFrame(slider), frame);
  }
}

TEST_F(MapSliderTest, AStripThatIsNoStripKeepsTheValueInRange) {
  ASSERT_TRUE(MakeFilledImage(strip, kFrame, kFrame, 24, FrameColor(2)));
  SkinSliderWnd& slider = Add(&strip, &map, CRect(0, 0, kFrame, kFrame), false, true);
  EXPECT_EQ(slider.SegmentCount(), 0);
  // The keys share the range by their rank instead.
  Press(slider, 1, 10);
  EXPECT_EQ(slider.GetPos(), 25);
  Drag(slider, 13, 10);
  EXPECT_EQ(slider.GetPos(), 75);
  Drag(slider, 9, 10);  // black
  EXPECT_EQ(slider.GetPos(), 75);
  Release(slider, 5, 10);
  EXPECT_EQ(slider.GetPos(), 75);
  EXPECT_EQ(slider.SegmentIndex(), 0);
  slider.SetPos(80);
  EXPECT_EQ(slider.GetPos(), 80);
  EXPECT_EQ(slider.SegmentIndex(), 0);
  EXPECT_TRUE(SameColor(At(*Render(slider), 5, 5), FrameColor(2)));

  // Without a map the mouse moves nothing.
  SkinSliderWnd& blind = Add(&strip, nullptr, CRect(0, 0, kFrame, kFrame), false, true);
  blind.SetPos(40);
  Press(blind, 5, 5);
  EXPECT_EQ(blind.GetPos(), 40);
  EXPECT_TRUE(blind.ColorSet().empty());
}

TEST_F(SliderTest, CreatePlacesTheWindowAndCopiesItsShape) {
  EXPECT_TRUE(MakeFilledImage(empty, 200, 20, 24, kEmpty));
  CRgn shape;
  ASSERT_TRUE(shape.CreateRectRgn(0, 0, 120, 10));
  sliders.push_back(std::make_unique<SkinSliderWnd>());
  SkinSliderWnd& slider = *sliders.back();
  ASSERT_TRUE(slider.Create(&empty, nullptr, CRect(10, 20, 500, 600), &shape, kPlainStyle, &host,
                            false, kSliderId));
  CRect window;
  slider.GetWindowRect(&window);
  host.ScreenToClient(&window);
  EXPECT_EQ(window, CRect(10, 20, 210, 40));
  EXPECT_EQ(slider.GetDlgCtrlID(), static_cast<int>(kSliderId));

  CRgn windowShape;
  ASSERT_TRUE(windowShape.CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(slider, windowShape), ERROR);
  EXPECT_TRUE(windowShape.EqualRgn(&shape));
  // The caller keeps its own region.
  CRect box;
  EXPECT_EQ(shape.GetRgnBox(&box), SIMPLEREGION);
  EXPECT_EQ(box, CRect(0, 0, 120, 10));

  // A slider without bitmaps still makes its window, of no size.
  SkinSliderWnd& bare = Add(nullptr, nullptr, CRect(5, 5, 50, 50), false, false);
  bare.GetWindowRect(&window);
  EXPECT_TRUE(window.IsRectEmpty());
  auto canvas = std::make_unique<MemoryCanvas>(4, 4);
  canvas->Fill(kCanvas);
  bare.DrawTo(canvas->Dc(), 0, 0);
  EXPECT_TRUE(SameColor(canvas->Pixel(0, 0), kCanvas));
}

TEST_F(SliderTest, TheRightButtonMovesTheSliderInMoveModeAndIsForwarded) {
  SkinSliderWnd& slider = FillSlider(200, 20, false, kPlainStyle | WS_THICKFRAME);
  EXPECT_FALSE(slider.SetMoveMode(true));
  EXPECT_TRUE(slider.SetMoveMode(true));
  slider.SetPos(30);
  CRect before;
  slider.GetWindowRect(&before);
  host.ScreenToClient(&before);

  slider.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, Pack(5, 5));
  EXPECT_EQ(::GetCapture(), slider.GetSafeHwnd());
  slider.SendMessage(WM_MOUSEMOVE, MK_RBUTTON | MK_LBUTTON, Pack(25, 15));
  CRect after;
  slider.GetWindowRect(&after);
  host.ScreenToClient(&after);
  EXPECT_EQ(after.left - before.left, 20);
  EXPECT_EQ(after.top - before.top, 10);
  EXPECT_EQ(after.Width(), before.Width());
  EXPECT_EQ(slider.GetPos(), 30);

  // The grabbed point now lies at (5, 5) again; the release reports it in
  // the parent's coordinates.
  CPoint expected(5, 5);
  ::MapWindowPoints(slider, host, &expected, 1);
  slider.SendMessage(WM_RBUTTONUP, 0, Pack(5, 5));
  EXPECT_EQ(::GetCapture(), nullptr);
  Pump();
  ASSERT_EQ(host.posted.size(), 1u);
  EXPECT_EQ(host.posted[0].message, static_cast<UINT>(WM_RBUTTONUP));
  EXPECT_EQ(host.posted[0].lParam, Pack(expected.x, expected.y));
  host.posted.clear();

  // Out of move mode the right button moves nothing but is still forwarded.
  slider.SetMoveMode(false);
  slider.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, Pack(5, 5));
  slider.SendMessage(WM_MOUSEMOVE, MK_RBUTTON, Pack(45, 15));
  CRect still;
  slider.GetWindowRect(&still);
  host.ScreenToClient(&still);
  EXPECT_EQ(still, after);
  slider.SendMessage(WM_RBUTTONUP, MK_SHIFT, Pack(45, 15));
  Pump();
  ASSERT_EQ(host.posted.size(), 1u);
  EXPECT_EQ(host.posted[0].wParam, static_cast<WPARAM>(MK_SHIFT));
}

TEST_F(SliderTest, AParentThatAnswersThePaintQueryGetsNothingPainted) {
  EXPECT_TRUE(MakeFilledImage(empty, 200, 20, 24, kEmpty));
  EXPECT_TRUE(MakeFilledImage(full, 200, 20, 24, kFull));
  CountingSlider slider;
  ASSERT_TRUE(slider.Create(&empty, &full, CRect(0, 0, 0, 0), nullptr, kPlainStyle, &host, false,
                            kSliderId));
  host.paintQueryAnswer = 1;
  slider.SendMessage(WM_PAINT);
  EXPECT_EQ(slider.draws, 0);
  host.paintQueryAnswer = 0;
  slider.SendMessage(WM_PAINT);
  EXPECT_EQ(slider.draws, 1);
}

// How many more GDI objects the process can make: regions are made until
// the platform refuses one, then all are freed again. Counts on every
// platform, also where GetGuiResources does not.
class GdiHeadroom {
 public:
  GdiHeadroom() {
    for (;;) {
      HRGN region = ::CreateRectRgn(0, 0, 1, 1);
      if (region == nullptr || made_.size() >= kEnough) {
        if (region != nullptr) ::DeleteObject(region);
        break;
      }
      made_.push_back(region);
    }
    count_ = made_.size();
  }
  ~GdiHeadroom() {
    for (HRGN region : made_) ::DeleteObject(region);
  }
  GdiHeadroom(const GdiHeadroom&) = delete;
  GdiHeadroom& operator=(const GdiHeadroom&) = delete;
  // False when the platform allows more objects than are worth making.
  bool Reached() const { return count_ < kEnough; }
  size_t Count() const { return count_; }

 private:
  static constexpr size_t kEnough = 1 << 20;
  std::vector<HRGN> made_;
  size_t count_ = 0;
};

size_t FreeGdiObjects() { return GdiHeadroom().Count(); }

TEST_F(SliderTest, RepeatedSlidersLeaveNoGdiObjectsBehind) {
  EXPECT_TRUE(MakeFilledImage(empty, 64, 16, 24, kEmpty));
  EXPECT_TRUE(MakeFilledImage(full, 64, 16, 24, kFull));
  CRgn shape;
  ASSERT_TRUE(shape.CreateRectRgn(0, 0, 40, 16));
  MemoryCanvas canvas(64, 16);
  auto cycle = [&] {
    SkinSliderWnd slider;
    ASSERT_TRUE(slider.Create(&empty, &full, CRect(0, 0, 0, 0), &shape, kPlainStyle, &host, false,
                              kSliderId));
    slider.SetPos(40);
    slider.DrawTo(canvas.Dc(), 0, 0);
    Press(slider, 10, 5);
    Release(slider, 10, 5);
    slider.SendMessage(WM_PAINT);
  };
  cycle();  // the first use may set up caches that stay
  Pump();
  ASSERT_TRUE(GdiHeadroom().Reached());
  const size_t before = FreeGdiObjects();
  for (int i = 0; i < 200; ++i) cycle();
  Pump();
  EXPECT_GE(FreeGdiObjects(), before);
}

}  // namespace
