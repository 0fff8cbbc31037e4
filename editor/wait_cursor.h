// WaitCursor: shows the hourglass for the life of the object, then puts the
// previous cursor back.
#pragma once

#include <windows.h>

class WaitCursor {
 public:
  WaitCursor() : m_previous(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { ::SetCursor(m_previous); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR m_previous;
};
