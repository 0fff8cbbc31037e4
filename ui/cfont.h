// CFont: owns one GDI font, in the framework's manner.
#pragma once

#include <windows.h>

class CFont {
 public:
  CFont() = default;
  ~CFont() { DeleteObject(); }
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  HFONT GetSafeHandle() const { return m_hObject; }
  operator HFONT() const { return m_hObject; }
  bool IsNull() const { return m_hObject == nullptr; }

  // Replaces the font held (the old one is deleted) by one made from font.
  bool CreateFontIndirect(const LOGFONTA* font);
  // The description of the font held; false without one.
  bool GetLogFont(LOGFONTA* font) const;
  bool DeleteObject();

 private:
  HFONT m_hObject = nullptr;
};
