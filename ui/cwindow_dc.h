// CWindowDC: the whole-window device context (frame included) of a window,
// GetWindowDC/ReleaseDC around the lifetime of the object.
#pragma once

#include <windows.h>

#include "ui/cdc.h"

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(HWND window) : m_hWnd(window) { m_hDC = ::GetWindowDC(window); }
  ~CWindowDC() override {
    if (m_hDC != nullptr) ::ReleaseDC(m_hWnd, m_hDC);
  }

 private:
  HWND m_hWnd;
};
