// A designer's session end to end in the real frame: a skin packed by
// skintool from a folder is opened, edited through the commands, the
// Insert Object dialog and the mouse in the view, saved over itself and
// opened again; skintool's dump of the saved file is read back too.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "editor/shell_launcher.h"
#include "editor/skin_view.h"
#include "imaging/image_stream.h"
#include "model/container_block.h"
#include "model/object_block.h"
#include "model/skin_object_kind.h"
#include "runtime/skin_animation_wnd.h"
#include "runtime/skin_text_wnd.h"
#include "runtime/skin_vu_meter_wnd.h"
#include "runtime/wave_in_capture.h"
#include "tests/editor/frame_fixture_win.h"
#include "tests/support/test_images.h"
#include "tools/skintool/json_fields.h"
#include "tools/skintool/json_parser.h"
#include "tools/skintool/skin_tool.h"

namespace editor_test {
namespace {

constexpr RECT kPackedMovieArea = {40, 30, 140, 100};
constexpr int kDragX = 25;
constexpr int kDragY = 15;

bool WriteBmp(const std::string& path, int width, int height, RGBQUAD color) {
  DibImage image;
  if (!MakeFilledImage(image, width, height, 24, color)) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  ImageStream stream(file);
  const bool encoded = image.Encode(stream, DibImage::kFormatBmp);
  return std::fclose(file) == 0 && encoded;
}

std::string Hex(const BYTE* bytes, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (size_t i = 0; i < size; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

std::string ContainerJson(const std::string& name, const std::string& background,
                          const ContainerBlock& block, const std::string& objects) {
  return "{\"name\": \"" + name + "\", \"offset\": [0, 0], \"background\": " + background +
         ", \"region\": null, \"polygon\": [], \"block\": \"" +
         Hex(block.Bytes().data(), block.Bytes().size()) + "\", \"objects\": [" + objects + "]}";
}

std::string ObjectJson(const std::string& name, uint32_t kind, const RECT& position,
                       const std::string& images) {
  ObjectBlock block;
  block.SetPosition(position);
  return "{\"name\": \"" + name + "\", \"kind\": " + std::to_string(kind) +
         ", \"target\": \"\", \"visible\": 1, \"orientation\": 0, \"region\": null, "
         "\"polygon\": [], \"mouse\": [], \"block\": \"" +
         Hex(block.Bytes().data(), block.Bytes().size()) + "\", \"images\": [" + images + "]}";
}

// The designer's folder: MainWindow with a background, a button and a movie
// area that is off; PlaylistWindow with a list and no background.
bool WriteSkinFolder(const std::string& folder) {
  if (!::CreateDirectoryA(folder.c_str(), nullptr)) return false;
  if (!WriteBmp(folder + "\\background.bmp", 320, 200, Rgb(30, 60, 90)) ||
      !WriteBmp(folder + "\\close_up.bmp", 16, 12, Rgb(200, 20, 20))) {
    return false;
  }
  ContainerBlock mainBlock;
  mainBlock.SetMovieArea(kPackedMovieArea);
  const std::string close = ObjectJson("Close", SkinObjectKind::kButton, RECT{280, 8, 296, 20},
                                       "{\"file\": \"close_up.bmp\"}, null, null, null");
  const std::string tracks =
      ObjectJson("Tracks", SkinObjectKind::kListBox, RECT{10, 10, 150, 120}, "");
  const std::string json =
      "{\"containers\": [" +
      ContainerJson("MainWindow", "{\"file\": \"background.bmp\"}", mainBlock, close) + ", " +
      ContainerJson("PlaylistWindow", "null", ContainerBlock(), tracks) + "]}\n";
  return WriteTextFile(folder + "\\skin.json", json);
}

struct ObjectSeen {
  std::string name;
  uint32_t kind;
  uint32_t visible;
  bool operator==(const ObjectSeen& other) const {
    return name == other.name && kind == other.kind && visible == other.visible;
  }
};

void PrintTo(const ObjectSeen& object, std::ostream* out) {
  *out << object.name << "/kind " << object.kind << "/visible " << object.visible;
}

std::vector<ObjectSeen> ObjectsOf(const SkinContainer& container) {
  std::vector<ObjectSeen> seen;
  for (const auto& object : container.objects)
    seen.push_back({object->name, object->kind, object->visible});
  return seen;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class DesignerSessionTest : public FrameFixture {
 protected:
  // Packs the sample skin folder into a skin file at skinPath.
  ::testing::AssertionResult PackSample(const std::string& skinPath) {
    SkinTool packer;
    if (packer.Run({"pack", std::string(QORVA_TEST_DATA_DIR) + "/../samples/skins/media-player",
                    skinPath}) == SkinTool::kSuccess)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << packer.ErrorMessage();
  }

  // Chooses the entries with these texts in the real Insert Object dialog.
  void InsertObjects(const std::set<std::string>& wanted) {
    std::set<std::string> chosen;
    prompts.onDialog = [&](CDialog& dialog) {
      HWND list = ::GetDlgItem(dialog.GetSafeHwnd(), IDC_OBJECT_LIST);
      for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        char text[64] = {};
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&item));
        if (wanted.count(text) == 0) continue;
        ListView_SetItemState(list, i, LVIS_SELECTED, LVIS_SELECTED);
        chosen.insert(text);
      }
      dialog.PostMessage(WM_COMMAND, IDOK);
    };
    Command(ID_INSERT_OBJECT);
    prompts.onDialog = nullptr;
    EXPECT_EQ(chosen, wanted) << "the dialog lists the configured objects";
  }

  // A left-button drag in the skin view between client points, with the
  // cursor where the view's hit test looks for it.
  void DragInView(CPoint from, CPoint to) {
    CSkinView* view = frame->GetSkinView();
    CPoint screen = from;
    view->ClientToScreen(&screen);
    ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    const CPoint half((from.x + to.x) / 2, (from.y + to.y) / 2);
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(half.x, half.y));
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    PumpMessages(app);
  }
};

TEST_F(DesignerSessionTest, PackedSkinIsEditedSavedAndReadBackWhole) {
  // 1. Pack the designer's folder and open the result.
  const std::string skinFolder = folder.File("designer_skin");
  ASSERT_TRUE(WriteSkinFolder(skinFolder));
  const std::string skinPath = folder.File("designer.skin");
  SkinTool packer;
  ASSERT_EQ(packer.Run({"pack", skinFolder, skinPath}), SkinTool::kSuccess)
      << packer.ErrorMessage();
  const std::string packed = ReadFileBytes(skinPath);
  ASSERT_FALSE(packed.empty());

  ASSERT_TRUE(OpenFrame());
  OpenFile(skinPath);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_TRUE(prompts.asked[0].open);
  ASSERT_TRUE(prompts.messages.empty()) << prompts.messages[0].text;
  EXPECT_EQ(TheSkin().filePath, skinPath);
  EXPECT_EQ(Shown(), nullptr);

  // 2. The tree lists both containers and their objects.
  ASSERT_EQ(TreeText(), "MainWindow(Close) PlaylistWindow(Tracks)");
  EXPECT_EQ(ItemImage(FindItem("Close")), 2);
  EXPECT_EQ(ItemImage(FindItem("Tracks")), 3);
  SkinContainer* mainWindow = TheSkin().FindContainer("MainWindow");
  SkinContainer* playlist = TheSkin().FindContainer("PlaylistWindow");
  ASSERT_NE(mainWindow, nullptr);
  ASSERT_NE(playlist, nullptr);
  EXPECT_EQ(mainWindow->background.Width(), 320);
  EXPECT_EQ(mainWindow->background.Height(), 200);
  EXPECT_EQ(playlist->background.Width(), 0);

  // 3. Insert a button and a list from the configured objects.
  Select("MainWindow");
  EXPECT_EQ(Shown(), mainWindow);
  EXPECT_EQ(frame->GetSkinView()->LiveControlCount(), 1u);
  InsertObjects({"Play", "Playlist"});
  EXPECT_EQ(TreeText(), "MainWindow(Close,Play,Playlist) PlaylistWindow(Tracks)");
  EXPECT_EQ(ObjectsOf(*mainWindow),
            (std::vector<ObjectSeen>{{"Close", SkinObjectKind::kButton, 1},
                                     {"Play", SkinObjectKind::kButton, 1},
                                     {"Playlist", SkinObjectKind::kListBox, 0}}));
  EXPECT_EQ(Tree().GetSelectedItem(), FindItem("MainWindow"));
  EXPECT_EQ(frame->GetSkinView()->LiveControlCount(), 3u);

  // 4. Delete the inserted button.
  Select("Play");
  Command(ID_EDIT_DELETE);
  EXPECT_EQ(TreeText(), "MainWindow(Close,Playlist) PlaylistWindow(Tracks)");
  EXPECT_EQ(ObjectsOf(*mainWindow),
            (std::vector<ObjectSeen>{{"Close", SkinObjectKind::kButton, 1},
                                     {"Playlist", SkinObjectKind::kListBox, 0}}));
  EXPECT_EQ(frame->GetSkinView()->LiveControlCount(), 2u);

  // 5. Give the playlist window a background.
  const std::string newBackground = folder.File("playlist.bmp");
  ASSERT_TRUE(WriteBmp(newBackground, 37, 23, Rgb(10, 200, 10)));
  Select("Tracks");
  EXPECT_EQ(Shown(), playlist);
  prompts.fileAnswers = {newBackground};
  Command(ID_CONTAINER_LOADBITMAP);
  EXPECT_EQ(playlist->background.Width(), 37);
  EXPECT_EQ(playlist->background.Height(), 23);
  EXPECT_EQ(mainWindow->background.Width(), 320) << "only the selected container changes";
  EXPECT_TRUE(Enabled(ID_CONTAINER_WINDOWREGION));
  EXPECT_FALSE(Enabled(ID_VIEW_MOVIEAREA));

  // 6. Turn the movie area on and move it with the mouse.
  Select("MainWindow");
  ASSERT_EQ(Shown(), mainWindow);
  ASSERT_TRUE(Enabled(ID_VIEW_MOVIEAREA));
  EXPECT_FALSE(Checked(ID_VIEW_MOVIEAREA));
  Command(ID_VIEW_MOVIEAREA);
  EXPECT_TRUE(Checked(ID_VIEW_MOVIEAREA));
  ASSERT_TRUE(mainWindow->block.MovieAreaOn());
  ASSERT_EQ(frame->GetSkinView()->GetScrollPosition(), CPoint(0, 0));
  const CPoint inside(90, 65);
  DragInView(inside, CPoint(inside.x + kDragX, inside.y + kDragY));
  const RECT moved = {kPackedMovieArea.left + kDragX, kPackedMovieArea.top + kDragY,
                      kPackedMovieArea.right + kDragX, kPackedMovieArea.bottom + kDragY};
  EXPECT_TRUE(SameRect(mainWindow->block.MovieArea(), moved))
      << Describe(mainWindow->block.MovieArea());

  // 7. Save over the opened file: the previous file becomes the backup.
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(prompts.asked.size(), 2u) << "Save asks for no file";
  EXPECT_TRUE(ReadFileBytes(skinPath + ".bak") == packed) << "the backup is the packed file";
  EXPECT_TRUE(ReadFileBytes(skinPath) != packed) << "the edits were written";

  // Everything comes back in a fresh frame.
  CloseFrame();
  ASSERT_TRUE(OpenFrame());
  OpenFile(skinPath);
  ASSERT_TRUE(prompts.messages.empty()) << prompts.messages[0].text;
  EXPECT_EQ(TreeText(), "MainWindow(Close,Playlist) PlaylistWindow(Tracks)");
  mainWindow = TheSkin().FindContainer("MainWindow");
  playlist = TheSkin().FindContainer("PlaylistWindow");
  ASSERT_EQ(TheSkin().containers.size(), 2u) << "the menu container is not listed";
  ASSERT_NE(mainWindow, nullptr);
  ASSERT_NE(playlist, nullptr);
  ASSERT_EQ(ObjectsOf(*mainWindow),
            (std::vector<ObjectSeen>{{"Close", SkinObjectKind::kButton, 1},
                                     {"Playlist", SkinObjectKind::kListBox, 0}}));
  ASSERT_EQ(ObjectsOf(*playlist),
            (std::vector<ObjectSeen>{{"Tracks", SkinObjectKind::kListBox, 1}}));
  // The live Close button wrote its window rectangle back before the save,
  // and the rectangles came through the reopening unchanged.
  const RECT closeAt = mainWindow->objects[0]->block.Position();
  EXPECT_EQ(closeAt.left, 280);
  EXPECT_EQ(closeAt.top, 8);
  EXPECT_TRUE(SameRect(playlist->objects[0]->block.Position(), RECT{10, 10, 150, 120}))
      << Describe(playlist->objects[0]->block.Position());
  EXPECT_EQ(mainWindow->background.Width(), 320);
  EXPECT_EQ(playlist->background.Width(), 37);
  EXPECT_EQ(playlist->background.Height(), 23);
  EXPECT_TRUE(mainWindow->block.MovieAreaOn());
  EXPECT_TRUE(SameRect(mainWindow->block.MovieArea(), moved))
      << Describe(mainWindow->block.MovieArea());
  Select("MainWindow");
  EXPECT_TRUE(Checked(ID_VIEW_MOVIEAREA));

  // skintool sees the same file: both containers, then the menu container
  // that Save writes last.
  SkinTool dumper;
  ASSERT_EQ(dumper.Run({"dump", skinPath}), SkinTool::kSuccess) << dumper.ErrorMessage();
  JsonParser parser;
  Json dump;
  ASSERT_TRUE(parser.Parse(dumper.Output(), dump)) << parser.Error();
  const Json& containers = JsonFields::Member(dump, "containers");
  ASSERT_TRUE(containers.is_array());
  std::vector<std::string> names;
  std::vector<size_t> objectCounts;
  for (const Json& container : containers) {
    std::string name;
    const Json& objects = JsonFields::Member(container, "objects");
    ASSERT_TRUE(JsonFields::GetLatin1(JsonFields::Member(container, "name"), name));
    ASSERT_TRUE(objects.is_array());
    names.push_back(name);
    objectCounts.push_back(objects.size());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"MainWindow", "PlaylistWindow", "QMenu"}));
  EXPECT_EQ(objectCounts, (std::vector<size_t>{2, 1, 0}));
  ASSERT_GE(containers.size(), 2u);
  const Json& background = JsonFields::Member(containers[1], "background");
  ASSERT_TRUE(background.is_object());
  int64_t width = 0;
  ASSERT_TRUE(JsonFields::Has(background, "width"));
  EXPECT_TRUE(JsonFields::GetInt(JsonFields::Member(background, "width"), 0, 1000, width));
  EXPECT_EQ(width, 37);
}

// Records what a click on a shortcut would open.
class RecordingLauncher : public ShellLauncher {
 public:
  void Open(HWND, const std::string& target) override { opened.push_back(target); }
  std::vector<std::string> opened;
};

// The live window of the object at position in the shown container: the view
// makes its children in object order, windowless objects left out, so the
// window is found by the object's stored rectangle.
HWND LiveWindowAt(CSkinView& view, const RECT& position) {
  const CPoint scroll = view.GetScrollPosition();
  for (HWND child = ::GetWindow(view.GetSafeHwnd(), GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, view.GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    if (rect.left + scroll.x == position.left && rect.top + scroll.y == position.top) return child;
  }
  return nullptr;
}

// The sample skin as a designer meets it: packed, opened, its controls live
// at their places; one moved with the right mouse button and saved; a click
// on the Help shortcut opens its target.
TEST_F(DesignerSessionTest, SampleSkinComesAliveMovesAndKeepsTheNewPosition) {
  const std::string skinPath = folder.File("media-player.skin");
  ASSERT_TRUE(PackSample(skinPath));
  RecordingLauncher launcher;
  SetShellLauncher(&launcher);
  ASSERT_TRUE(OpenFrame());
  OpenFile(skinPath);
  ASSERT_TRUE(prompts.messages.empty());
  Select("MainWindow");
  SkinContainer* mainWindow = Shown();
  ASSERT_NE(mainWindow, nullptr);
  CSkinView& view = *frame->GetSkinView();
  EXPECT_EQ(view.LiveControlCount(), mainWindow->objects.size());

  // Every button and the shortcut stands where its object says.
  SkinObject* play = nullptr;
  SkinObject* help = nullptr;
  for (const auto& object : mainWindow->objects) {
    if (object->kind != SkinObjectKind::kButton && object->kind != SkinObjectKind::kShortcut)
      continue;
    EXPECT_NE(LiveWindowAt(view, object->block.Position()), nullptr) << object->name;
    if (object->name == "Play") play = object.get();
    if (object->name == "Help") help = object.get();
  }
  ASSERT_NE(play, nullptr);
  ASSERT_NE(help, nullptr);
  const RECT playAt = play->block.Position();

  // Right-drag Play by (12, -7).
  HWND playWindow = LiveWindowAt(view, playAt);
  ASSERT_NE(playWindow, nullptr);
  ::SendMessageA(playWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  ::SendMessageA(playWindow, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(10 + 12, 10 - 7));
  ::SendMessageA(playWindow, WM_RBUTTONUP, 0, MAKELPARAM(22, 3));
  PumpMessages(app);

  // A click on Help reaches the shell seam with its target.
  HWND helpWindow = LiveWindowAt(view, help->block.Position());
  ASSERT_NE(helpWindow, nullptr);
  ::SendMessageA(helpWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
  ::SendMessageA(helpWindow, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
  PumpMessages(app);
  EXPECT_EQ(launcher.opened, std::vector<std::string>{help->shortcutTarget});
  SetShellLauncher(nullptr);

  Command(ID_FILE_SAVE);
  ASSERT_TRUE(prompts.messages.empty()) << prompts.messages[0].text;
  CloseFrame();
  ASSERT_TRUE(OpenFrame());
  OpenFile(skinPath);
  SkinContainer* reopened = TheSkin().FindContainer("MainWindow");
  ASSERT_NE(reopened, nullptr);
  const SkinObject* moved = nullptr;
  for (const auto& object : reopened->objects)
    if (object->name == "Play") moved = object.get();
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->block.Position().left, playAt.left + 12);
  EXPECT_EQ(moved->block.Position().top, playAt.top - 7);
}

// The live control of the sample's object `name`, as its runtime class.
template <typename Control>
Control* LiveControlOf(CSkinView& view, const SkinContainer& container, const char* name) {
  for (const auto& object : container.objects) {
    if (object->name != name) continue;
    HWND window = LiveWindowAt(view, object->block.Position());
    return window != nullptr ? dynamic_cast<Control*>(CWnd::FromHandlePermanent(window)) : nullptr;
  }
  return nullptr;
}

// The clock, the animation and the VU meter of the sample run on the canvas:
// the clock shows the time, the reel turns, the meter records and refreshes.
TEST_F(DesignerSessionTest, SampleSkinClockReelAndSpectrumRunLive) {
  const std::string skinPath = folder.File("media-player.skin");
  ASSERT_TRUE(PackSample(skinPath));
  ASSERT_TRUE(OpenFrame());
  OpenFile(skinPath);
  ASSERT_TRUE(prompts.messages.empty());
  Select("MainWindow");
  SkinContainer* mainWindow = Shown();
  ASSERT_NE(mainWindow, nullptr);
  CSkinView& view = *frame->GetSkinView();
  SkinTextWnd* clock = LiveControlOf<SkinTextWnd>(view, *mainWindow, "Clock");
  SkinAnimationWnd* reel = LiveControlOf<SkinAnimationWnd>(view, *mainWindow, "Reel");
  SkinVUMeterWnd* spectrum = LiveControlOf<SkinVUMeterWnd>(view, *mainWindow, "Spectrum");
  ASSERT_NE(clock, nullptr);
  ASSERT_NE(reel, nullptr);
  ASSERT_NE(spectrum, nullptr);
  EXPECT_EQ(spectrum->Mode(), SkinVUMeterWnd::kBars);
  EXPECT_EQ(spectrum->SegmentSize(), 256);
  EXPECT_EQ(spectrum->BarsCount(), 12);

  const int firstFrame = reel->CurrentFrame();
  const uint32_t transforms = spectrum->TransformsRun();
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 400) PumpMessages(app);
  // "HH:MM:SS" of now.
  const std::string shown = clock->GetText();
  ASSERT_EQ(shown.size(), 8u) << shown;
  EXPECT_EQ(shown[2], ':');
  EXPECT_EQ(shown[5], ':');
  EXPECT_TRUE(reel->IsPlaying());
  EXPECT_NE(reel->CurrentFrame(), firstFrame);
  // 25 ms ticks: well over five in 400 ms, with the session's device open.
  EXPECT_GT(spectrum->TransformsRun(), transforms + 5);
  EXPECT_TRUE(WaveInCapture::Instance().IsOpen());
}

}  // namespace
}  // namespace editor_test
