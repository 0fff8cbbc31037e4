// CRect: a RECT with the framework's helpers (right and bottom exclusive).
#pragma once

#include <windows.h>

#include "ui/cpoint.h"
#include "ui/csize.h"

class CRect : public tagRECT {
 public:
  CRect() { SetRectEmpty(); }
  CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
  CRect(const RECT& other) { SetRect(other.left, other.top, other.right, other.bottom); }
  CRect(POINT topLeft, SIZE size) {
    SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy);
  }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  bool IsRectEmpty() const { return ::IsRectEmpty(this) != FALSE; }
  bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool PtInRect(POINT point) const { return ::PtInRect(this, point) != FALSE; }

  void SetRect(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  void OffsetRect(POINT by) { OffsetRect(by.x, by.y); }
  void InflateRect(int dx, int dy) {
    left -= dx;
    right += dx;
    top -= dy;
    bottom += dy;
  }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void NormalizeRect() {
    if (left > right) {
      int t = left;
      left = right;
      right = t;
    }
    if (top > bottom) {
      int t = top;
      top = bottom;
      bottom = t;
    }
  }
  bool IntersectRect(const RECT& a, const RECT& b) {
    return ::IntersectRect(this, &a, &b) != FALSE;
  }
  bool UnionRect(const RECT& a, const RECT& b) { return ::UnionRect(this, &a, &b) != FALSE; }

  bool operator==(const RECT& other) const { return ::EqualRect(this, &other) != FALSE; }
  bool operator!=(const RECT& other) const { return !(*this == other); }
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
};
