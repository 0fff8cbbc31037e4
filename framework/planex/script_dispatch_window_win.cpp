#include "framework/planex/script_dispatch_window_win.h"

#include <map>
#include <mutex>

#include "framework/planex/script_job_queue.h"

namespace {

constexpr wchar_t kClassName[] = L"PlanexScriptDispatch";
constexpr UINT kRunQueuedMessage = WM_APP + 0x51;

HINSTANCE instance_ = nullptr;
std::mutex mutex_;
std::map<std::thread::id, HWND> windows_;
bool registered_ = false;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunQueuedMessage) {
    ScriptJobQueue::Instance().RunPending();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

namespace script_dispatch_window {

void Start(HINSTANCE instance) { instance_ = instance; }

void PrepareThisThread() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (windows_.count(std::this_thread::get_id()) != 0) return;
  if (!registered_) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kClassName;
    registered_ = RegisterClassW(&windowClass) != 0;
    if (!registered_) return;
  }
  HWND window =
      CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr);
  if (window != nullptr) windows_[std::this_thread::get_id()] = window;
}

void Wake(std::thread::id home) {
  HWND window = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = windows_.find(home);
    if (found != windows_.end()) window = found->second;
  }
  if (window != nullptr) PostMessageW(window, kRunQueuedMessage, 0, 0);
}

void Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  auto own = windows_.find(std::this_thread::get_id());
  if (own != windows_.end()) {
    DestroyWindow(own->second);
    windows_.erase(own);
  }
  // Windows of other threads cannot be destroyed from here; with the class
  // still registered by them the unregistration fails harmlessly.
  if (windows_.empty() && registered_ && UnregisterClassW(kClassName, instance_)) {
    registered_ = false;
  }
}

}  // namespace script_dispatch_window
