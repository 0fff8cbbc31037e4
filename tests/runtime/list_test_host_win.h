// What the list, scroll bar and drive list tests share: a container window
// that records what its controls send and post to it, a message pump that
// offers keys to PreTranslateMessage as the editor's loop does, and real
// cursor placement (the controls read the cursor on their timers).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "runtime/skin_object_wnd.h"
#include "ui/cwnd.h"

namespace list_test {

// One message the host received from a control.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The container of the controls under test. It answers WM_GETFONT with the
// GUI font, so the controls take a real font from it.
class Host : public CWnd {
 public:
  bool Create(int width = 500, int height = 400) {
    if (!CreateEx(WS_EX_NOACTIVATE, nullptr, "list test host", WS_POPUP | WS_CLIPCHILDREN, 60, 60,
                  width, height, nullptr, nullptr))
      return false;
    ShowWindow(SW_SHOWNOACTIVATE);
    return true;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (message == WM_SKINPAINTQUERY) return 0;
    if (IsRecorded(message)) {
      received.push_back(Received{message, wParam, lParam});
      if (onReceived) onReceived(received.back());
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  // Messages of one kind received so far.
  std::vector<Received> Of(UINT message) const {
    std::vector<Received> found;
    for (const Received& one : received)
      if (one.message == message) found.push_back(one);
    return found;
  }

  std::vector<Received> received;
  void (*onReceived)(const Received&) = nullptr;

 private:
  static bool IsRecorded(UINT message) {
    return message == WM_COMMAND || message == 0x05F4 || message == WM_RBUTTONUP ||
           message == WM_LBUTTONDOWN;
  }
};

// Dispatches everything waiting, keys through PreTranslateMessage first.
inline void PumpPending() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// Runs the message loop for about milliseconds (timers fire meanwhile).
inline void PumpFor(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    PumpPending();
    const DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= milliseconds) break;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
  PumpPending();
}

// Runs the loop until done() holds or the timeout passes; returns done().
template <typename Condition>
bool PumpUntil(Condition done, DWORD timeoutMilliseconds) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start >= timeoutMilliseconds) return done();
    PumpFor(5);
  }
  return true;
}

// Puts the real cursor on point (client coordinates of window).
inline ::testing::AssertionResult CursorAt(HWND window, POINT point) {
  ::ClientToScreen(window, &point);
  if (!::SetCursorPos(point.x, point.y)) return ::testing::AssertionFailure() << "SetCursorPos";
  POINT now;
  ::GetCursorPos(&now);
  if (now.x != point.x || now.y != point.y)
    return ::testing::AssertionFailure() << "cursor at " << now.x << "," << now.y;
  return ::testing::AssertionSuccess();
}

inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Rectangle of child in the client coordinates of its parent.
inline RECT ChildRect(HWND child) {
  RECT rect;
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace list_test
