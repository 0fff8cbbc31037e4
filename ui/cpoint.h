// CPoint: a POINT with the framework's helpers.
#pragma once

#include <windows.h>

class CPoint : public tagPOINT {
 public:
  CPoint() {
    x = 0;
    y = 0;
  }
  CPoint(int initX, int initY) {
    x = initX;
    y = initY;
  }
  CPoint(POINT point) {
    x = point.x;
    y = point.y;
  }
  // Coordinates packed as in a mouse message's lParam (signed words).
  explicit CPoint(LPARAM packed) {
    x = static_cast<short>(LOWORD(packed));
    y = static_cast<short>(HIWORD(packed));
  }

  void Offset(int dx, int dy) {
    x += dx;
    y += dy;
  }
  void Offset(POINT by) {
    x += by.x;
    y += by.y;
  }
  bool operator==(POINT other) const { return x == other.x && y == other.y; }
  bool operator!=(POINT other) const { return !(*this == other); }
  CPoint& operator+=(POINT by) {
    Offset(by);
    return *this;
  }
  CPoint& operator-=(POINT by) {
    x -= by.x;
    y -= by.y;
    return *this;
  }
  CPoint operator+(POINT by) const { return CPoint(x + by.x, y + by.y); }
  CPoint operator-(POINT by) const { return CPoint(x - by.x, y - by.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
};
