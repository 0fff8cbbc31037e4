// TKorrabApp, the framework's application object: common controls set up
// once, and the message loop that runs the windows until the last one ends
// it (WM_QUIT). Keyboard messages of top-level windows that take part in
// dialog navigation (WS_EX_CONTROLPARENT) go through IsDialogMessage, so Tab,
// arrow keys in groups, mnemonics, Enter and Escape work in them as in a
// dialog.
#pragma once

#include <windows.h>

#include <atomic>

#include "framework/interfaces.h"

namespace korrab {

class KorrabApp final : public framework::Application {
 public:
  // One reference for the caller, or null.
  static KorrabApp* Create();

  int32_t FRAMEWORK_CALL QueryInterface(const framework::Guid& interfaceId, void** object,
                                        int32_t addReference) override;
  int32_t FRAMEWORK_CALL AddRef() override;
  int32_t FRAMEWORK_CALL Release() override;

  // The arguments are not used (the installer passes none).
  int32_t FRAMEWORK_CALL Initialize(framework::ArgumentList* arguments) override;
  // kOk when the loop ended with WM_QUIT; kFailed before Initialize or when
  // the message queue fails.
  int32_t FRAMEWORK_CALL Run() override;
  int32_t FRAMEWORK_CALL Shutdown() override;

  // One message through the dialog keys of its top-level window; true when
  // it was handled there and must not be dispatched.
  static bool RouteDialogKeys(MSG* message);

 private:
  KorrabApp() = default;
  ~KorrabApp() = default;

  std::atomic<int32_t> references_{1};
  bool initialized_ = false;
};

}  // namespace korrab
