// The editor's real main frame in-process, for tests: a folder of its own
// for configuration and skin files, answered prompts (message boxes, file
// dialogs, resource dialogs) and scripted property dialogs.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "editor/main_frame.h"
#include "editor/object_dialogs.h"
#include "editor/resource.h"
#include "editor/skin_view.h"
#include "model/skin.h"
#include "ui/cdialog.h"
#include "ui/cfile_dialog.h"
#include "ui/ctree_ctrl.h"
#include "ui/cwin_app.h"
#include "ui/modal_prompts.h"

namespace editor_test {

struct ShownMessage {
  std::string text;
  std::string caption;
  UINT type;
};

struct AskedFile {
  bool open;
  std::string filter;
  std::string defaultExt;
  DWORD flags;
};

class AnsweringPrompts : public ModalPrompts {
 public:
  int ShowMessage(HWND, const std::string& text, const std::string& caption, UINT type) override {
    messages.push_back({text, caption, type});
    if (onMessage) onMessage();
    return IDOK;
  }
  // Answers with the next queued path; an empty path (or none) cancels.
  bool AskFileName(CFileDialog& dialog) override {
    asked.push_back({dialog.IsOpenDialog() != FALSE, dialog.GetFilter(), dialog.GetDefaultExt(),
                     dialog.GetFlags()});
    if (fileAnswers.empty()) return false;
    const std::string answer = fileAnswers.front();
    fileAnswers.erase(fileAnswers.begin());
    if (answer.empty()) return false;
    dialog.SetPathName(answer);
    return true;
  }
  void DialogShown(CDialog& dialog) override {
    shownDialogs.push_back(dialog.m_nIDTemplate);
    if (onDialog) onDialog(dialog);
  }

  std::vector<ShownMessage> messages;
  std::function<void()> onMessage;
  std::vector<std::string> fileAnswers;
  std::vector<AskedFile> asked;
  std::vector<UINT> shownDialogs;
  std::function<void(CDialog&)> onDialog;
};

// Records which dialog the frame opened and answers through the handlers
// that are set (unset ones report Cancel).
class ScriptedDialogs : public ObjectDialogs {
 public:
  using ObjectHandler = std::function<bool(SkinObject&)>;

  bool SkinButton(CWnd*, SkinObject& object, bool creating) override {
    return Answer(creating ? "SkinButton(create)" : "SkinButton(edit)", object);
  }
  bool SkinList(CWnd*, SkinObject& object) override { return Answer("SkinList", object); }
  bool SkinSlider(CWnd*, SkinObject& object) override { return Answer("SkinSlider", object); }
  bool SkinDrives(CWnd*, SkinObject& object) override { return Answer("SkinDrives", object); }
  bool SkinText(CWnd*, SkinObject& object) override { return Answer("SkinText", object); }
  bool SkinAnimation(CWnd*, SkinObject& object) override { return Answer("SkinAnimation", object); }
  bool SkinVUMeter(CWnd*, SkinObject& object) override { return Answer("SkinVUMeter", object); }
  bool Container(CWnd*, const SkinContainer* container, const Skin&,
                 const std::vector<std::string>& names, ContainerResult& result) override {
    calls.push_back(container == nullptr ? "Container(create)" : "Container(edit)");
    offeredNames = names;
    return onContainer ? onContainer(container, result) : false;
  }
  bool Region(CWnd*, const DibImage&, WindowRegion& shape) override {
    calls.push_back("Region");
    return onRegion ? onRegion(shape) : false;
  }
  bool SkinMenu(CWnd*, SkinContainer& menu) override {
    calls.push_back("SkinMenu");
    return onMenu ? onMenu(menu) : false;
  }

  std::vector<std::string> calls;
  ObjectHandler onObject;
  std::function<bool(const SkinContainer*, ContainerResult&)> onContainer;
  std::function<bool(WindowRegion&)> onRegion;
  std::function<bool(SkinContainer&)> onMenu;
  std::vector<std::string> offeredNames;

 private:
  bool Answer(const char* name, SkinObject& object) {
    calls.push_back(name);
    return onObject ? onObject(object) : false;
  }
};

// A folder under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    path_ = std::string(base) + "qorva_frame_" + std::to_string(::GetCurrentProcessId()) + "_" +
            std::to_string(++counter);
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() { Remove(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string File(const std::string& name) const { return path_ + "\\" + name; }
  const std::string& Path() const { return path_; }

 private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string full = folder + "\\" + name;
        ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(full);
        } else {
          ::DeleteFileA(full.c_str());
        }
      } while (::FindNextFileA(search, &found));
      ::FindClose(search);
    }
    ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(folder.c_str());
  }

  std::string path_;
};

inline bool WriteTextFile(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

inline std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  std::fclose(file);
  return bytes;
}

// Configuration with two containers and one default object of each type
// name the editor knows.
inline const char* StandardIni() {
  return "[Containers]\r\nContainersCount=2\r\nContainer1=MainWindow\r\n"
         "Container2=PlaylistWindow\r\n"
         "[DefaultObjects]\r\nObjectsCount=5\r\n"
         "Object1=Play\r\nType1=Button\r\nObject2=Playlist\r\nType2=ListBox\r\n"
         "Object3=Volume\r\nType3=Slider\r\nObject4=Drives\r\nType4=DriveList\r\n"
         "Object5=Title\r\nType5=Text\r\n";
}

// Runs every queued message through the application as its loop would.
inline void PumpMessages(CWinApp& app) {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    app.ProcessMessage(msg);
  }
}

class FrameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetModalPrompts(&prompts);
    ASSERT_TRUE(WriteTextFile(iniPath, StandardIni()));
  }
  void TearDown() override {
    CloseFrame();
    SetModalPrompts(nullptr);
  }

  // Creates the frame over the configuration at iniPath; false when its
  // creation failed (the frame is gone then).
  bool OpenFrame() {
    frame = new CMainFrame;
    frame->SetConfigurationPath(iniPath);
    frame->SetObjectDialogs(&dialogs);
    if (!frame->LoadFrame(IDR_MAINFRAME)) {
      frame = nullptr;
      return false;
    }
    app.m_pMainWnd = frame;
    // Left hidden: Wine is slow to destroy shown windows without a window
    // manager.
    frame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages(app);
    return true;
  }
  void CloseFrame() {
    app.m_pMainWnd = nullptr;
    if (frame != nullptr) frame->DestroyWindow();
    frame = nullptr;
    PumpMessages(app);
  }

  void Command(UINT id) {
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages(app);
  }
  bool Enabled(UINT id) { return frame->IsCommandEnabled(id) != FALSE; }
  bool Checked(UINT id) {
    app.OnIdle(0);
    return frame->GetToolBar().SendMessage(TB_ISBUTTONCHECKED, id) != 0;
  }
  CTreeCtrl& Tree() { return frame->GetTreeCtrl(); }

  // "Container(Child,Child) Container()" in tree order.
  std::string TreeText() {
    std::string text;
    for (HTREEITEM root = Tree().GetRootItem(); root != nullptr;
         root = Tree().GetNextSiblingItem(root)) {
      if (!text.empty()) text += ' ';
      text += Tree().GetItemText(root) + "(";
      for (HTREEITEM child = Tree().GetChildItem(root); child != nullptr;
           child = Tree().GetNextSiblingItem(child)) {
        if (child != Tree().GetChildItem(root)) text += ',';
        text += Tree().GetItemText(child);
      }
      text += ")";
    }
    return text;
  }
  // First item (root or child) with this text.
  HTREEITEM FindItem(const std::string& text) {
    for (HTREEITEM root = Tree().GetRootItem(); root != nullptr;
         root = Tree().GetNextSiblingItem(root)) {
      if (Tree().GetItemText(root) == text) return root;
      for (HTREEITEM child = Tree().GetChildItem(root); child != nullptr;
           child = Tree().GetNextSiblingItem(child)) {
        if (Tree().GetItemText(child) == text) return child;
      }
    }
    return nullptr;
  }
  void Select(const std::string& text) {
    HTREEITEM item = FindItem(text);
    ASSERT_NE(item, nullptr) << text;
    Tree().SelectItem(item);
    PumpMessages(app);
  }
  int ItemImage(HTREEITEM item) {
    int image = -1, selected = -1;
    Tree().GetItemImage(item, image, selected);
    return image;
  }
  SkinContainer* Shown() { return frame->GetSkinView()->GetContainer(); }
  Skin& TheSkin() { return frame->GetSkin(); }

  // Opens path through the frame's Open command.
  void OpenFile(const std::string& path) {
    prompts.fileAnswers = {path};
    Command(ID_FILE_OPEN);
  }

  TempFolder folder;
  std::string iniPath = folder.File("QorvaEditor.INI");
  CWinApp app{"QorvaEditor"};
  AnsweringPrompts prompts;
  ScriptedDialogs dialogs;
  CMainFrame* frame = nullptr;
};

}  // namespace editor_test
