// The editor's live controls in the skin view, made by the real per-kind
// factories: placement, visibility, windowless entries and placeholders,
// the positions written back, shortcut clicks, and no GDI objects left
// behind by rebuilding.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/live_control_factories.h"
#include "editor/skin_view.h"
#include "model/skin_container.h"
#include "model/skin_object.h"
#include "model/skin_object_kind.h"
#include "runtime/skin_animation_wnd.h"
#include "runtime/skin_button_wnd.h"
#include "runtime/skin_drive_list_wnd.h"
#include "runtime/skin_list_wnd.h"
#include "runtime/skin_slider_wnd.h"
#include "runtime/skin_text_wnd.h"
#include "tests/support/test_images.h"

namespace {

class ShortcutRecordingView : public CSkinView {
 public:
  std::vector<std::string> opened;

 protected:
  void OpenShortcutTarget(const std::string& target) override { opened.push_back(target); }
};

class LiveControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateEx(0, nullptr, "live controls", WS_OVERLAPPEDWINDOW, 20, 20, 520, 420,
                              nullptr, nullptr));
    view = new ShortcutRecordingView;
    RegisterLiveControlFactories(*view);
    ASSERT_TRUE(view->CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 480, 380), &host,
                               AFX_IDW_PANE_FIRST));
    ASSERT_TRUE(MakeFilledImage(container.background, 400, 300, 24, Rgb(20, 40, 60)));
  }
  void TearDown() override {
    if (host.GetSafeHwnd() != nullptr) host.DestroyWindow();
  }
  SkinObject* Add(uint32_t kind, const char* name, RECT position, int images) {
    SkinObject* object = container.AddObject(kind, name);
    object->block.SetPosition(position);
    for (int i = 0; i < images; ++i) {
      object->images.push_back(std::make_unique<DibImage>());
      MakeFilledImage(*object->images.back(), 30 + i, 12, 24, Rgb(200, 10, 10));
    }
    return object;
  }
  void Show() {
    view->SetContainer(&container);
    ASSERT_TRUE(view->Rebuild());
  }
  // The live child windows of the view, in creation order.
  std::vector<HWND> Children() const {
    std::vector<HWND> windows;
    for (HWND child = ::GetWindow(view->GetSafeHwnd(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      windows.push_back(child);
    }
    return windows;
  }
  static CRect RectIn(HWND window, HWND parent) {
    CRect rect;
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  CWnd host;
  ShortcutRecordingView* view = nullptr;
  SkinContainer container{"MainWindow"};
};

TEST_F(LiveControlsTest, ButtonsArePlacedAtTheirPositionWithTheUpImagesSize) {
  Add(SkinObjectKind::kButton, "Play", RECT{40, 50, 0, 0}, 4);
  Add(SkinObjectKind::kButton, "Blank", RECT{5, 5, 9, 9}, 0);  // no images: no window
  SkinObject* hidden = Add(SkinObjectKind::kShortcut, "Help", RECT{100, 60, 0, 0}, 1);
  hidden->visible = 0;
  Show();
  EXPECT_EQ(view->LiveControlCount(), 3u);
  const std::vector<HWND> windows = Children();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(RectIn(windows[0], view->GetSafeHwnd()), CRect(40, 50, 70, 62));
  EXPECT_NE(::GetWindowLongA(windows[0], GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_EQ(RectIn(windows[1], view->GetSafeHwnd()), CRect(100, 60, 130, 72));
  EXPECT_EQ(::GetWindowLongA(windows[1], GWL_STYLE) & WS_VISIBLE, 0)
      << "hidden objects still have their control";
  SkinButtonWnd* button = dynamic_cast<SkinButtonWnd*>(CWnd::FromHandlePermanent(windows[0]));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GetDlgCtrlID(), static_cast<int>(CSkinView::kLiveControlId));
}

TEST_F(LiveControlsTest, SlidersNeedTwoPicturesAndStartAtFiftyInTheEditor) {
  Add(SkinObjectKind::kSlider, "Volume", RECT{10, 200, 130, 214}, 2);
  Add(SkinObjectKind::kSlider, "Half", RECT{10, 230, 130, 244}, 1);  // no window
  Show();
  EXPECT_EQ(view->LiveControlCount(), 2u);
  const std::vector<HWND> windows = Children();
  ASSERT_EQ(windows.size(), 1u);
  SkinSliderWnd* slider = dynamic_cast<SkinSliderWnd*>(CWnd::FromHandlePermanent(windows[0]));
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->GetPos(), 50);
  EXPECT_EQ(RectIn(windows[0], view->GetSafeHwnd()).TopLeft(), CPoint(10, 200));
}

// A hidden ListBox still has its entry, so the objects after it keep theirs.
TEST_F(LiveControlsTest, ListsGetSampleRowsAndTheSkinsPicturesOnlyWithAllThirteen) {
  Add(SkinObjectKind::kListBox, "Full", RECT{10, 10, 150, 120}, 13);
  SkinObject* partial = Add(SkinObjectKind::kListBox, "Twelve", RECT{160, 10, 300, 120}, 12);
  partial->visible = 0;
  Add(SkinObjectKind::kDriveList, "Drives", RECT{10, 130, 150, 200}, 12);
  Add(SkinObjectKind::kButton, "After", RECT{200, 200, 0, 0}, 1);
  Show();
  ASSERT_EQ(view->LiveControlCount(), 4u);
  std::vector<SkinListWnd*> lists;
  SkinDriveListWnd* drives = nullptr;
  for (HWND window : Children()) {
    CWnd* control = CWnd::FromHandlePermanent(window);
    if (auto* list = dynamic_cast<SkinListWnd*>(control)) lists.push_back(list);
    if (auto* drive = dynamic_cast<SkinDriveListWnd*>(control)) drives = drive;
  }
  ASSERT_EQ(lists.size(), 2u);
  ASSERT_NE(drives, nullptr);
  EXPECT_EQ(lists[0]->GetCount(), 100);
  ASSERT_NE(lists[0]->GetRow(99), nullptr);
  EXPECT_EQ(lists[0]->GetRow(99)->text, "Item 100");
  EXPECT_EQ(drives->GetCount(), 100);
  EXPECT_EQ(lists[0]->Background(), container.objects[0]->images[0].get());
  EXPECT_EQ(lists[1]->Background(), nullptr) << "12 pictures: none of them is used";
  view->SyncPositions();
  EXPECT_EQ(CRect(container.objects[3]->block.Position()).TopLeft(), CPoint(200, 200));
}

TEST_F(LiveControlsTest, TextsShowTheirNameAndAnimationsStayVisible) {
  Add(SkinObjectKind::kText, "Now playing", RECT{10, 10, 200, 30}, 1);
  SkinObject* animation = Add(SkinObjectKind::kAnimation, "Spin", RECT{10, 40, 0, 0}, 3);
  animation->visible = 0;
  animation->block.SetFrameInterval(80);
  animation->block.SetRepeat(true);
  Show();
  ASSERT_EQ(view->LiveControlCount(), 2u);
  SkinTextWnd* text = nullptr;
  SkinAnimationWnd* spinner = nullptr;
  for (HWND window : Children()) {
    CWnd* control = CWnd::FromHandlePermanent(window);
    if (auto* found = dynamic_cast<SkinTextWnd*>(control)) text = found;
    if (auto* found = dynamic_cast<SkinAnimationWnd*>(control)) spinner = found;
  }
  ASSERT_NE(text, nullptr);
  ASSERT_NE(spinner, nullptr);
  EXPECT_EQ(text->GetWindowText(), "Now playing");
  EXPECT_NE(spinner->GetStyle() & WS_VISIBLE, 0u) << "the visible flag does not hide it";
  EXPECT_EQ(spinner->FrameCount(), 3);
}

TEST_F(LiveControlsTest, SyncPositionsWritesMovedControlsAndSkipsPlaceholders) {
  Add(SkinObjectKind::kButton, "Play", RECT{40, 50, 0, 0}, 1);
  Add(SkinObjectKind::kMenuElement, "Fill", RECT{1, 2, 3, 4}, 1);
  Add(SkinObjectKind::kAlphaBackground, "", RECT{5, 6, 7, 8}, 1);
  Add(42, "Newer", RECT{9, 10, 11, 12}, 0);
  Add(SkinObjectKind::kButton, "Blank", RECT{13, 14, 15, 16}, 0);
  Add(SkinObjectKind::kButton, "Stop", RECT{80, 50, 0, 0}, 1);
  Show();
  ASSERT_EQ(view->LiveControlCount(), 6u);
  // Right-drag Stop by (25, 10) as the designer does.
  const std::vector<HWND> windows = Children();
  HWND stop = nullptr;
  for (HWND window : windows)
    if (RectIn(window, view->GetSafeHwnd()).left == 80) stop = window;
  ASSERT_NE(stop, nullptr);
  ::SendMessageA(stop, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  ::SendMessageA(stop, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(3 + 25, 3 + 10));
  ::SendMessageA(stop, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));

  view->SyncPositions();
  EXPECT_EQ(CRect(container.objects[0]->block.Position()), CRect(40, 50, 70, 62));
  EXPECT_EQ(CRect(container.objects[1]->block.Position()), CRect(1, 2, 3, 4));
  EXPECT_EQ(CRect(container.objects[2]->block.Position()), CRect(5, 6, 7, 8));
  EXPECT_EQ(CRect(container.objects[3]->block.Position()), CRect(9, 10, 11, 12));
  EXPECT_EQ(CRect(container.objects[4]->block.Position()), CRect(13, 14, 15, 16));
  EXPECT_EQ(CRect(container.objects[5]->block.Position()), CRect(105, 60, 135, 72));
}

TEST_F(LiveControlsTest, ClickingAShortcutOpensItsTarget) {
  Add(SkinObjectKind::kShortcut, "Help", RECT{10, 10, 0, 0}, 1)->shortcutTarget = "notepad.exe";
  Add(SkinObjectKind::kButton, "Play", RECT{60, 10, 0, 0}, 1);
  Show();
  const std::vector<HWND> windows = Children();
  ASSERT_EQ(windows.size(), 2u);
  for (HWND window : windows) {
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  // The clicks are posted; the view sees them on their way through the loop.
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!CWnd::WalkPreTranslateTree(host.GetSafeHwnd(), &msg)) ::DispatchMessageA(&msg);
  }
  EXPECT_EQ(view->opened, std::vector<std::string>{"notepad.exe"});
}

// How many more GDI objects the process could make now: regions are made
// until the platform refuses one (or a bound far above any quota), then
// deleted again. A leak makes the number smaller. Counting this way works
// where the platform's own count (GetGuiResources) is not kept.
size_t FreeGdiCapacity() {
  constexpr size_t kBound = 200000;
  std::vector<HRGN> regions;
  regions.reserve(kBound);
  while (regions.size() < kBound) {
    HRGN region = ::CreateRectRgn(0, 0, 1, 1);
    if (region == nullptr) break;
    regions.push_back(region);
  }
  for (HRGN region : regions) ::DeleteObject(region);
  return regions.size();
}

TEST_F(LiveControlsTest, RebuildingLeavesNoGdiObjectsBehind) {
  for (int i = 0; i < 20; ++i) {
    SkinObject* object = Add(i % 2 == 0 ? SkinObjectKind::kButton : SkinObjectKind::kShortcut, "b",
                             RECT{(i % 10) * 36, (i / 10) * 20, 0, 0}, 4);
    object->windowShape.points = {{0, 0}, {30, 0}, {15, 12}};
    object->mousePolygon = {{0, 0}, {20, 0}, {10, 10}};
  }
  Show();
  const size_t before = FreeGdiCapacity();
  ASSERT_GT(before, 1000u);
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(view->Rebuild());
  // Every rebuild makes at least three regions and a face per button; one
  // of them kept would cost 200 x 20.
  EXPECT_GE(FreeGdiCapacity(), before);
}

}  // namespace
