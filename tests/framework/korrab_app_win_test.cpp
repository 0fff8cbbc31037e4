// korrab's application object: its message loop runs until the quit
// message, and only windows that take part in dialog navigation get the
// dialog keys.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/korrab/korrab_app_win.h"

namespace {

int tabs_seen = 0;

LRESULT CALLBACK CountTabs(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_TAB) ++tabs_seen;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class KorrabAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW type = {};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"KorrabTestFrame";
    RegisterClassW(&type);
    app_ = korrab::KorrabApp::Create();
    ASSERT_NE(app_, nullptr);
  }
  void TearDown() override {
    if (frame_ != nullptr) DestroyWindow(frame_);
    EXPECT_EQ(app_->Release(), 0);
  }
  // A frame with two buttons; the second one counts the Tab keys it gets.
  void MakeFrame(DWORD exStyle) {
    frame_ =
        CreateWindowExW(exStyle, L"KorrabTestFrame", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                        0, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    first_ = CreateWindowExW(0, L"BUTTON", L"one", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20,
                             frame_, reinterpret_cast<HMENU>(101), nullptr, nullptr);
    second_ = CreateWindowExW(0, L"BUTTON", L"two", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 60, 0, 50,
                              20, frame_, reinterpret_cast<HMENU>(102), nullptr, nullptr);
    SetWindowLongPtrW(first_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountTabs));
  }
  MSG Tab() {
    MSG message = {};
    message.hwnd = first_;
    message.message = WM_KEYDOWN;
    message.wParam = VK_TAB;
    message.lParam = 1;
    return message;
  }

  korrab::KorrabApp* app_ = nullptr;
  HWND frame_ = nullptr;
  HWND first_ = nullptr;
  HWND second_ = nullptr;
};

TEST_F(KorrabAppTest, DialogKeysGoOnlyToWindowsThatNavigateLikeDialogs) {
  MakeFrame(WS_EX_CONTROLPARENT);
  SetFocus(first_);
  MSG tab = Tab();
  EXPECT_TRUE(korrab::KorrabApp::RouteDialogKeys(&tab));
  EXPECT_EQ(GetFocus(), second_);
  DestroyWindow(frame_);

  MakeFrame(0);
  SetFocus(first_);
  tab = Tab();
  EXPECT_FALSE(korrab::KorrabApp::RouteDialogKeys(&tab));
  EXPECT_EQ(GetFocus(), first_);
  MSG none = {};
  EXPECT_FALSE(korrab::KorrabApp::RouteDialogKeys(&none));  // thread messages
}

TEST_F(KorrabAppTest, TheLoopDispatchesUntilQuit) {
  MakeFrame(0);
  EXPECT_EQ(app_->Run(), framework::kFailed);  // not initialised
  ASSERT_EQ(app_->Initialize(nullptr), framework::kOk);
  tabs_seen = 0;
  PostMessageW(first_, WM_KEYDOWN, VK_TAB, 1);
  PostQuitMessage(0);
  EXPECT_EQ(app_->Run(), framework::kOk);
  EXPECT_EQ(tabs_seen, 1);  // dispatched to the window, not eaten
  EXPECT_EQ(app_->Shutdown(), framework::kOk);
  EXPECT_EQ(app_->Run(), framework::kFailed);
}

TEST_F(KorrabAppTest, AnswersOnlyTheApplicationInterface) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(app_->QueryInterface(framework::kValueId, &object, 1), framework::kNoInterface);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(app_->QueryInterface(framework::kApplicationId, &object, 1), framework::kOk);
  EXPECT_EQ(object, static_cast<framework::Application*>(app_));
  EXPECT_EQ(app_->Release(), 1);
}

}  // namespace
