// Owner of one GDI font.
#pragma once

#include <windows.h>

namespace tvx {

class GdiFont {
 public:
  GdiFont() = default;
  ~GdiFont() { Reset(nullptr); }
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;

  void Reset(HFONT font) {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
  }
  HFONT get() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

}  // namespace tvx
