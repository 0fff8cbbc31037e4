// What tvx.dll knows about its place in the process: its own module (its
// window classes are registered there) and the factory oxu handed it, through
// which it makes script contexts, values and image decoders of the other
// libraries.
#pragma once

#include <windows.h>

#include "framework/interfaces.h"

namespace tvx {

class TvxModule {
 public:
  // The module this code is linked into (tvx.dll, or a test program).
  static HINSTANCE Instance();

  static void SetFactory(framework::CreateInstanceFunction factory);
  // Null until oxu connected the library.
  static framework::CreateInstanceFunction Factory();

  // Registers the window classes once; false when the system refuses.
  static bool RegisterClasses(WNDPROC windowProcedure, WNDPROC imageProcedure);
  static void UnregisterClasses();

  static constexpr const wchar_t* kWindowClass = L"TvxWindow";
  static constexpr const wchar_t* kImageClass = L"TvxImage";
};

}  // namespace tvx
