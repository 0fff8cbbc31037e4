// CSize: a SIZE with the framework's helpers.
#pragma once

#include <windows.h>

class CSize : public tagSIZE {
 public:
  CSize() {
    cx = 0;
    cy = 0;
  }
  CSize(int initCX, int initCY) {
    cx = initCX;
    cy = initCY;
  }
  CSize(SIZE size) {
    cx = size.cx;
    cy = size.cy;
  }

  bool operator==(SIZE other) const { return cx == other.cx && cy == other.cy; }
  bool operator!=(SIZE other) const { return !(*this == other); }
  CSize operator+(SIZE other) const { return CSize(cx + other.cx, cy + other.cy); }
  CSize operator-(SIZE other) const { return CSize(cx - other.cx, cy - other.cy); }
};
