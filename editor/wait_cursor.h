// WaitCursor: shows the hourglass for the life of the object, then puts the
// previous cursor back.
#pragma once

#include <windows.h>

class WaitCursor {
 public:
  WaitCursor() : previous_(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { ::SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};
