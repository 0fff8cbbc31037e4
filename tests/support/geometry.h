// RECT and POINT values in one expression, for building test fixtures.
#pragma once

#include "imaging/win32_types.h"

inline RECT Rect(LONG left, LONG top, LONG right, LONG bottom) {
  RECT rect;
  rect.left = left;
  rect.top = top;
  rect.right = right;
  rect.bottom = bottom;
  return rect;
}

inline POINT Point(LONG x, LONG y) {
  POINT point;
  point.x = x;
  point.y = y;
  return point;
}
