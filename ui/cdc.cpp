#include "ui/cdc.h"

#include "ui/crgn.h"

void CDC::FillSolidRect(const RECT& rect, COLORREF color) {
  const COLORREF previous = ::SetBkColor(m_hDC, color);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, previous);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  FillSolidRect(CRect(x, y, x + cx, y + cy), color);
}

void CDC::FillRect(const RECT& rect, HBRUSH brush) { ::FillRect(m_hDC, &rect, brush); }

void CDC::DrawFocusRect(const RECT& rect) { ::DrawFocusRect(m_hDC, &rect); }

int CDC::SelectClipRgn(const CRgn* region) {
  return ::SelectClipRgn(m_hDC, region != nullptr ? region->GetSafeHandle() : nullptr);
}

int CDC::SelectClipRgn(const CRgn* region, int mode) {
  return ::ExtSelectClipRgn(m_hDC, region != nullptr ? region->GetSafeHandle() : nullptr, mode);
}

int CDC::ExcludeClipRect(const RECT& rect) {
  return ::ExcludeClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
}

int CDC::GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT previous = {0, 0};
  ::SetViewportOrgEx(m_hDC, x, y, &previous);
  return CPoint(previous);
}

CPoint CDC::GetViewportOrg() const {
  POINT origin = {0, 0};
  ::GetViewportOrgEx(m_hDC, &origin);
  return CPoint(origin);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }

COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }

COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }

int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

BOOL CDC::TextOut(int x, int y, const char* text, int length) {
  return ::TextOutA(m_hDC, x, y, text, length);
}

BOOL CDC::Rectangle(const RECT& rect) {
  return ::Rectangle(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
}

BOOL CDC::MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }

BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
