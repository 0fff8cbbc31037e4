// tvx.dll with the framework's real libraries, all loaded through oxu.dll
// the way setup binds them: the markup's scripts run in planex, reach the
// controls by id and a global object by name, and the window runs in
// korrab's loop; its image is decoded by pixway. Skipped when a library is
// not built.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/interfaces.h"
#include "framework/pixway/pixway_interface.h"
#include "framework/tvx/markup_parser.h"
#include "tests/setup/memory_archive.h"

namespace {

std::wstring BinFolder() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A 2 x 1 PNG: one opaque red pixel, one fully transparent one.
const uint8_t kTinyPng[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D,
                            0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01,
                            0x08, 0x06, 0x00, 0x00, 0x00, 0xF4, 0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00,
                            0x0F, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0x00,
                            0x44, 0x0C, 0x0C, 0x00, 0x0C, 0xFC, 0x01, 0xFF, 0x5C, 0xFD, 0x14, 0x95,
                            0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

const char kMarkup[] = R"tvx(<tvx>
 <window name="install" type="WID_TVX_WINDOW" title="Real" width="300" height="200"
         onload="greeting.setText('Hello ' + typeof installer); this.setTitle('Loaded')">
  <script>
   var clicks = 0;
   function next() { clicks++; install.showPage('second'); path.setText('clicked ' + clicks); }
  </script>
  <image x="0" y="0" width="2" height="1" src="tiny.png"/>
  <page id="first">
   <text id="greeting" x="10" y="10" width="200" height="20">-</text>
   <button id="go" x="200" y="160" width="80" height="24" default="true"
           onclick="next()">&amp;Next</button>
  </page>
  <page id="second">
   <edit id="path" x="10" y="40" width="200" height="22"/>
   <button id="done" x="200" y="160" width="80" height="24" default="true"
           onclick="if (this.getText() === '&amp;Finish') install.close()">&amp;Finish</button>
  </page>
 </window>
</tvx>)tvx";

class TvxRealFramework : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring bin = BinFolder();
    for (const wchar_t* name :
         {L"oxu.dll", L"planex.dll", L"tvx.dll", L"korrab.dll", L"pixway.dll"}) {
      if (!Exists(bin + name)) GTEST_SKIP() << "not built yet";
    }
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    registrations_ = std::wstring(temp) + L"tvx_real_framework.conf";
    DeleteFileW(registrations_.c_str());
    SetEnvironmentVariableW(L"OXU_LIBRARY_PATH", registrations_.c_str());
    oxu_ = LoadLibraryExW((bin + L"oxu.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(oxu_, nullptr);
    factory_ = reinterpret_cast<framework::CreateInstanceFunction>(
        reinterpret_cast<void*>(GetProcAddress(oxu_, framework::kCreateInstanceExport)));
    ASSERT_NE(factory_, nullptr);
    ASSERT_EQ(factory_(&framework::kRegistrarClassId, &framework::kRegistrarId,
                       reinterpret_cast<void**>(&registrar_), nullptr),
              framework::kOk);
    registrar_->Initialize();
    for (const wchar_t* name : {L"planex.dll", L"pixway.dll", L"tvx.dll", L"korrab.dll"}) {
      ASSERT_EQ(registrar_->Register(framework::kRegisterLibrary, (bin + name).c_str(), 0, nullptr),
                0);
    }
  }
  void TearDown() override {
    if (registrar_ != nullptr) {
      registrar_->Shutdown();
      registrar_->Release();
    }
    if (oxu_ != nullptr) FreeLibrary(oxu_);
    if (!registrations_.empty()) DeleteFileW(registrations_.c_str());
  }
  template <typename Interface>
  Interface* Make(const framework::Guid& classId, const framework::Guid& interfaceId) {
    void* object = nullptr;
    if (framework::Failed(factory_(&classId, &interfaceId, &object, nullptr))) return nullptr;
    return static_cast<Interface*>(object);
  }

  std::wstring registrations_;
  HMODULE oxu_ = nullptr;
  framework::CreateInstanceFunction factory_ = nullptr;
  framework::Registrar* registrar_ = nullptr;
};

std::wstring Text(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

// korrab's loop over what is queued: the quit message only comes out once
// every other message has been handled.
void RunQueued(framework::Application* app) {
  PostQuitMessage(0);
  EXPECT_EQ(app->Run(), framework::kOk);
}

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text) {
  return FindWindowExW(parent, nullptr, className, text);
}

TEST_F(TvxRealFramework, ScriptsDriveTheWindowThroughTheRealEngine) {
  MemoryArchive archive;
  archive.Add("install_gui_tvx", std::vector<uint8_t>(kMarkup, kMarkup + sizeof(kMarkup) - 1));
  archive.Add("tiny.png", std::vector<uint8_t>(kTinyPng, kTinyPng + sizeof(kTinyPng)));

  auto* definitions = Make<framework::InterfaceDefinitionSet>(framework::kScriptClassId,
                                                              framework::kInterfaceDefinitionSetId);
  ASSERT_NE(definitions, nullptr);
  const framework::WindowSettings settings = {L"tahoma", 12, 1, 1, L"English"};
  wchar_t error[512] = L"";
  ASSERT_EQ(definitions->Load(&archive, "install_gui_tvx", &settings, error, 512), framework::kOk)
      << std::string(error, error + wcslen(error));
  framework::WindowDefinitions* windows = nullptr;
  ASSERT_EQ(definitions->QueryInterface(framework::kWindowDefinitionsId,
                                        reinterpret_cast<void**>(&windows), 1),
            framework::kOk);
  framework::Object* window = nullptr;
  ASSERT_EQ(windows->CreateWindowFromDefinition(framework::kTvxWindowTypeId, L"install", L"install",
                                                &window),
            framework::kOk);

  HWND frame = FindWindowW(L"TvxWindow", L"Loaded");  // onload ran with this = the window
  ASSERT_NE(frame, nullptr);
  // No "installer" object in this process: the scripts see it undefined.
  EXPECT_NE(FindChild(frame, L"Static", L"Hello undefined"), nullptr);

  auto* app =
      Make<framework::Application>(framework::kApplicationClassId, framework::kApplicationId);
  ASSERT_NE(app, nullptr);
  ASSERT_EQ(app->Initialize(nullptr), framework::kOk);
  HWND go = FindChild(frame, L"Button", L"&Next");
  HWND done = FindChild(frame, L"Button", L"&Finish");
  HWND path = FindChild(frame, L"Edit", nullptr);
  ASSERT_NE(go, nullptr);
  ASSERT_NE(done, nullptr);
  ASSERT_NE(path, nullptr);
  EXPECT_FALSE(IsWindowVisible(done));

  // Enter on the first page: next() switches the page and fills the edit.
  SetFocus(go);
  PostMessageW(go, WM_KEYDOWN, VK_RETURN, 1);
  RunQueued(app);
  EXPECT_TRUE(IsWindowVisible(done));
  EXPECT_FALSE(IsWindowVisible(go));
  EXPECT_EQ(Text(path), L"clicked 1");
  EXPECT_EQ(GetFocus(), done);
  // Enter on the second: Finish closes the window, which ends the loop.
  PostMessageW(done, WM_KEYDOWN, VK_RETURN, 1);
  RunQueued(app);
  EXPECT_FALSE(IsWindow(frame));

  app->Shutdown();
  app->Release();
  window->Release();
  windows->Release();
  definitions->Release();
  EXPECT_EQ(archive.open_buffers, 0);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  int c;
  while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
  std::fclose(file);
  return bytes;
}

// The sample installer's own window, walked through with the keyboard. Its
// "installer" object is missing here, so Install shows what it would call.
TEST_F(TvxRealFramework, TheSampleInstallerWindowGoesFromPageToPageWithEnter) {
  const std::string project = QORVA_TEST_DATA_DIR "/../samples/installer/";
  MemoryArchive archive;
  const std::vector<uint8_t> markupBytes = ReadFile(project + "install_gui_tvx");
  ASSERT_FALSE(markupBytes.empty());
  archive.Add("install_gui_tvx", markupBytes);
  for (const char* art : {"art/side.png", "art/logo.png", "art/header.bmp"}) {
    archive.Add(art, ReadFile(project + art));
  }
  tvx::MarkupParser parser(L"install_gui_tvx");
  tvx::Markup markup;
  ASSERT_TRUE(
      parser.Parse(reinterpret_cast<const char*>(markupBytes.data()), markupBytes.size(), &markup));
  const tvx::MarkupWindow& layout = *markup.FindWindowNamed(L"install");

  auto* definitions = Make<framework::InterfaceDefinitionSet>(framework::kScriptClassId,
                                                              framework::kInterfaceDefinitionSetId);
  ASSERT_NE(definitions, nullptr);
  wchar_t error[512] = L"";
  ASSERT_EQ(definitions->Load(&archive, "install_gui_tvx", nullptr, error, 512), framework::kOk)
      << std::string(error, error + wcslen(error));
  framework::WindowDefinitions* windows = nullptr;
  definitions->QueryInterface(framework::kWindowDefinitionsId, reinterpret_cast<void**>(&windows),
                              1);
  framework::Object* window = nullptr;
  ASSERT_EQ(windows->CreateWindowFromDefinition(framework::kTvxWindowTypeId, L"install", L"install",
                                                &window),
            framework::kOk);
  HWND frame = FindWindowW(L"TvxWindow", L"Qorva Setup");
  ASSERT_NE(frame, nullptr);
  auto control = [&](const wchar_t* id) {
    return GetDlgItem(frame, 1000 + layout.FindControl(id));
  };
  auto* app =
      Make<framework::Application>(framework::kApplicationClassId, framework::kApplicationId);
  ASSERT_EQ(app->Initialize(nullptr), framework::kOk);
  auto enter = [&]() {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    RunQueued(app);
  };

  EXPECT_TRUE(IsWindowVisible(control(L"welcomeNext")));
  EXPECT_EQ(GetFocus(), control(L"welcomeNext"));
  enter();
  EXPECT_TRUE(IsWindowVisible(control(L"path")));
  EXPECT_EQ(Text(control(L"path")), L"C:\\Program Files\\Qorva");
  EXPECT_EQ(GetFocus(), control(L"folderNext"));
  enter();
  EXPECT_TRUE(IsWindowVisible(control(L"typicalType")));
  EXPECT_FALSE(IsWindowEnabled(control(L"designer")));  // Typical: nothing to choose
  // Custom enables the choices; leaving out the designer takes its samples along.
  SendMessageW(control(L"customType"), BM_CLICK, 0, 0);
  RunQueued(app);
  EXPECT_TRUE(IsWindowEnabled(control(L"designer")));
  EXPECT_TRUE(IsWindowEnabled(control(L"samples")));
  SendMessageW(control(L"designer"), BM_CLICK, 0, 0);
  RunQueued(app);
  EXPECT_FALSE(IsWindowEnabled(control(L"samples")));
  EXPECT_EQ(SendMessageW(control(L"samples"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SetFocus(control(L"installButton"));
  enter();
  EXPECT_TRUE(IsWindowVisible(control(L"bar")));
  EXPECT_EQ(Text(control(L"status")),
            L"This setup cannot install yet. Install would call: "
            L"installer.SetInstallPath(\"C:\\\\Program Files\\\\Qorva\"); "
            L"installer.SelectPackageForInstall(\"docs\"); installer.InstallSelectedPackages().");
  enter();
  EXPECT_TRUE(IsWindowVisible(control(L"finishButton")));
  EXPECT_FALSE(IsWindowVisible(control(L"cancel")));
  enter();
  EXPECT_FALSE(IsWindow(frame));

  app->Shutdown();
  app->Release();
  window->Release();
  windows->Release();
  definitions->Release();
  EXPECT_EQ(archive.open_buffers, 0);
}

TEST_F(TvxRealFramework, PixwayDecodesThroughTheFactory) {
  auto* decoder = Make<pixway::ImageDecoder>(pixway::kImageDecoderClassId, pixway::kImageDecoderId);
  ASSERT_NE(decoder, nullptr);
  int32_t width = 0;
  int32_t height = 0;
  uint8_t* pixels = nullptr;
  ASSERT_EQ(decoder->Decode(kTinyPng, sizeof(kTinyPng), &width, &height, &pixels), framework::kOk);
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 1);
  const std::vector<uint8_t> got(pixels, pixels + 8);
  const std::vector<uint8_t> expected = {0, 0, 255, 255, 0, 0, 0, 0};
  EXPECT_EQ(got, expected);
  decoder->FreePixels(pixels);
  decoder->Release();
}

}  // namespace
