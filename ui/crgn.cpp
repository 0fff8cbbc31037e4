#include "ui/crgn.h"

void CRgn::Attach(HRGN region) {
  DeleteObject();
  m_hObject = region;
}

HRGN CRgn::Detach() {
  HRGN region = m_hObject;
  m_hObject = nullptr;
  return region;
}

bool CRgn::DeleteObject() {
  if (m_hObject == nullptr) return false;
  ::DeleteObject(m_hObject);
  m_hObject = nullptr;
  return true;
}

bool CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
  Attach(::CreateRectRgn(left, top, right, bottom));
  return m_hObject != nullptr;
}

bool CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  Attach(::CreatePolygonRgn(points, count, fillMode));
  return m_hObject != nullptr;
}

int CRgn::CombineRgn(const CRgn* first, const CRgn* second, int mode) {
  return ::CombineRgn(m_hObject, first ? first->m_hObject : nullptr,
                      second ? second->m_hObject : nullptr, mode);
}

int CRgn::CopyRgn(const CRgn* source) {
  return ::CombineRgn(m_hObject, source->m_hObject, nullptr, RGN_COPY);
}

int CRgn::GetRegionData(LPRGNDATA data, int size) const {
  return static_cast<int>(::GetRegionData(m_hObject, static_cast<DWORD>(size), data));
}

bool CRgn::PtInRegion(int x, int y) const {
  return m_hObject != nullptr && ::PtInRegion(m_hObject, x, y) != FALSE;
}

bool CRgn::EqualRgn(const CRgn* other) const {
  return ::EqualRgn(m_hObject, other->m_hObject) != FALSE;
}

int CRgn::OffsetRgn(int dx, int dy) { return ::OffsetRgn(m_hObject, dx, dy); }

int CRgn::GetRgnBox(LPRECT rect) const { return ::GetRgnBox(m_hObject, rect); }
