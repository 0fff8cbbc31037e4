// The main frame's editing commands: inserting objects and containers,
// editing through the property dialogs, Delete, Load bitmap, Window region,
// the movie area, the enabled rules and the tree's notifications.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "editor/insert_object_dialog.h"
#include "imaging/image_stream.h"
#include "model/skin_object_kind.h"
#include "tests/editor/frame_fixture_win.h"
#include "tests/support/test_images.h"
#include "ui/cmenu.h"

namespace editor_test {
namespace {

bool WriteImageFile(const std::string& path, int format, int width, int height) {
  DibImage image;
  if (!MakeFilledImage(image, width, height, 24, Rgb(10, 20, 30))) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  ImageStream stream(file);
  const bool encoded = image.Encode(stream, format);
  return std::fclose(file) == 0 && encoded;
}

class FrameCommandTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    ASSERT_TRUE(OpenFrame());
  }
  SkinContainer& MainWindow() { return *TheSkin().FindContainer("MainWindow"); }
  // Adds an object to a container behind the frame's back and lists the
  // skin again through New's tree rebuild (New itself would delete it).
  void Relist() {
    const std::string path = folder.File("relist.skin");
    ASSERT_TRUE(TheSkin().Save(path));
    OpenFile(path);
  }
  LRESULT TreeNotify(UINT code) {
    NMHDR header = {};
    header.hwndFrom = Tree().GetSafeHwnd();
    header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(header.hwndFrom));
    header.code = code;
    return frame->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  }
};

// --- Insert ------------------------------------------------------------------

TEST_F(FrameCommandTest, InsertObjectAddsTheChosenEntriesInListOrder) {
  Select("MainWindow");
  const HTREEITEM selected = Tree().GetSelectedItem();
  std::vector<std::string> names;
  std::vector<int> images;
  std::string column;
  prompts.onDialog = [&](CDialog& dialog) {
    HWND list = ::GetDlgItem(dialog.GetSafeHwnd(), IDC_OBJECT_LIST);
    char title[64] = {};
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = title;
    info.cchTextMax = sizeof title;
    ::SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&info));
    column = title;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
      char text[64] = {};
      LVITEMA item = {};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = i;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      names.push_back(text);
      images.push_back(item.iImage);
    }
    // Chosen from the bottom up; the result keeps the list's order.
    for (int index : {6, 3, 1}) ListView_SetItemState(list, index, LVIS_SELECTED, LVIS_SELECTED);
    dialog.PostMessage(WM_COMMAND, IDOK);
  };
  Command(ID_INSERT_OBJECT);

  ASSERT_EQ(prompts.shownDialogs, std::vector<UINT>{IDD_INSERT_OBJECT});
  EXPECT_EQ(column, "Object Name");
  EXPECT_EQ(names,
            (std::vector<std::string>{"Play", "Playlist", "Volume", "Drives", "Title",
                                      "container(MainWindow)", "container(PlaylistWindow)"}));
  EXPECT_EQ(images, (std::vector<int>{2, 3, 4, 1, 5, 2, 2}));
  EXPECT_TRUE(dialogs.calls.empty()) << "no property dialog opens";
  EXPECT_EQ(TreeText(), "MainWindow(Playlist,Drives,container(PlaylistWindow))");
  ASSERT_EQ(MainWindow().objects.size(), 3u);
  EXPECT_EQ(MainWindow().objects[0]->kind, SkinObjectKind::kListBox);
  EXPECT_EQ(MainWindow().objects[0]->visible, 0u);
  EXPECT_EQ(MainWindow().objects[1]->kind, SkinObjectKind::kDriveList);
  EXPECT_EQ(MainWindow().objects[1]->visible, 0u);
  EXPECT_EQ(MainWindow().objects[2]->kind, SkinObjectKind::kButton);
  EXPECT_EQ(MainWindow().objects[2]->visible, 1u);
  EXPECT_EQ(Tree().GetSelectedItem(), selected);
  EXPECT_EQ(Shown(), &MainWindow());
  EXPECT_EQ(frame->GetSkinView()->LiveControlCount(), 3u);

  // Cancel adds nothing.
  prompts.onDialog = [](CDialog& dialog) { dialog.PostMessage(WM_COMMAND, IDCANCEL); };
  Command(ID_INSERT_OBJECT);
  EXPECT_EQ(MainWindow().objects.size(), 3u);
}

TEST_F(FrameCommandTest, InsertCommandsOpenTheKindsDialogOnItsDefaults) {
  struct Case {
    UINT command;
    const char* dialog;
    uint32_t kind;
    const char* defaultName;
    RECT position;
    int image;
  };
  const Case cases[] = {
      {ID_INSERT_TEXT, "SkinText", SkinObjectKind::kText, "", {0, 0, 0, 0}, 5},
      {ID_INSERT_SHORTCUT, "SkinButton(create)", SkinObjectKind::kShortcut, "", {0, 0, 0, 0}, 6},
      {ID_INSERT_ANIMATION,
       "SkinAnimation",
       SkinObjectKind::kAnimation,
       "Animation",
       {0, 0, 50, 50},
       7},
      {ID_INSERT_VUMETER, "SkinVUMeter", SkinObjectKind::kVUMeter, "VUMeter", {0, 0, 100, 50}, 8},
  };
  Select("MainWindow");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog);
    ObjectBlock seen;
    std::string seenName;
    uint32_t seenKind = 99;
    // Cancel first: nothing is added.
    const size_t before = MainWindow().objects.size();
    const std::string treeBefore = TreeText();
    dialogs.onObject = nullptr;
    Command(c.command);
    EXPECT_EQ(MainWindow().objects.size(), before);
    EXPECT_EQ(TreeText(), treeBefore);
    dialogs.onObject = [&](SkinObject& object) {
      seen = object.block;
      seenName = object.name;
      seenKind = object.kind;
      object.name = std::string("new ") + c.dialog;
      return true;
    };
    dialogs.calls.clear();
    Command(c.command);
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{c.dialog});
    EXPECT_EQ(seenKind, c.kind);
    EXPECT_EQ(seenName, c.defaultName);
    const RECT position = seen.Position();
    EXPECT_EQ(position.right, c.position.right);
    EXPECT_EQ(position.bottom, c.position.bottom);
    ASSERT_EQ(MainWindow().objects.size(), before + 1);
    HTREEITEM item = FindItem(std::string("new ") + c.dialog);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(ItemImage(item), c.image);
    EXPECT_EQ(Tree().GetParentItem(item), FindItem("MainWindow"));
    if (c.kind == SkinObjectKind::kAnimation) {
      EXPECT_TRUE(seen.Repeat());
    }
    if (c.kind == SkinObjectKind::kVUMeter) {
      EXPECT_EQ(seen.SegmentSize(), 1024);
      EXPECT_EQ(seen.SegmentPosition(), 0);
      EXPECT_EQ(seen.BarsCount(), 20);
      EXPECT_EQ(seen.VuBackgroundColor(), 0u);
      EXPECT_EQ(seen.VuForegroundColor(), 65280u);
      EXPECT_EQ(seen.VuMode(), ObjectBlock::kVuSpectrum);
    }
  }
  EXPECT_EQ(frame->GetSkinView()->LiveControlCount(), 4u);
}

TEST_F(FrameCommandTest, NewContainerAppendsTheDialogsContainerAndShowsIt) {
  EXPECT_TRUE(Enabled(ID_INSERT_NEWCONTAINER));
  dialogs.onContainer = [](const SkinContainer*, ObjectDialogs::ContainerResult& result) {
    result.name = "PlaylistWindow";
    result.alphablendOffset = POINT{3, -4};
    MakeFilledImage(result.background, 4, 3, 24, Rgb(1, 2, 3));
    result.windowShape.points = {{0, 0}, {4, 0}, {0, 3}};
    MakeFilledImage(result.alphaBackground, 2, 2, 24, Rgb(8, 8, 8));
    return true;
  };
  Command(ID_INSERT_NEWCONTAINER);
  EXPECT_EQ(dialogs.calls, std::vector<std::string>{"Container(create)"});
  EXPECT_EQ(dialogs.offeredNames, (std::vector<std::string>{"MainWindow", "PlaylistWindow"}));
  EXPECT_EQ(TreeText(), "MainWindow() PlaylistWindow()");
  SkinContainer* added = TheSkin().FindContainer("PlaylistWindow");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->alphablendOffset.x, 3);
  EXPECT_EQ(added->alphablendOffset.y, -4);
  EXPECT_EQ(added->background.Width(), 4);
  EXPECT_EQ(added->windowShape.points.size(), 3u);
  EXPECT_TRUE(added->objects.empty()) << "only Edit sets the alphablend background";
  EXPECT_EQ(Tree().GetSelectedItem(), FindItem("PlaylistWindow"));
  EXPECT_EQ(Shown(), added);
  EXPECT_FALSE(Enabled(ID_INSERT_NEWCONTAINER)) << "every configured name is used";

  // A dialog that gives no name adds nothing.
  Command(ID_FILE_NEW);
  dialogs.onContainer = [](const SkinContainer*, ObjectDialogs::ContainerResult&) { return true; };
  Command(ID_INSERT_NEWCONTAINER);
  EXPECT_EQ(TreeText(), "MainWindow()");
}

// --- Edit ------------------------------------------------------------------

TEST_F(FrameCommandTest, EditOpensTheKindsDialogAndDoubleClickIsHandled) {
  struct Case {
    uint32_t kind;
    const char* dialog;
  };
  const Case cases[] = {
      {SkinObjectKind::kButton, "SkinButton(edit)"},
      {SkinObjectKind::kShortcut, "SkinButton(edit)"},
      {SkinObjectKind::kListBox, "SkinList"},
      {SkinObjectKind::kSlider, "SkinSlider"},
      {SkinObjectKind::kCustomSlider, "SkinSlider"},
      {SkinObjectKind::kDriveList, "SkinDrives"},
      {SkinObjectKind::kText, "SkinText"},
      {SkinObjectKind::kAnimation, "SkinAnimation"},
      {SkinObjectKind::kVUMeter, "SkinVUMeter"},
  };
  for (const Case& c : cases)
    MainWindow().AddObject(c.kind, std::string("o") + SkinObjectKind::Name(c.kind));
  Relist();
  for (const Case& c : cases) {
    const std::string name = std::string("o") + SkinObjectKind::Name(c.kind);
    Select(name);
    dialogs.calls.clear();
    EXPECT_EQ(TreeNotify(NM_DBLCLK), 1) << name;
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{c.dialog}) << name;
  }

  // OK renames the item and follows a slider turned into a custom slider.
  Select("oSlider");
  dialogs.onObject = [](SkinObject& object) {
    object.name = "Seek";
    object.kind = SkinObjectKind::kCustomSlider;
    return true;
  };
  Command(ID_EDIT_OBJECT);
  HTREEITEM item = FindItem("Seek");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(ItemImage(item), 4);
  EXPECT_EQ(Shown(), &MainWindow());
}

TEST_F(FrameCommandTest, EditOfAContainerAppliesTheDialogsResult) {
  MainWindow().AddObject(SkinObjectKind::kButton, "Play");
  Relist();
  Select("Play");
  dialogs.onContainer = [](const SkinContainer* container, ObjectDialogs::ContainerResult& result) {
    result.name = container->name;
    MakeFilledImage(result.background, 5, 5, 24, Rgb(9, 9, 9));
    MakeFilledImage(result.alphaBackground, 2, 2, 24, Rgb(8, 8, 8));
    result.alphablendOffset = POINT{7, 8};
    return true;
  };
  Command(ID_CONTAINER_EDIT);
  EXPECT_EQ(dialogs.calls, std::vector<std::string>{"Container(edit)"});
  EXPECT_EQ(MainWindow().background.Width(), 5);
  EXPECT_EQ(MainWindow().alphablendOffset.x, 7);
  ASSERT_EQ(MainWindow().objects.size(), 2u);
  EXPECT_EQ(MainWindow().objects[1]->kind, SkinObjectKind::kAlphaBackground);
  EXPECT_EQ(TreeText(), "MainWindow(Play)") << "the alphablend background is not listed";
  EXPECT_EQ(Shown(), &MainWindow());
  EXPECT_EQ(frame->GetSkinView()->LiveControlCount(), 2u);

  // Without an alphablend background the object goes again.
  dialogs.onContainer = [](const SkinContainer* container, ObjectDialogs::ContainerResult& result) {
    result.name = container->name;
    return true;
  };
  Command(ID_CONTAINER_EDIT);
  EXPECT_FALSE(MainWindow().background.IsValid());
  EXPECT_EQ(MainWindow().objects.size(), 1u);
}

TEST_F(FrameCommandTest, RenamingMainWindowAwayListsANewOne) {
  Select("MainWindow");
  dialogs.onContainer = [](const SkinContainer*, ObjectDialogs::ContainerResult& result) {
    result.name = "PlaylistWindow";
    return true;
  };
  Command(ID_EDIT_ITEM);
  EXPECT_EQ(TreeText(), "PlaylistWindow() MainWindow()");
  EXPECT_EQ(Tree().GetSelectedItem(), FindItem("PlaylistWindow"));
  EXPECT_EQ(Shown(), TheSkin().FindContainer("PlaylistWindow"));
}

TEST_F(FrameCommandTest, SkinMenuAndWindowRegionGoThroughTheirDialogs) {
  Command(ID_EDIT_SKINMENU);
  EXPECT_EQ(dialogs.calls, std::vector<std::string>{"SkinMenu"});

  Select("MainWindow");
  EXPECT_FALSE(Enabled(ID_CONTAINER_WINDOWREGION)) << "no background yet";
  MakeFilledImage(MainWindow().background, 8, 8, 24, Rgb(0, 0, 0));
  EXPECT_TRUE(Enabled(ID_CONTAINER_WINDOWREGION));
  dialogs.onRegion = [](WindowRegion& shape) {
    shape.points = {{1, 1}, {7, 1}, {1, 7}};
    return true;
  };
  Command(ID_CONTAINER_WINDOWREGION);
  EXPECT_EQ(MainWindow().windowShape.points.size(), 3u);
  dialogs.onRegion = [](WindowRegion& shape) {
    shape.points.clear();
    return false;
  };
  Command(ID_CONTAINER_WINDOWREGION);
  EXPECT_EQ(MainWindow().windowShape.points.size(), 3u) << "Cancel keeps the shape";
}

// Ends the popup menu the frame is tracking, noting the commands it held
// (none when no popup menu window was up).
std::vector<UINT> g_popupCommands;
void CALLBACK EndTrackedMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  g_popupCommands.clear();
  HWND menuWindow = ::FindWindowA("#32768", nullptr);
  if (menuWindow != nullptr && ::IsWindowVisible(menuWindow)) {
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; menu != nullptr && i < ::GetMenuItemCount(menu); ++i)
      g_popupCommands.push_back(::GetMenuItemID(menu, i));
  }
  ::EndMenu();
}

TEST_F(FrameCommandTest, RightClickOpensThePopupOnlyForASelectedContainer) {
  MainWindow().AddObject(SkinObjectKind::kButton, "Play");
  Relist();
  Select("MainWindow");
  ::SetTimer(nullptr, 0, 100, &EndTrackedMenu);
  EXPECT_EQ(TreeNotify(NM_RCLICK), 1);
  EXPECT_EQ(g_popupCommands, (std::vector<UINT>{ID_CONTAINER_LOADBITMAP, ID_CONTAINER_WINDOWREGION,
                                                ID_CONTAINER_EDIT}));

  // Over an object item nothing opens (the timer finds no menu).
  Select("Play");
  g_popupCommands = {0};
  ::SetTimer(nullptr, 0, 10, &EndTrackedMenu);
  EXPECT_EQ(TreeNotify(NM_RCLICK), 1);
  ::Sleep(30);
  PumpMessages(app);
  EXPECT_TRUE(g_popupCommands.empty());
}

TEST_F(FrameCommandTest, ContainerPopupCarriesTheMenuTexts) {
  CMenu popup;
  ASSERT_TRUE(frame->BuildContainerPopup(popup));
  ASSERT_EQ(popup.GetMenuItemCount(), 3);
  const UINT ids[] = {ID_CONTAINER_LOADBITMAP, ID_CONTAINER_WINDOWREGION, ID_CONTAINER_EDIT};
  const char* texts[] = {"&Load bitmap...", "&Window region", "&Edit..."};
  for (int i = 0; i < 3; ++i) {
    std::string text;
    popup.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
    EXPECT_EQ(popup.GetMenuItemID(i), ids[i]);
    EXPECT_EQ(text, texts[i]);
  }
}

TEST_F(FrameCommandTest, AboutBoxRuns) {
  prompts.onDialog = [](CDialog& dialog) { dialog.PostMessage(WM_COMMAND, IDOK); };
  Command(ID_APP_ABOUT);
  EXPECT_EQ(prompts.shownDialogs, std::vector<UINT>{IDD_ABOUTBOX});
}

// --- Delete ----------------------------------------------------------------

TEST_F(FrameCommandTest, DeleteRemovesObjectsAndContainersButNeverMainWindow) {
  MainWindow().name = "mainWINDOW";
  MainWindow().AddObject(SkinObjectKind::kButton, "Play");
  MainWindow().AddObject(SkinObjectKind::kButton, "Stop");
  SkinContainer* playlist = TheSkin().AddContainer("PlaylistWindow");
  playlist->AddObject(SkinObjectKind::kListBox, "List");
  playlist->AddObject(42, "Newer");
  Relist();
  ASSERT_EQ(TreeText(), "mainWINDOW(Play,Stop) PlaylistWindow(List,Newer)");

  // An object of a kind this editor does not know can still be deleted.
  Select("Newer");
  Command(ID_EDIT_DELETE);
  ASSERT_EQ(TreeText(), "mainWINDOW(Play,Stop) PlaylistWindow(List)");
  ASSERT_NE(TheSkin().FindContainer("PlaylistWindow"), nullptr);
  EXPECT_EQ(TheSkin().FindContainer("PlaylistWindow")->objects.size(), 1u);

  Select("mainWINDOW");
  Command(ID_EDIT_DELETE);
  EXPECT_EQ(TreeText(), "mainWINDOW(Play,Stop) PlaylistWindow(List)");
  EXPECT_EQ(TheSkin().containers.size(), 2u);

  Select("Play");
  Command(ID_EDIT_DELETE);
  EXPECT_EQ(TreeText(), "mainWINDOW(Stop) PlaylistWindow(List)");
  ASSERT_EQ(TheSkin().containers[0]->objects.size(), 1u);
  EXPECT_EQ(TheSkin().containers[0]->objects[0]->name, "Stop");
  EXPECT_EQ(Tree().GetSelectedItem(), FindItem("mainWINDOW"));
  EXPECT_EQ(Shown(), TheSkin().containers[0].get());
  EXPECT_EQ(frame->GetSkinView()->LiveControlCount(), 1u);

  Select("List");
  EXPECT_EQ(Shown(), TheSkin().FindContainer("PlaylistWindow"));
  Command(ID_EDIT_DELETE);
  Select("PlaylistWindow");
  Command(ID_EDIT_DELETE);
  EXPECT_EQ(TreeText(), "mainWINDOW(Stop)");
  EXPECT_EQ(TheSkin().containers.size(), 1u);
  EXPECT_EQ(Shown(), nullptr);
  EXPECT_EQ(Tree().GetSelectedItem(), nullptr);
  EXPECT_FALSE(Enabled(ID_EDIT_DELETE));
}

// --- Enabled rules and selection ---------------------------------------------

TEST_F(FrameCommandTest, CommandsFollowTheSelection) {
  MainWindow().AddObject(SkinObjectKind::kButton, "Play");
  TheSkin().AddContainer("PlaylistWindow");
  Relist();
  Tree().SelectItem(nullptr);
  const UINT needSelection[] = {ID_INSERT_TEXT,      ID_INSERT_OBJECT,  ID_INSERT_SHORTCUT,
                                ID_INSERT_ANIMATION, ID_INSERT_VUMETER, ID_CONTAINER_LOADBITMAP,
                                ID_EDIT_DELETE,      ID_EDIT_ITEM};
  const UINT always[] = {ID_FILE_NEW,        ID_FILE_OPEN,      ID_FILE_SAVE,     ID_FILE_SAVE_AS,
                         ID_APP_EXIT,        ID_CONTAINER_EDIT, ID_EDIT_SKINMENU, ID_VIEW_TOOLBAR,
                         ID_VIEW_STATUS_BAR, ID_APP_ABOUT};
  for (UINT id : needSelection) EXPECT_FALSE(Enabled(id)) << id;
  for (UINT id : always) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_FALSE(Enabled(ID_EDIT_OBJECT));
  EXPECT_FALSE(Enabled(ID_VIEW_MOVIEAREA));
  EXPECT_FALSE(Enabled(ID_INSERT_NEWCONTAINER)) << "both configured names are used";

  Select("PlaylistWindow");
  for (UINT id : needSelection) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_FALSE(Enabled(ID_EDIT_OBJECT)) << "a container item";
  EXPECT_FALSE(Enabled(ID_VIEW_MOVIEAREA));
  EXPECT_FALSE(Enabled(ID_EDIT_LAYOUTCONTAINERS));
  EXPECT_EQ(Shown(), TheSkin().FindContainer("PlaylistWindow"));

  Select("Play");
  EXPECT_TRUE(Enabled(ID_EDIT_OBJECT));
  EXPECT_TRUE(Enabled(ID_VIEW_MOVIEAREA));
  EXPECT_FALSE(Enabled(ID_EDIT_LAYOUTCONTAINERS));
  EXPECT_EQ(Shown(), &MainWindow());
}

// A plain child window standing in for a button's live control.
std::unique_ptr<CWnd> MakeBoxControl(CSkinView& view, SkinObject& object) {
  std::unique_ptr<CWnd> box(new (std::nothrow) CWnd);
  if (box == nullptr) return nullptr;
  const RECT position = object.block.Position();
  if (!box->CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, position.left, position.top, 10, 10,
                     view.GetSafeHwnd(), nullptr)) {
    return nullptr;
  }
  return box;
}

TEST_F(FrameCommandTest, LivePositionsReachTheModelBeforeSwitchingEditingAndSaving) {
  frame->GetSkinView()->SetLiveControlFactory(SkinObjectKind::kButton, &MakeBoxControl);
  SkinObject* play = MainWindow().AddObject(SkinObjectKind::kButton, "Play");
  play->block.SetPosition(RECT{5, 5, 0, 0});
  TheSkin().AddContainer("PlaylistWindow");
  Relist();
  play = MainWindow().objects[0].get();
  auto moveControl = [&](int x, int y) {
    HWND control = ::GetWindow(frame->GetSkinView()->GetSafeHwnd(), GW_CHILD);
    ASSERT_NE(control, nullptr);
    ::SetWindowPos(control, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };

  Select("Play");
  moveControl(30, 40);
  Select("PlaylistWindow");
  EXPECT_EQ(play->block.Position().left, 30);
  EXPECT_EQ(play->block.Position().top, 40);

  Select("Play");
  moveControl(50, 60);
  dialogs.onObject = [](SkinObject& object) {
    EXPECT_EQ(object.block.Position().left, 50);
    return false;
  };
  Command(ID_EDIT_OBJECT);
  EXPECT_EQ(dialogs.calls, std::vector<std::string>{"SkinButton(edit)"});

  moveControl(70, 80);
  prompts.fileAnswers = {folder.File("moved.skin")};
  Command(ID_FILE_SAVE_AS);
  Skin saved;
  ASSERT_TRUE(saved.Open(folder.File("moved.skin")));
  EXPECT_EQ(saved.containers[0]->objects[0]->block.Position().left, 70);
  EXPECT_EQ(saved.containers[0]->objects[0]->block.Position().top, 80);
}

TEST_F(FrameCommandTest, MovieAreaFlipsOnlyForAContainerNamedExactlyMainWindow) {
  Select("MainWindow");
  EXPECT_TRUE(Enabled(ID_VIEW_MOVIEAREA));
  EXPECT_FALSE(Checked(ID_VIEW_MOVIEAREA));
  Command(ID_VIEW_MOVIEAREA);
  EXPECT_EQ(MainWindow().block.Bytes()[0], 1);
  EXPECT_TRUE(Checked(ID_VIEW_MOVIEAREA));
  Command(ID_VIEW_MOVIEAREA);
  EXPECT_EQ(MainWindow().block.Bytes()[0], 0);
  EXPECT_FALSE(Checked(ID_VIEW_MOVIEAREA));

  MainWindow().name = "mainwindow";
  Relist();
  Select("mainwindow");
  EXPECT_FALSE(Enabled(ID_VIEW_MOVIEAREA));
  Command(ID_VIEW_MOVIEAREA);
  EXPECT_EQ(TheSkin().containers[0]->block.Bytes()[0], 0);
}

// --- Load bitmap -------------------------------------------------------------

TEST_F(FrameCommandTest, LoadBitmapReadsTheFormatTheExtensionNames) {
  ASSERT_TRUE(WriteImageFile(folder.File("a.bmp"), DibImage::kFormatBmp, 6, 5));
  ASSERT_TRUE(WriteImageFile(folder.File("b.PNG"), DibImage::kFormatPng, 7, 4));
  ASSERT_TRUE(WriteImageFile(folder.File("c.Bmp"), DibImage::kFormatBmp, 3, 2));
  ASSERT_TRUE(WriteImageFile(folder.File("bmp_inside.png"), DibImage::kFormatBmp, 9, 9));
  ASSERT_TRUE(WriteImageFile(folder.File("d.gif"), DibImage::kFormatPng, 9, 9));
  struct Case {
    const char* file;
    int width;  // expected afterwards
  };
  const Case cases[] = {
      {"a.bmp", 6}, {"b.PNG", 7}, {"bmp_inside.png", 7}, {"d.gif", 7}, {"c.Bmp", 3}};
  Select("MainWindow");
  for (const Case& c : cases) {
    prompts.fileAnswers = {folder.File(c.file)};
    Command(ID_CONTAINER_LOADBITMAP);
    EXPECT_EQ(MainWindow().background.Width(), c.width) << c.file;
  }
  ASSERT_FALSE(prompts.asked.empty());
  EXPECT_TRUE(prompts.asked[0].open);
  EXPECT_EQ(prompts.asked[0].filter,
            "All supported types|*.png;*.bmp|Bitmap files (*.bmp)|*.bmp|PNG files "
            "(*.png)|*.png||");
  EXPECT_TRUE(prompts.asked[0].flags & OFN_FILEMUSTEXIST);
  EXPECT_EQ(Shown(), &MainWindow());
}

}  // namespace
}  // namespace editor_test
