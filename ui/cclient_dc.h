// CClientDC: GetDC/ReleaseDC of a window's client area.
#pragma once

#include "ui/cdc.h"

class CWnd;

class CClientDC : public CDC {
 public:
  // nullptr gives the screen's device context.
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

 private:
  HWND m_hWnd = nullptr;
};
