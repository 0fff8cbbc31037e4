// tvx's windows as a user meets them: the markup loaded through the archive
// interface, the window built with its controls and pages, the keyboard
// (Tab, mnemonics, Enter, Escape) and the scripts' methods, with the script
// engine's library replaced by a double and the modal prompts answered here.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/korrab/korrab_app_win.h"
#include "framework/tvx/definition_set_win.h"
#include "framework/tvx/tvx_module_win.h"
#include "framework/tvx/tvx_window_win.h"
#include "tests/framework/tvx_script_engine_double.h"
#include "tests/setup/memory_archive.h"

namespace {

using tvx_double::Factory;

const char kMarkup[] = R"tvx(<?xml version="1.0" encoding="utf-8"?>
<tvx>
 <window name="install" type="WID_TVX_WINDOW" title="Sample Setup" width="420" height="300"
         onload="loaded()" cancelquestion="Really stop?">
  <script>function loaded() {}</script>
  <page id="welcome" onshow="welcomeShown()">
   <text x="10" y="10" width="300" height="20">Welcome</text>
   <button id="next" x="330" y="260" width="80" height="26" default="true"
           onclick="install.showPage('folder')">&amp;Next &gt;</button>
  </page>
  <page id="folder">
   <text x="10" y="10" width="100" height="20">&amp;Folder:</text>
   <edit id="path" x="10" y="34" width="300" height="22" onchange="pathChanged()"/>
   <folderpicker id="browse" x="320" y="34" width="90" height="22" target="path"
                 prompt="Choose the folder" onclick="picked()">B&amp;rowse...</folderpicker>
   <radio id="typical" group="kind" checked="true" x="10" y="70" width="200" height="20">&amp;Typical</radio>
   <radio id="custom" group="kind" x="10" y="92" width="200" height="20">&amp;Custom</radio>
   <checkbox id="docs" x="30" y="120" width="200" height="20" onclick="docsClicked()">&amp;Documents</checkbox>
   <progress id="bar" x="10" y="150" width="300" height="16"/>
   <button id="back" x="240" y="260" width="80" height="26" onclick="back()">&lt; &amp;Back</button>
   <button id="go" x="330" y="260" width="80" height="26" default="true"
           onclick="start()">&amp;Install</button>
  </page>
  <button id="cancel" x="10" y="260" width="80" height="26" onclick="cancel()">Cancel</button>
 </window>
 <window name="other" type="SOMETHING_ELSE" width="100" height="100"/>
</tvx>
)tvx";

std::vector<uint8_t> Bytes(const char* text) {
  return std::vector<uint8_t>(text, text + strlen(text));
}

bool answer_yes = false;
int asked = 0;
std::wstring asked_question;
bool AskDouble(HWND, const wchar_t* question, const wchar_t*) {
  ++asked;
  asked_question = question;
  return answer_yes;
}
std::wstring browse_start;
bool BrowseDouble(HWND, const wchar_t*, std::wstring* folder) {
  browse_start = *folder;
  *folder = L"C:\\Picked\\Folder";
  return true;
}

bool quit_posted = false;

// Delivers what is queued, the way the application's loop does, noting
// the quit message that ends the loop.
void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit_posted = true;
      continue;
    }
    if (korrab::KorrabApp::RouteDialogKeys(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A key as the loop receives it, sent to the focused control.
void Key(UINT message, WPARAM key) {
  MSG msg = {};
  msg.hwnd = GetFocus();
  msg.message = message;
  msg.wParam = key;
  msg.lParam = message == WM_SYSCHAR ? (1 << 29) | 1 : 1;
  if (!korrab::KorrabApp::RouteDialogKeys(&msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Pump();
}

class TvxWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Factory::Reset();
    tvx::TvxModule::SetFactory(&Factory::Create);
    tvx::TvxWindow::SetPrompts({&AskDouble, &BrowseDouble});
    answer_yes = false;
    asked = 0;
    quit_posted = false;
    archive_.Add("install_gui_tvx", Bytes(kMarkup));
    set_ = tvx::DefinitionSet::Create();
    const framework::WindowSettings settings = {L"tahoma", 12, 1, 1, L"English"};
    wchar_t error[256] = L"x";
    ASSERT_EQ(set_->Load(&archive_, "install_gui_tvx", &settings, error, 256), framework::kOk)
        << std::string(error, error + wcslen(error));
    EXPECT_STREQ(error, L"");
  }
  void TearDown() override {
    if (window_ != nullptr) {
      if (IsWindow(window_->hwnd())) DestroyWindow(window_->hwnd());
      window_->Release();
    }
    if (set_ != nullptr) set_->Release();
    Pump();
    Factory::Reset();
    tvx::TvxModule::SetFactory(nullptr);
    EXPECT_EQ(archive_.references, 0);
    EXPECT_EQ(archive_.open_buffers, 0);
    EXPECT_EQ(tvx::TvxWindow::LiveWindows(), 0);
  }
  void Open() {
    framework::Object* made = nullptr;
    ASSERT_EQ(set_->CreateWindowFromDefinition(framework::kTvxWindowTypeId, L"install", L"install",
                                               &made),
              framework::kOk);
    window_ = static_cast<tvx::TvxWindow*>(made);
    Pump();
  }
  int Control(const wchar_t* id) { return window_->markup().FindControl(id); }
  HWND Child(const wchar_t* id) { return window_->ControlWindow(Control(id)); }
  std::vector<std::wstring> Runs() {
    std::vector<std::wstring> scripts;
    for (const auto& run : Factory::last_context->runs) scripts.push_back(run.script);
    return scripts;
  }
  bool Ran(const std::wstring& script) {
    for (const auto& run : Factory::last_context->runs) {
      if (run.script == script) return true;
    }
    return false;
  }
  std::wstring Text(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
  }

  MemoryArchive archive_;
  tvx::DefinitionSet* set_ = nullptr;
  tvx::TvxWindow* window_ = nullptr;
};

TEST_F(TvxWindowTest, CreatesOnlyTheNamedWindowOfItsType) {
  framework::Object* window = nullptr;
  EXPECT_EQ(
      set_->CreateWindowFromDefinition(framework::kTvxWindowTypeId, L"nowhere", L"x", &window),
      framework::kNoSuchWindow);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(set_->CreateWindowFromDefinition(framework::kTvxWindowTypeId, L"other", L"x", &window),
            framework::kWindowTypeUnavailable);
  EXPECT_EQ(set_->CreateWindowFromDefinition(framework::kXmlDocumentId, L"install", L"x", &window),
            framework::kWindowTypeUnavailable);
  EXPECT_EQ(window, nullptr);
  // Without a script engine there is no window to run.
  tvx::TvxModule::SetFactory(nullptr);
  EXPECT_EQ(
      set_->CreateWindowFromDefinition(framework::kTvxWindowTypeId, L"install", L"x", &window),
      framework::kFailed);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(tvx::TvxWindow::LiveWindows(), 0);
  // And no stray quit message was left for the next message box.
  Pump();
  EXPECT_FALSE(quit_posted);
}

TEST_F(TvxWindowTest, LoadReportsAMissingEntryWithoutTextAndBadMarkupWithIt) {
  wchar_t error[256] = L"x";
  EXPECT_EQ(set_->Load(&archive_, "not_there", nullptr, error, 256), framework::kFailed);
  EXPECT_STREQ(error, L"");
  archive_.Add("bad", Bytes("<tvx><window name=\"w\"/></tvx>"));
  EXPECT_EQ(set_->Load(&archive_, "bad", nullptr, error, 256), framework::kFailed);
  EXPECT_STREQ(error, L"bad, line 1: <window> needs \"type\"\n");
  // A small buffer gets as much as fits, terminated.
  wchar_t small[5] = L"";
  EXPECT_EQ(set_->Load(&archive_, "bad", nullptr, small, 5), framework::kFailed);
  EXPECT_STREQ(small, L"bad,");
  // The markup loaded before stays usable.
  Open();
  EXPECT_NE(window_, nullptr);
}

TEST_F(TvxWindowTest, ShowsTheFirstPageWithItsDefaultButtonFocused) {
  Open();
  HWND frame = window_->hwnd();
  EXPECT_TRUE(IsWindowVisible(frame));
  EXPECT_EQ(Text(frame), L"Sample Setup");
  RECT client;
  GetClientRect(frame, &client);
  EXPECT_EQ(client.right, 420);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_TRUE(IsWindowVisible(Child(L"next")));
  EXPECT_TRUE(IsWindowVisible(Child(L"cancel")));  // on every page
  EXPECT_FALSE(IsWindowVisible(Child(L"path")));
  EXPECT_FALSE(IsWindowVisible(Child(L"go")));
  EXPECT_EQ(GetFocus(), Child(L"next"));
  EXPECT_EQ(SendMessageW(Child(L"next"), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON,
            DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(Text(Child(L"next")), L"&Next >");
  wchar_t className[32];
  GetClassNameW(Child(L"bar"), className, 32);
  EXPECT_STREQ(className, PROGRESS_CLASSW);
  // The script blocks ran, then the first page's onshow, then onload.
  const std::vector<std::wstring> expected = {L"function loaded() {}", L"welcomeShown()",
                                              L"loaded()"};
  EXPECT_EQ(Runs(), expected);
}

TEST_F(TvxWindowTest, EnterPressesThePageDefaultAndTheScriptSwitchesPages) {
  Open();
  Factory::last_context->runs.clear();
  Key(WM_KEYDOWN, VK_RETURN);
  ASSERT_EQ(Runs(), std::vector<std::wstring>{L"install.showPage('folder')"});
  EXPECT_EQ(Factory::last_context->runs[0].target, Factory::last_context->Named(L"next"));
  // The script's call, as the engine would make it.
  EXPECT_EQ(Factory::last_context->Call(L"install", L"showPage", {L"folder"}), framework::kOk);
  EXPECT_FALSE(IsWindowVisible(Child(L"next")));
  EXPECT_TRUE(IsWindowVisible(Child(L"path")));
  EXPECT_EQ(GetFocus(), Child(L"go"));  // the new page's default button
  EXPECT_EQ(SendMessageW(Child(L"go"), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON,
            DLGC_DEFPUSHBUTTON);
  Factory::last_context->runs.clear();
  Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(Runs(), std::vector<std::wstring>{L"start()"});
}

TEST_F(TvxWindowTest, TabMnemonicsAndRadioGroupsWorkFromTheKeyboard) {
  Open();
  window_->ShowPage(1);
  Pump();
  SetFocus(Child(L"path"));
  Key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), Child(L"browse"));
  Key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), Child(L"typical"));  // one stop for the whole group
  Key(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), Child(L"docs"));
  // Mnemonics: Alt+T checks Typical again after Custom, Alt+D clicks the box,
  // Alt+F puts the focus in the edit field after its label.
  SendMessageW(Child(L"custom"), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(SendMessageW(Child(L"typical"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Key(WM_SYSCHAR, 't');
  EXPECT_EQ(SendMessageW(Child(L"typical"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Child(L"custom"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Factory::last_context->runs.clear();
  Key(WM_SYSCHAR, 'd');
  EXPECT_EQ(SendMessageW(Child(L"docs"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(Ran(L"docsClicked()"));
  Key(WM_SYSCHAR, 'f');
  EXPECT_EQ(GetFocus(), Child(L"path"));
}

TEST_F(TvxWindowTest, TheFolderPickerFillsItsEditField) {
  Open();
  window_->ShowPage(1);
  SetWindowTextW(Child(L"path"), L"C:\\Start");
  Pump();
  Factory::last_context->runs.clear();
  SendMessageW(Child(L"browse"), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(browse_start, L"C:\\Start");
  EXPECT_EQ(Text(Child(L"path")), L"C:\\Picked\\Folder");
  const std::vector<std::wstring> expected = {L"pathChanged()", L"picked()"};
  EXPECT_EQ(Runs(), expected);
  // A script's own change of the text runs no change event.
  Factory::last_context->runs.clear();
  EXPECT_EQ(Factory::last_context->Call(L"path", L"setText", {L"D:\\Apps"}), framework::kOk);
  EXPECT_EQ(Text(Child(L"path")), L"D:\\Apps");
  EXPECT_TRUE(Runs().empty());
}

TEST_F(TvxWindowTest, ScriptMethodsChangeTheControls) {
  Open();
  auto& c = *Factory::last_context;
  window_->ShowPage(1);
  EXPECT_EQ(c.Call(L"custom", L"setChecked", {L"true"}), framework::kOk);
  EXPECT_EQ(SendMessageW(Child(L"typical"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(Child(L"custom"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(c.Call(L"bar", L"setValue", {L"250"}), framework::kOk);
  EXPECT_EQ(SendMessageW(Child(L"bar"), PBM_GETPOS, 0, 0), 100);  // clamped
  EXPECT_EQ(c.Call(L"bar", L"setValue", {L"42"}), framework::kOk);
  EXPECT_EQ(SendMessageW(Child(L"bar"), PBM_GETPOS, 0, 0), 42);
  EXPECT_EQ(c.Call(L"docs", L"enable", {L"false"}), framework::kOk);
  EXPECT_FALSE(IsWindowEnabled(Child(L"docs")));
  EXPECT_EQ(c.Call(L"docs", L"show", {L"false"}), framework::kOk);
  EXPECT_FALSE(IsWindowVisible(Child(L"docs")));
  window_->ShowPage(0);
  window_->ShowPage(1);
  EXPECT_FALSE(IsWindowVisible(Child(L"docs")));  // hidden by the script stays hidden
  EXPECT_EQ(c.Call(L"install", L"setTitle", {L"Installing"}), framework::kOk);
  EXPECT_EQ(Text(window_->hwnd()), L"Installing");
  // A hidden default button does not act on Enter.
  EXPECT_EQ(c.Call(L"go", L"show", {L"false"}), framework::kOk);
  c.runs.clear();
  SendMessageW(window_->hwnd(), WM_COMMAND,
               MAKEWPARAM(tvx::TvxWindow::kFirstControlId + Control(L"go"), BN_CLICKED),
               reinterpret_cast<LPARAM>(Child(L"go")));
  EXPECT_TRUE(c.runs.empty());
}

TEST_F(TvxWindowTest, EscapeClosesAnIdleWindowAndEndsTheLoop) {
  Open();
  HWND frame = window_->hwnd();
  Key(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(quit_posted);
  // The closed window's objects refuse the scripts that still hold them.
  EXPECT_EQ(Factory::last_context->Call(L"path", L"setText", {L"x"}), framework::kScriptCallFailed);
}

TEST_F(TvxWindowTest, ClosingABusyWindowAsksFirst) {
  Open();
  HWND frame = window_->hwnd();
  EXPECT_EQ(Factory::last_context->Call(L"install", L"setBusy", {L"true"}), framework::kOk);
  answer_yes = false;
  Key(WM_KEYDOWN, VK_ESCAPE);
  SendMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4 and the close box
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(asked_question, L"Really stop?");
  EXPECT_TRUE(IsWindow(frame));
  answer_yes = true;
  SendMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(frame));
  Pump();
}

TEST_F(TvxWindowTest, CancelFromAScriptAsksLikeEscape) {
  Open();
  HWND frame = window_->hwnd();
  auto& c = *Factory::last_context;
  EXPECT_EQ(c.Call(L"install", L"setBusy", {L"true"}), framework::kOk);
  EXPECT_EQ(c.Call(L"install", L"cancel", {}), framework::kOk);
  EXPECT_EQ(asked, 0);  // not inside the script
  Pump();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(IsWindow(frame));
  EXPECT_EQ(c.Call(L"install", L"setBusy", {L"false"}), framework::kOk);
  EXPECT_EQ(c.Call(L"install", L"cancel", {}), framework::kOk);
  Pump();
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(IsWindow(frame));
}

TEST_F(TvxWindowTest, CloseFromAScriptHappensAfterTheScript) {
  Open();
  HWND frame = window_->hwnd();
  EXPECT_EQ(Factory::last_context->Call(L"install", L"close", {}), framework::kOk);
  EXPECT_TRUE(IsWindow(frame));
  Pump();
  EXPECT_FALSE(IsWindow(frame));
  Pump();
}

TEST_F(TvxWindowTest, TheApplicationLoopRunsUntilTheWindowCloses) {
  Open();
  korrab::KorrabApp* app = korrab::KorrabApp::Create();
  EXPECT_EQ(app->Run(), framework::kFailed);  // not initialised
  ASSERT_EQ(app->Initialize(nullptr), framework::kOk);
  PostMessageW(window_->hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(app->Run(), framework::kOk);
  EXPECT_FALSE(IsWindow(window_->hwnd()));
  EXPECT_EQ(app->Shutdown(), framework::kOk);
  void* again = nullptr;
  EXPECT_EQ(app->QueryInterface(framework::kApplicationId, &again, 1), framework::kOk);
  EXPECT_EQ(again, static_cast<framework::Application*>(app));
  app->Release();
  EXPECT_EQ(app->Release(), 0);
}

}  // namespace
