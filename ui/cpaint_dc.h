// CPaintDC: BeginPaint/EndPaint around the lifetime of the object.
#pragma once

#include "ui/cdc.h"

class CWnd;

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps = {};

 private:
  HWND m_hWnd = nullptr;
};
