#include "ui/cpaint_dc.h"

#include "ui/cwnd.h"

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->GetSafeHwnd()) {
  m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  m_hDC = nullptr;
}
