#include "ui/cfont.h"

bool CFont::CreateFontIndirect(const LOGFONTA* font) {
  DeleteObject();
  if (font == nullptr) return false;
  m_hObject = ::CreateFontIndirectA(font);
  return m_hObject != nullptr;
}

bool CFont::GetLogFont(LOGFONTA* font) const {
  return m_hObject != nullptr && font != nullptr &&
         ::GetObjectA(m_hObject, sizeof(LOGFONTA), font) == static_cast<int>(sizeof(LOGFONTA));
}

bool CFont::DeleteObject() {
  if (m_hObject == nullptr) return false;
  const bool deleted = ::DeleteObject(m_hObject) != FALSE;
  m_hObject = nullptr;
  return deleted;
}
