// CSkinView: scroll sizes, background fills and the window shape, the movie
// area (normalised when shown, dragged by its handles), the paint query, and
// the live list built by per-kind factories.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/skin_view.h"
#include "model/skin_container.h"
#include "tests/support/memory_canvas_win.h"
#include "tests/support/test_images.h"
#include "ui/cdc.h"
#include "ui/csplitter_wnd.h"
#include "ui/cwin_app.h"

namespace {

// A plain top-level window that answers the paint query with its own value.
class HostWindow : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SKINPAINTQUERY) {
      queries.push_back({wParam, lParam});
      return 7;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<std::pair<WPARAM, LPARAM>> queries;
};

// Records the shortcut targets the view opens instead of running the shell.
class TestSkinView : public CSkinView {
 public:
  explicit TestSkinView(std::vector<std::string>& opened) : opened_(opened) {}

 protected:
  void OpenShortcutTarget(const std::string& target) override { opened_.push_back(target); }

 private:
  std::vector<std::string>& opened_;
};

// A plain child window standing in for a skinned control; it notes whether
// the view still had its window when the control was deleted.
std::vector<bool>* g_deletedWhileViewAttached = nullptr;
HWND g_viewWindow = nullptr;

class StandInControl : public CWnd {
 public:
  ~StandInControl() override {
    if (g_deletedWhileViewAttached != nullptr)
      g_deletedWhileViewAttached->push_back(CWnd::FromHandlePermanent(g_viewWindow) != nullptr);
  }
};

std::unique_ptr<CWnd> MakeStandIn(CSkinView& view, SkinObject& object) {
  std::unique_ptr<CWnd> control(new StandInControl);
  if (!control->CreateEx(0, "STATIC", "", view.LiveControlStyle(), view.LiveControlRect(object),
                         &view, CSkinView::kLiveControlId)) {
    return control;
  }
  view.ShowLiveControl(*control, object);
  view.AddLiveToolTip(*control, object.name);
  return control;
}

// Like a button without images: an entry without a window.
std::unique_ptr<CWnd> MakeWindowless(CSkinView&, SkinObject&) { return std::make_unique<CWnd>(); }

MSG Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg = {};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  return msg;
}

RGBQUAD SystemColor(int index) {
  const COLORREF color = ::GetSysColor(index);
  return Rgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

const RGBQUAD kRed = Rgb(200, 30, 40);

class SkinViewTest : public ::testing::Test {
 protected:
  static constexpr int kClientWidth = 300;
  static constexpr int kClientHeight = 220;

  void SetUp() override {
    ASSERT_TRUE(host.CreateEx(0, nullptr, "skin view", WS_OVERLAPPEDWINDOW, 40, 40, 420, 340,
                              nullptr, nullptr));
    view = new TestSkinView(opened);
    ASSERT_TRUE(view->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE,
                               CRect(0, 0, kClientWidth, kClientHeight), &host,
                               AFX_IDW_PANE_FIRST));
  }
  void TearDown() override {
    if (host.GetSafeHwnd() != nullptr) host.DestroyWindow();
  }

  void Show(bool movieArea = false, RECT movieRect = RECT{0, 0, 0, 0}) {
    container.block.SetMovieAreaOn(movieArea);
    container.block.SetMovieArea(movieRect);
    view->SetContainer(&container);
    ASSERT_TRUE(view->Rebuild());
  }
  RECT MovieRect() const { return container.block.MovieArea(); }

  // What a paint shows: the erase, then OnDraw in content coordinates.
  void Render(MemoryCanvas& canvas) {
    view->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()));
    CDC dc;
    dc.Attach(canvas.Dc());
    view->OnPrepareDC(&dc);
    view->OnDraw(&dc);
    ::SelectClipRgn(canvas.Dc(), nullptr);
    ::SetViewportOrgEx(canvas.Dc(), 0, 0, nullptr);
    dc.Detach();
  }
  // Number of client pixels that are not expected.
  int CountOther(const MemoryCanvas& canvas, RGBQUAD expected) const {
    int other = 0;
    for (int y = 0; y < canvas.Height(); ++y)
      for (int x = 0; x < canvas.Width(); ++x) other += canvas.Pixel(x, y) != expected;
    return other;
  }

  void PutCursor(CPoint client) {
    view->ClientToScreen(&client);
    ASSERT_TRUE(::SetCursorPos(client.x, client.y));
    POINT now;
    ::GetCursorPos(&now);
    ASSERT_EQ(CPoint(now), client) << "the display must take the cursor position";
  }
  int HitAt(CPoint client) {
    PutCursor(client);
    return view->HitTest();
  }
  // A left-button drag from one client point to the others.
  void Drag(CPoint from, const std::vector<CPoint>& steps) {
    PutCursor(from);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    for (const CPoint& step : steps)
      view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(step.x, step.y));
    const CPoint last = steps.empty() ? from : steps.back();
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
  }

  CWinApp app{"SkinViewTest"};
  HostWindow host;
  std::vector<std::string> opened;
  TestSkinView* view = nullptr;
  SkinContainer container{SkinContainer::kMainWindowName};
};

TEST_F(SkinViewTest, ScrollSizesFollowTheShownBackground) {
  EXPECT_EQ(view->GetTotalSize(), CSize(0, 0)) << "no container";
  Show();
  EXPECT_EQ(view->GetTotalSize(), CSize(0, 0)) << "no background";

  ASSERT_TRUE(MakeFilledImage(container.background, 640, 480, 24, kRed));
  view->SendMessage(WM_INITIALUPDATE);
  EXPECT_EQ(view->GetTotalSize(), CSize(640, 480));
  container.background.Destroy();
  ASSERT_TRUE(view->Rebuild());
  EXPECT_EQ(view->GetTotalSize(), CSize(0, 0));

  // The wheel scrolls a view whose background is taller than the pane.
  ASSERT_TRUE(MakeFilledImage(container.background, 640, 480, 24, kRed));
  ASSERT_TRUE(view->Rebuild());
  view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_GT(view->GetScrollPosition().y, 0);
}

TEST_F(SkinViewTest, PaneColourWithoutContainerOrBackground) {
  ASSERT_NE(SystemColor(COLOR_3DFACE), SystemColor(COLOR_WINDOW));
  MemoryCanvas canvas(kClientWidth, kClientHeight);
  canvas.Fill(kRed);
  Render(canvas);
  EXPECT_EQ(CountOther(canvas, SystemColor(COLOR_3DFACE)), 0) << "no container shown";

  Show();
  canvas.Fill(kRed);
  Render(canvas);
  EXPECT_EQ(CountOther(canvas, SystemColor(COLOR_WINDOW)), 0) << "container without background";
}

TEST_F(SkinViewTest, BackgroundWithoutShapeLeavesWindowColouredStrips) {
  ASSERT_TRUE(MakeFilledImage(container.background, 100, 80, 24, kRed));
  Show();
  MemoryCanvas canvas(kClientWidth, kClientHeight);
  canvas.Fill(Rgb(1, 2, 3));
  Render(canvas);
  EXPECT_EQ(canvas.Pixel(50, 40), kRed);
  EXPECT_EQ(canvas.Pixel(99, 79), kRed);
  EXPECT_EQ(canvas.Pixel(100, 40), SystemColor(COLOR_WINDOW)) << "right of the image";
  EXPECT_EQ(canvas.Pixel(50, 80), SystemColor(COLOR_WINDOW)) << "below the image";
  EXPECT_EQ(canvas.Pixel(kClientWidth - 1, kClientHeight - 1), SystemColor(COLOR_WINDOW));
}

TEST_F(SkinViewTest, BackgroundIsCutToTheScrolledShapeWithTheOutsideIn3DFace) {
  ASSERT_TRUE(MakeFilledImage(container.background, 600, 400, 24, kRed));
  container.windowShape.points = {{60, 50}, {200, 50}, {200, 150}, {60, 150}};
  Show();
  view->ScrollToPosition(CPoint(50, 40));
  ASSERT_EQ(view->GetScrollPosition(), CPoint(50, 40));

  MemoryCanvas canvas(kClientWidth, kClientHeight);
  canvas.Fill(Rgb(1, 2, 3));
  Render(canvas);
  // Content (60, 50)-(200, 150) is client (10, 10)-(150, 110).
  const RGBQUAD face = SystemColor(COLOR_3DFACE);
  EXPECT_EQ(canvas.Pixel(12, 12), kRed);
  EXPECT_EQ(canvas.Pixel(147, 107), kRed);
  EXPECT_EQ(canvas.Pixel(7, 12), face) << "left of the shape";
  EXPECT_EQ(canvas.Pixel(12, 7), face) << "above the shape";
  EXPECT_EQ(canvas.Pixel(153, 60), face) << "right of the shape, still on the image";
  EXPECT_EQ(canvas.Pixel(60, 113), face) << "below the shape, still on the image";
}

TEST_F(SkinViewTest, MovieAreaIsMadeAtLeastFiftyByFiftyWhenShown) {
  struct Case {
    const char* what;
    bool on;
    RECT stored;
    RECT shown;
  };
  const Case cases[] = {
      {"all zeros", true, {0, 0, 0, 0}, {0, 0, 50, 50}},
      {"a point away from the origin", true, {30, 40, 30, 40}, {0, 0, 50, 50}},
      {"narrow", true, {10, 20, 30, 200}, {10, 20, 60, 200}},
      {"flat", true, {10, 20, 300, 21}, {10, 20, 300, 70}},
      {"inverted", true, {100, 100, 40, 40}, {100, 100, 150, 150}},
      {"large enough", true, {5, 6, 200, 100}, {5, 6, 200, 100}},
      {"spanning the whole range",
       true,
       {-2147483600, 0, 2147483600, 100},
       {-2147483600, 0, 2147483600, 100}},
      {"at the end of the range",
       true,
       {2147483600, 0, 2147483610, 100},
       {2147483600, 0, INT_MAX, 100}},
      {"switched off", false, {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  MemoryCanvas canvas(kClientWidth, kClientHeight);
  for (const Case& c : cases) {
    Show(c.on, c.stored);
    Render(canvas);
    EXPECT_TRUE(SameRect(MovieRect(), c.shown)) << c.what << ": " << Describe(MovieRect());
  }

  // Painting never writes the model, even a rectangle changed behind the
  // view's back is only drawn at the smallest size.
  container.block.SetMovieArea(RECT{0, 0, 10, 10});
  Render(canvas);
  EXPECT_TRUE(SameRect(MovieRect(), RECT{0, 0, 10, 10})) << Describe(MovieRect());

  // The square shown for the all-zero rectangle has its bottom-right handle.
  Show(true, RECT{0, 0, 0, 0});
  canvas.Fill(kRed);
  Render(canvas);
  EXPECT_EQ(canvas.Pixel(52, 52), Rgb(0, 0, 0));
  EXPECT_EQ(canvas.Pixel(1, 1), Rgb(0, 0, 0)) << "top-left handle";
  EXPECT_EQ(canvas.Pixel(60, 60), SystemColor(COLOR_WINDOW));
}

TEST_F(SkinViewTest, HitTestTakesTheFirstHandleInTheListedOrder) {
  struct Case {
    CPoint at;
    int hit;
  };
  // On a 4 x 4 rectangle (as a file may hold one until the view shows it)
  // every handle overlaps its neighbours.
  Show(true);
  container.block.SetMovieArea(RECT{100, 100, 104, 104});
  const Case small[] = {
      {{101, 101}, CSkinView::kTopLeft},     {{103, 100}, CSkinView::kTopMiddle},
      {{106, 99}, CSkinView::kTopRight},     {{100, 103}, CSkinView::kLeftMiddle},
      {{99, 106}, CSkinView::kBottomLeft},   {{104, 103}, CSkinView::kRightMiddle},
      {{104, 105}, CSkinView::kBottomRight}, {{102, 106}, CSkinView::kBottomLeft},
      {{110, 110}, CSkinView::kNone},
  };
  for (const Case& c : small) EXPECT_EQ(HitAt(c.at), c.hit) << "at " << c.at.x << ", " << c.at.y;

  Show(true, RECT{20, 30, 120, 90});
  const Case large[] = {
      {{70, 92}, CSkinView::kBottomMiddle}, {{70, 87}, CSkinView::kBottomMiddle},
      {{70, 60}, CSkinView::kInside},       {{119, 89}, CSkinView::kBottomRight},
      {{123, 60}, CSkinView::kNone},        {{70, 27}, CSkinView::kTopMiddle},
  };
  for (const Case& c : large) EXPECT_EQ(HitAt(c.at), c.hit) << "at " << c.at.x << ", " << c.at.y;

  container.block.SetMovieAreaOn(false);
  EXPECT_EQ(HitAt(CPoint(70, 60)), CSkinView::kNone) << "movie area off";
  view->SetContainer(nullptr);
  EXPECT_EQ(HitAt(CPoint(70, 60)), CSkinView::kNone) << "no container";
}

TEST_F(SkinViewTest, DraggedSidesStayFiftyPixelsFromTheirOpposites) {
  struct Case {
    const char* what;
    CPoint from;
    CPoint to;
    RECT result;
  };
  const RECT area = {10, 20, 70, 120};  // 60 wide, 100 high
  const Case cases[] = {
      {"left edge 30 to the right", {10, 70}, {40, 70}, {20, 20, 70, 120}},
      {"left edge outwards", {10, 70}, {4, 70}, {4, 20, 70, 120}},
      {"right edge past the left one", {70, 70}, {0, 75}, {10, 20, 60, 120}},
      {"bottom edge up past the top one", {40, 120}, {40, 50}, {10, 20, 70, 70}},
      {"top edge down", {40, 20}, {40, 90}, {10, 70, 70, 120}},
      {"top-left corner past the opposite one", {10, 20}, {200, 200}, {20, 70, 70, 120}},
      {"bottom-right corner up and left", {70, 120}, {65, 30}, {10, 20, 65, 70}},
      {"top-right corner", {70, 20}, {150, 5}, {10, 5, 150, 120}},
      {"bottom-left corner", {10, 120}, {3, 180}, {3, 20, 70, 180}},
  };
  for (const Case& c : cases) {
    Show(true, area);
    Drag(c.from, {c.to});
    EXPECT_TRUE(SameRect(MovieRect(), c.result)) << c.what << ": " << Describe(MovieRect());
  }
  // Without the button held the mouse only points.
  Show(true, area);
  PutCursor(CPoint(10, 70));
  view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 70));
  EXPECT_TRUE(SameRect(MovieRect(), area));
}

TEST_F(SkinViewTest, DraggingInAScrolledViewFollowsTheMouse) {
  ASSERT_TRUE(MakeFilledImage(container.background, 800, 600, 24, kRed));
  Show(true, RECT{150, 120, 250, 220});
  view->ScrollToPosition(CPoint(100, 80));
  ASSERT_EQ(view->GetScrollPosition(), CPoint(100, 80));
  // Content (200, 170) is client (100, 90).
  Drag(CPoint(100, 90), {CPoint(130, 70), CPoint(131, 75)});
  EXPECT_TRUE(SameRect(MovieRect(), RECT{181, 105, 281, 205})) << Describe(MovieRect());
  // An edge goes to the mouse's content position: the right middle handle
  // at content (281, 155) is client (181, 75).
  Drag(CPoint(181, 75), {CPoint(200, 75)});
  EXPECT_TRUE(SameRect(MovieRect(), RECT{181, 105, 300, 205})) << Describe(MovieRect());
}

TEST_F(SkinViewTest, MovingNeverWrapsAroundTheCoordinateRange) {
  Show(true, RECT{-2147483600, 0, 2147483600, 100});
  Drag(CPoint(100, 50), {CPoint(200, 60)});
  const RECT moved = MovieRect();
  EXPECT_GT(moved.right, moved.left) << Describe(moved);
  EXPECT_EQ(int64_t{moved.right} - moved.left, int64_t{2147483600} * 2) << "size kept";
  EXPECT_EQ(moved.top, 10);
}

TEST_F(SkinViewTest, CursorShowsTheHandleUnderTheMouse) {
  Show(true, RECT{20, 30, 120, 90});
  struct Case {
    CPoint at;
    LPCSTR cursor;
  };
  const Case cases[] = {{{20, 60}, IDC_SIZEWE},
                        {{70, 60}, IDC_SIZEALL},
                        {{120, 90}, IDC_SIZENWSE},
                        {{120, 30}, IDC_SIZENESW},
                        {{70, 30}, IDC_SIZENS}};
  for (const Case& c : cases) {
    PutCursor(c.at);
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(c.at.x, c.at.y));
    ::SetCursor(nullptr);
    EXPECT_TRUE(view->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(view->GetSafeHwnd()),
                                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, c.cursor)) << c.at.x << ", " << c.at.y;
  }
}

TEST_F(SkinViewTest, PaintQueryIsAnsweredByTheParent) {
  EXPECT_EQ(view->SendMessage(WM_SKINPAINTQUERY, 0x12, 0x3456), 7);
  ASSERT_EQ(host.queries.size(), 1u);
  EXPECT_EQ(host.queries[0], std::make_pair(WPARAM{0x12}, LPARAM{0x3456}));

  CSplitterWnd splitter;
  ASSERT_TRUE(splitter.CreateStatic(&host, 1, 2));
  CSkinView* pane = new CSkinView;
  ASSERT_TRUE(splitter.CreateView(0, 1, pane, CSize(100, 100)));
  EXPECT_EQ(pane->SendMessage(WM_SKINPAINTQUERY, 0x12, 0x3456), 0) << "the splitter answers 0";
  EXPECT_EQ(host.queries.size(), 1u);
}

struct ToolTipSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindToolTip(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ToolTipSearch*>(param);
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || ::GetWindow(window, GW_OWNER) != search->owner)
    return TRUE;
  search->found = window;
  return FALSE;
}

// The view's tooltip. A popup made with a child window as its parent is
// owned by that window's top-level ancestor; the test makes one tooltip there.
HWND ToolTipOf(HWND view) {
  ToolTipSearch search = {::GetAncestor(view, GA_ROOT), nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindToolTip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class LiveListTest : public SkinViewTest {
 protected:
  void SetUp() override {
    SkinViewTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(MakeFilledImage(container.background, 800, 600, 24, kRed));
    AddObject(SkinObjectKind::kButton, "play", RECT{20, 30, 80, 60});
    AddObject(SkinObjectKind::kText, "title", RECT{1, 2, 3, 4});     // no factory
    AddObject(SkinObjectKind::kListBox, "files", RECT{5, 6, 7, 8});  // no window
    AddObject(SkinObjectKind::kShortcut, "help", RECT{100, 40, 140, 70})->shortcutTarget =
        "C:\\help.txt";
    view->SetLiveControlFactory(SkinObjectKind::kButton, &MakeStandIn);
    view->SetLiveControlFactory(SkinObjectKind::kShortcut, &MakeStandIn);
    view->SetLiveControlFactory(SkinObjectKind::kListBox, &MakeWindowless);
    view->SetContainer(&container);
    ASSERT_TRUE(view->Rebuild());
    view->ScrollToPosition(CPoint(10, 5));
    ASSERT_TRUE(view->Rebuild());
    ASSERT_EQ(view->GetScrollPosition(), CPoint(10, 5));
  }
  SkinObject* AddObject(uint32_t kind, const char* name, RECT position) {
    SkinObject* object = container.AddObject(kind, name);
    object->block.SetPosition(position);
    return object;
  }
  // The live windows, left to right (the button, then the shortcut).
  std::vector<HWND> LiveWindows() const {
    std::vector<HWND> windows;
    for (HWND child = ::GetWindow(view->GetSafeHwnd(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
      windows.push_back(child);
    std::sort(windows.begin(), windows.end(),
              [this](HWND a, HWND b) { return ClientRectOf(a).left < ClientRectOf(b).left; });
    return windows;
  }
  CRect ClientRectOf(HWND window) const {
    CRect rect;
    ::GetWindowRect(window, &rect);
    view->ScreenToClient(&rect);
    return rect;
  }
};

TEST_F(LiveListTest, ControlsArePlacedAndTheirPositionsWrittenBack) {
  EXPECT_EQ(view->LiveControlCount(), 4u) << "one entry per object, windowless or not";
  EXPECT_TRUE(view->GetStyle() & WS_CLIPCHILDREN) << "painting leaves the controls alone";
  const std::vector<HWND> windows = LiveWindows();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(ClientRectOf(windows[0]), CRect(10, 25, 70, 55)) << "minus the scroll position";
  EXPECT_EQ(::GetDlgCtrlID(windows[0]), 0xFFFF);
  EXPECT_TRUE(::GetWindowLongA(windows[0], GWL_STYLE) & WS_THICKFRAME) << "edit mode";
  EXPECT_EQ(ClientRectOf(windows[1]), CRect(90, 35, 130, 65));
  const HWND toolTip = ToolTipOf(view->GetSafeHwnd());
  ASSERT_NE(toolTip, nullptr);
  EXPECT_EQ(::SendMessageA(toolTip, TTM_GETTOOLCOUNT, 0, 0), 2);

  ::MoveWindow(windows[1], 200, 150, 30, 20, FALSE);
  view->SyncPositions();
  EXPECT_TRUE(SameRect(container.objects[3]->block.Position(), RECT{210, 155, 240, 175}));
  EXPECT_TRUE(SameRect(container.objects[0]->block.Position(), RECT{20, 30, 80, 60}));
  EXPECT_TRUE(SameRect(container.objects[1]->block.Position(), RECT{1, 2, 3, 4}));
  EXPECT_TRUE(SameRect(container.objects[2]->block.Position(), RECT{5, 6, 7, 8}));

  // A model changed without a Rebuild: an entry no longer at its object's
  // place writes nothing into the object now there.
  std::unique_ptr<SkinObject> removed = container.RemoveObject(0);
  ::MoveWindow(windows[0], 50, 60, 30, 20, FALSE);
  view->SyncPositions();
  EXPECT_TRUE(SameRect(container.objects[0]->block.Position(), RECT{1, 2, 3, 4}));
  container.objects.insert(container.objects.begin(), std::move(removed));

  view->DestroyControls();
  EXPECT_EQ(view->LiveControlCount(), 0u);
  EXPECT_FALSE(::IsWindow(windows[0]));
  EXPECT_FALSE(::IsWindow(windows[1]));
  EXPECT_EQ(::SendMessageA(toolTip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(LiveListTest, ControlsGoBeforeTheViewsOwnDestruction) {
  std::vector<bool> deletedWhileAttached;
  g_deletedWhileViewAttached = &deletedWhileAttached;
  g_viewWindow = view->GetSafeHwnd();
  host.DestroyWindow();
  g_deletedWhileViewAttached = nullptr;
  EXPECT_EQ(deletedWhileAttached, std::vector<bool>({true, true}));
}

// Records which messages reach the tooltip through TTM_RELAYEVENT.
std::vector<UINT>* g_relayed = nullptr;
WNDPROC g_toolTipProc = nullptr;
LRESULT CALLBACK RecordRelays(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TTM_RELAYEVENT && g_relayed != nullptr)
    g_relayed->push_back(reinterpret_cast<const MSG*>(lParam)->message);
  return ::CallWindowProcA(g_toolTipProc, window, message, wParam, lParam);
}

TEST_F(LiveListTest, PreTranslationRelaysMouseMessagesAndLaunchesShortcuts) {
  const std::vector<HWND> windows = LiveWindows();
  ASSERT_EQ(windows.size(), 2u);
  const HWND button = windows[0];
  const HWND shortcut = windows[1];
  const HWND self = view->GetSafeHwnd();

  struct Case {
    const char* what;
    MSG msg;
    BOOL taken;
  };
  const Case commands[] = {
      {"shortcut click", Message(self, WM_COMMAND, MAKEWPARAM(0xFFFF, 0), LPARAM(shortcut)), TRUE},
      {"button click", Message(self, WM_COMMAND, MAKEWPARAM(0xFFFF, 0), LPARAM(button)), FALSE},
      {"other notification", Message(self, WM_COMMAND, MAKEWPARAM(0xFFFF, 1), LPARAM(shortcut)),
       FALSE},
      {"not a live control", Message(self, WM_COMMAND, MAKEWPARAM(0xFFFF, 0), LPARAM(self)), FALSE},
  };
  for (const Case& c : commands) {
    MSG msg = c.msg;
    EXPECT_EQ(view->PreTranslateMessage(&msg), c.taken) << c.what;
  }
  EXPECT_EQ(opened, std::vector<std::string>({"C:\\help.txt"}));

  const HWND toolTip = ToolTipOf(self);
  ASSERT_NE(toolTip, nullptr);
  std::vector<UINT> relayed;
  g_relayed = &relayed;
  g_toolTipProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(toolTip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordRelays)));
  const UINT messages[] = {WM_MOUSEMOVE,   WM_KEYDOWN,     WM_LBUTTONDOWN,
                           WM_LBUTTONUP,   WM_RBUTTONDOWN, WM_RBUTTONUP,
                           WM_MBUTTONDOWN, WM_MBUTTONUP,   WM_LBUTTONDBLCLK};
  for (UINT message : messages) {
    MSG msg = Message(button, message, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(view->PreTranslateMessage(&msg));
  }
  ::SetWindowLongPtrA(toolTip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_toolTipProc));
  g_relayed = nullptr;
  EXPECT_EQ(relayed, std::vector<UINT>({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                                        WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP}));
}

}  // namespace
