#include "framework/korrab/korrab_app_win.h"

#include <commctrl.h>

#include <new>

namespace korrab {

KorrabApp* KorrabApp::Create() { return new (std::nothrow) KorrabApp(); }

int32_t KorrabApp::QueryInterface(const framework::Guid& interfaceId, void** object,
                                  int32_t addReference) {
  if (object == nullptr) return framework::kFailed;
  *object = nullptr;
  if (interfaceId != framework::kApplicationId) return framework::kNoInterface;
  *object = static_cast<framework::Application*>(this);
  if (addReference) AddRef();
  return framework::kOk;
}

int32_t KorrabApp::AddRef() { return ++references_; }

int32_t KorrabApp::Release() {
  const int32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

int32_t KorrabApp::Initialize(framework::ArgumentList*) {
  INITCOMMONCONTROLSEX classes = {sizeof(classes),
                                  ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  initialized_ = true;
  return framework::kOk;
}

bool KorrabApp::RouteDialogKeys(MSG* message) {
  if (message->hwnd == nullptr) return false;
  HWND root = GetAncestor(message->hwnd, GA_ROOT);
  if (root == nullptr || (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) == 0) {
    return false;
  }
  return IsDialogMessageW(root, message) != FALSE;
}

int32_t KorrabApp::Run() {
  if (!initialized_) return framework::kFailed;
  MSG message;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return framework::kOk;
    if (got == -1) return framework::kFailed;
    if (RouteDialogKeys(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int32_t KorrabApp::Shutdown() {
  initialized_ = false;
  return framework::kOk;
}

}  // namespace korrab
