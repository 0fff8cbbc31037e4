// The main frame's start-up and its file commands: configuration, bars,
// splitter and tree; New, Open, Save and Save as with the menu container,
// the backup and the failure messages.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/qorva_editor_app.h"
#include "model/profile_file_win.h"
#include "model/skin_backup.h"
#include "model/skin_object_kind.h"
#include "tests/editor/frame_fixture_win.h"
#include "tests/support/memory_canvas_win.h"

namespace editor_test {
namespace {

// A skin file with a "Playlist" container (a button, a list and a menu
// element, which the tree does not show) and a menu container spelled in
// another case, and no MainWindow.
bool WriteSkinWithoutMainWindow(const std::string& path) {
  Skin skin;
  SkinContainer* playlist = skin.AddContainer("Playlist");
  playlist->AddObject(SkinObjectKind::kButton, "Play");
  playlist->AddObject(SkinObjectKind::kListBox, "List");
  playlist->AddObject(SkinObjectKind::kMenuElement, "Fill");
  playlist->AddObject(42, "Newer");  // a kind this editor does not know
  SkinContainer* menu = skin.AddContainer("qmenu");
  menu->AddObject(SkinObjectKind::kMenuElement, "CheckBox");
  menu->AddObject(SkinObjectKind::kMenuElement, "Arrow");
  return skin.Save(path);
}

using FrameStartTest = FrameFixture;

TEST_F(FrameStartTest, BuildsBarsSplitterAndTreeAndStartsWithANewSkin) {
  ASSERT_TRUE(OpenFrame());
  EXPECT_EQ(frame->GetWindowText(), "QorvaEditor");
  EXPECT_EQ(TreeText(), "MainWindow()");
  EXPECT_EQ(ItemImage(FindItem("MainWindow")), 0);
  ASSERT_EQ(TheSkin().containers.size(), 1u);
  EXPECT_TRUE(TheSkin().filePath.empty());
  EXPECT_EQ(frame->GetMenuContainer().name, "QMenu");

  // Configured objects, then one button per configured container.
  const auto& objects = frame->GetConfiguration().DefaultObjects();
  ASSERT_EQ(objects.size(), 7u);
  EXPECT_EQ(objects[1].name, "Playlist");
  EXPECT_EQ(objects[1].kind, SkinObjectKind::kListBox);
  EXPECT_EQ(objects[6].name, "container(PlaylistWindow)");
  EXPECT_EQ(objects[6].kind, SkinObjectKind::kButton);

  const std::vector<UINT> toolbar = {ID_FILE_NEW,
                                     ID_FILE_OPEN,
                                     ID_FILE_SAVE,
                                     ID_SEPARATOR,
                                     ID_EDIT_DELETE,
                                     ID_SEPARATOR,
                                     ID_INSERT_NEWCONTAINER,
                                     ID_INSERT_OBJECT,
                                     ID_INSERT_SHORTCUT,
                                     ID_INSERT_ANIMATION,
                                     ID_INSERT_VUMETER,
                                     ID_INSERT_TEXT,
                                     ID_EDIT_SKINMENU,
                                     ID_SEPARATOR,
                                     ID_VIEW_MOVIEAREA,
                                     ID_SEPARATOR,
                                     ID_CONTAINER_LOADBITMAP,
                                     ID_EDIT_ITEM,
                                     ID_SEPARATOR,
                                     ID_APP_EXIT};
  std::vector<UINT> buttons;
  for (int i = 0; i < frame->GetToolBar().GetCount(); ++i)
    buttons.push_back(frame->GetToolBar().GetItemID(i));
  EXPECT_EQ(buttons, toolbar);
  EXPECT_TRUE(frame->GetToolBar().GetStyle() & TBSTYLE_FLAT);
  EXPECT_NE(frame->GetToolBar().SendMessage(TB_GETTOOLTIPS), 0);

  const std::vector<UINT> panes = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                   ID_INDICATOR_SCRL};
  std::vector<UINT> indicators;
  for (int i = 0; i < frame->GetStatusBar().GetCount(); ++i)
    indicators.push_back(frame->GetStatusBar().GetItemID(i));
  EXPECT_EQ(indicators, panes);

  CRect treeRect;
  Tree().GetWindowRect(&treeRect);
  EXPECT_EQ(treeRect.Width(), CMainFrame::kTreeWidth);
  const DWORD treeStyles = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  EXPECT_EQ(Tree().GetStyle() & treeStyles, treeStyles);
  EXPECT_TRUE(frame->GetSkinView()->IsEditMode());
}

TEST_F(FrameStartTest, TreeImagesComeFromTheirBitmapWithMagentaTransparent) {
  ASSERT_TRUE(OpenFrame());
  HIMAGELIST images = Tree().GetImageList(TVSIL_NORMAL);
  ASSERT_EQ(images, frame->GetTreeImages().GetSafeHandle());
  ASSERT_EQ(ImageList_GetImageCount(images), TREE_IMAGE_COUNT);

  // Image 0 drawn transparently over a known colour: exactly the magenta
  // pixels of the strip let that colour through.
  HBITMAP strip = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                    MAKEINTRESOURCEA(IDB_TREE_IMAGES), IMAGE_BITMAP,
                                                    0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(strip, nullptr);
  HDC stripDc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(stripDc, strip);
  MemoryCanvas canvas(TREE_IMAGE_SIZE, TREE_IMAGE_SIZE);
  const RGBQUAD ground = {3, 2, 1, 0};
  canvas.Fill(ground);
  ImageList_Draw(images, 0, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
  int magentaPixels = 0;
  for (int y = 0; y < TREE_IMAGE_SIZE; ++y) {
    for (int x = 0; x < TREE_IMAGE_SIZE; ++x) {
      const bool magenta = ::GetPixel(stripDc, x, y) == CMainFrame::kTreeImageMask;
      magentaPixels += magenta ? 1 : 0;
      const RGBQUAD pixel = canvas.Pixel(x, y);
      EXPECT_EQ(magenta, pixel.rgbBlue == 3 && pixel.rgbGreen == 2 && pixel.rgbRed == 1)
          << x << "," << y;
    }
  }
  EXPECT_GT(magentaPixels, 0);
  ::SelectObject(stripDc, old);
  ::DeleteDC(stripDc);
  ::DeleteObject(strip);
}

TEST_F(FrameStartTest, CreationFailsWithoutUsableDefaultObjects) {
  const std::vector<std::string> unusable = {
      "",  // no file at all
      "[DefaultObjects]\r\nObjectsCount=0\r\nObject1=Play\r\n",
      "[DefaultObjects]\r\nObjectsCount=2\r\nObject1=\r\nObject2=  \r\n",
      "[DefaultObjects]\r\nObjectsCount=1\r\nObject1=Play\r\nType1=\r\n",
      "[Containers]\r\nContainersCount=1\r\nContainer1=MainWindow\r\n",
  };
  for (const std::string& ini : unusable) {
    ::DeleteFileA(iniPath.c_str());
    if (!ini.empty()) {
      ASSERT_TRUE(WriteTextFile(iniPath, ini));
    }
    EXPECT_FALSE(OpenFrame()) << ini;
  }
  EXPECT_TRUE(prompts.messages.empty()) << "the editor ends without a word";
}

TEST_F(FrameStartTest, EmptyContainerListStillStartsWithNewContainerDisabled) {
  ASSERT_TRUE(WriteTextFile(iniPath, "[DefaultObjects]\r\nObjectsCount=1\r\nObject1=Play\r\n"));
  ASSERT_TRUE(OpenFrame());
  EXPECT_EQ(frame->GetConfiguration().DefaultObjects().size(), 1u);
  EXPECT_FALSE(Enabled(ID_INSERT_NEWCONTAINER));
}

TEST(EditorAppTest, OpensTheFrameAndExitEndsTheProgramWithoutAsking) {
  AnsweringPrompts prompts;
  SetModalPrompts(&prompts);
  // The application reads the configuration beside the program; a build
  // that copied none gets the standard one for the length of the test.
  const std::string iniPath = ProfileFile::EditorConfigurationPath();
  const bool ownIni = ::GetFileAttributesA(iniPath.c_str()) == INVALID_FILE_ATTRIBUTES;
  if (ownIni) {
    ASSERT_TRUE(WriteTextFile(iniPath, StandardIni()));
  }
  CQorvaEditorApp app;
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(app.GetRegistryKey(), "Local AppWizard-Generated Applications");
  CMainFrame* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->IsWindowVisible());
  EXPECT_EQ(frame->GetWindowText(), "QorvaEditor");
  EXPECT_EQ(frame->GetTreeCtrl().GetItemText(frame->GetTreeCtrl().GetRootItem()), "MainWindow");

  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
  bool quit = false;
  MSG msg;
  for (int round = 0; round < 100 && !quit; ++round) {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT)
        quit = true;
      else
        app.ProcessMessage(msg);
    }
    if (!quit) ::Sleep(10);
  }
  EXPECT_TRUE(quit);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_TRUE(prompts.messages.empty());
  if (ownIni) ::DeleteFileA(iniPath.c_str());
  SetModalPrompts(nullptr);
}

// --- Open ------------------------------------------------------------------

using FrameOpenTest = FrameFixture;

TEST_F(FrameOpenTest, OpenListsTheSkinAddsMainWindowAndTakesTheMenuContainerOut) {
  const std::string path = folder.File("no_main.skin");
  ASSERT_TRUE(WriteSkinWithoutMainWindow(path));
  ASSERT_TRUE(OpenFrame());
  Select("MainWindow");

  OpenFile(path);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_TRUE(prompts.asked[0].open);
  EXPECT_EQ(prompts.asked[0].filter, "");
  EXPECT_EQ(prompts.asked[0].defaultExt, "");
  EXPECT_EQ(TreeText(), "Playlist(Play,List,Newer) MainWindow()");
  EXPECT_EQ(ItemImage(FindItem("Play")), 2);
  EXPECT_EQ(ItemImage(FindItem("List")), 3);
  EXPECT_EQ(ItemImage(FindItem("Newer")), SkinObjectKind::kUnknownKindTreeImage);
  EXPECT_EQ(TheSkin().filePath, path);
  ASSERT_EQ(TheSkin().containers.size(), 2u);
  EXPECT_EQ(TheSkin().FindContainer("QMenu"), nullptr);
  ASSERT_EQ(frame->GetMenuContainer().objects.size(), 2u);
  EXPECT_EQ(frame->GetMenuContainer().objects[1]->name, "Arrow");
  EXPECT_EQ(frame->GetMenuContainer().name, "QMenu") << "the editor's spelling, for the next save";
  EXPECT_EQ(Shown(), nullptr);
  EXPECT_TRUE(prompts.messages.empty());

  // Cancelling the dialog changes nothing.
  prompts.fileAnswers = {""};
  Command(ID_FILE_OPEN);
  EXPECT_EQ(TreeText(), "Playlist(Play,List,Newer) MainWindow()");
}

TEST_F(FrameOpenTest, NewKeepsPathAndMenuContainer) {
  const std::string path = folder.File("no_main.skin");
  ASSERT_TRUE(WriteSkinWithoutMainWindow(path));
  ASSERT_TRUE(OpenFrame());
  OpenFile(path);
  Select("Play");
  ASSERT_NE(Shown(), nullptr);

  Command(ID_FILE_NEW);
  EXPECT_EQ(TreeText(), "MainWindow()");
  EXPECT_EQ(Shown(), nullptr);
  EXPECT_EQ(TheSkin().filePath, path);
  EXPECT_EQ(frame->GetMenuContainer().objects.size(), 2u);
}

TEST_F(FrameOpenTest, FailedOpenStartsANewSkinThenNamesThePath) {
  const std::vector<std::string> unreadable = {"garbage.skin", "missing.skin", ""};
  ASSERT_TRUE(WriteTextFile(folder.File("garbage.skin"), "not a skin file"));
  ASSERT_TRUE(OpenFrame());
  for (const std::string& name : unreadable) {
    const std::string path = name.empty() ? folder.Path() : folder.File(name);
    std::string treeAtMessage;
    prompts.messages.clear();
    prompts.onMessage = [&] { treeAtMessage = TreeText(); };
    ASSERT_TRUE(WriteSkinWithoutMainWindow(folder.File("good.skin")));
    OpenFile(folder.File("good.skin"));
    ASSERT_EQ(TreeText(), "Playlist(Play,List,Newer) MainWindow()");

    OpenFile(path);
    ASSERT_EQ(prompts.messages.size(), 1u) << path;
    EXPECT_EQ(prompts.messages[0].text, path + "\nQorvaEditor cannot read this file.");
    EXPECT_EQ(prompts.messages[0].caption, "QorvaEditor");
    EXPECT_EQ(treeAtMessage, "MainWindow()") << "New runs before the message";
    EXPECT_EQ(TreeText(), "MainWindow()");
    EXPECT_EQ(Shown(), nullptr);
  }
}

// --- Save ------------------------------------------------------------------

using FrameSaveTest = FrameFixture;

TEST_F(FrameSaveTest, SaveWritesTheMenuContainerLastAndBacksUpThePreviousFile) {
  const std::string path = folder.File("no_main.skin");
  ASSERT_TRUE(WriteSkinWithoutMainWindow(path));
  const std::string before = ReadFileBytes(path);
  ASSERT_TRUE(OpenFrame());
  OpenFile(path);

  Command(ID_FILE_SAVE);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(prompts.asked.size(), 1u) << "only Open asked for a file";
  EXPECT_EQ(ReadFileBytes(BackupPathOf(path)), before);
  EXPECT_EQ(TheSkin().containers.size(), 2u) << "the menu container is out again";

  Skin saved;
  ASSERT_TRUE(saved.Open(path));
  ASSERT_EQ(saved.containers.size(), 3u);
  EXPECT_EQ(saved.containers[0]->name, "Playlist");
  EXPECT_EQ(saved.containers[1]->name, "MainWindow");
  EXPECT_EQ(saved.containers[2]->name, "QMenu") << "written as the editor spells it";
  EXPECT_EQ(saved.containers[2]->objects.size(), 2u);
}

TEST_F(FrameSaveTest, SaveWithoutPathAsksAndSaveAfterNewGoesToTheSamePath) {
  ASSERT_TRUE(OpenFrame());
  const std::string path = folder.File("first.skin");
  prompts.fileAnswers = {path};
  Command(ID_FILE_SAVE);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_FALSE(prompts.asked[0].open);
  EXPECT_EQ(prompts.asked[0].filter, "");
  EXPECT_EQ(prompts.asked[0].defaultExt, "");
  EXPECT_EQ(TheSkin().filePath, path);
  EXPECT_EQ(::GetFileAttributesA(BackupPathOf(path).c_str()), INVALID_FILE_ATTRIBUTES)
      << "Save as makes no backup";
  const std::string first = ReadFileBytes(path);
  Skin saved;
  ASSERT_TRUE(saved.Open(path));
  ASSERT_EQ(saved.containers.size(), 2u);
  EXPECT_EQ(saved.containers[1]->name, "QMenu");

  Command(ID_FILE_NEW);
  Command(ID_FILE_SAVE);
  EXPECT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(ReadFileBytes(BackupPathOf(path)), first);

  // Save as never backs up, even over an existing file.
  prompts.fileAnswers = {path};
  ::DeleteFileA(BackupPathOf(path).c_str());
  Command(ID_FILE_SAVE_AS);
  EXPECT_EQ(::GetFileAttributesA(BackupPathOf(path).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(FrameSaveTest, FailedSaveShowsTheErrorAndLeavesTheOldFile) {
  const std::string path = folder.File("kept.skin");
  ASSERT_TRUE(WriteSkinWithoutMainWindow(path));
  const std::string before = ReadFileBytes(path);
  ASSERT_TRUE(OpenFrame());
  OpenFile(path);
  // A name the file format cannot hold makes the write fail halfway.
  TheSkin().containers[0]->AddObject(SkinObjectKind::kText, std::string(600, 'x'));

  Command(ID_FILE_SAVE);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "Can`t save the file.");
  EXPECT_EQ(prompts.messages[0].caption, "Error");
  EXPECT_EQ(prompts.messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(ReadFileBytes(path), before);
  EXPECT_EQ(TheSkin().containers.size(), 2u);
  EXPECT_EQ(frame->GetMenuContainer().objects.size(), 2u);

  // Targets that cannot be written at all: a folder, a missing folder.
  TheSkin().containers[0]->DeleteObject(TheSkin().containers[0]->objects.size() - 1);
  for (const std::string& target : {folder.Path(), folder.File("missing\\x.skin")}) {
    prompts.messages.clear();
    prompts.fileAnswers = {target};
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(prompts.messages.size(), 1u) << target;
    EXPECT_EQ(prompts.messages[0].text, "Can`t save the file.");
  }
  EXPECT_EQ(TheSkin().containers.size(), 2u);
  EXPECT_EQ(frame->GetMenuContainer().name, "QMenu");
}

}  // namespace
}  // namespace editor_test
