// Owner of one GDI brush.
#pragma once

#include <windows.h>

namespace tvx {

class GdiBrush {
 public:
  explicit GdiBrush(HBRUSH brush = nullptr) : brush_(brush) {}
  ~GdiBrush() {
    if (brush_ != nullptr) DeleteObject(brush_);
  }
  GdiBrush(const GdiBrush&) = delete;
  GdiBrush& operator=(const GdiBrush&) = delete;

  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

}  // namespace tvx
