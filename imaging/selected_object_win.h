// SelectedObject: selects a GDI object into a device context and selects
// the previous one back when it goes, so a DC never leaves a function with
// one of our objects still in it (which would keep the object from being
// deleted). The object itself stays owned by its holder.
#pragma once

#include <windows.h>

class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc),
        previous_(dc != nullptr && object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

  // Whether the selection took place.
  bool IsSelected() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
