#include "ui/cclient_dc.h"

#include "ui/cwnd.h"

CClientDC::CClientDC(CWnd* window) : m_hWnd(window != nullptr ? window->GetSafeHwnd() : nullptr) {
  m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC() {
  if (m_hDC != nullptr) ::ReleaseDC(m_hWnd, m_hDC);
  m_hDC = nullptr;
}
