// MovieArea: the movie area rectangle of the main window as the skin view
// shows and edits it: its eight handles, what lies under a point and how
// dragging a handle changes the rectangle.
//
// The rectangle comes straight from a container's property block, so it may
// be inverted or sit at the ends of the 32-bit range. The arithmetic runs in
// 64 bits and results saturate at the 32-bit limits: a side never wraps
// around to the other end of the range.
#pragma once

#include "imaging/win32_types.h"

class MovieArea {
 public:
  // What a point hits, numbered as the skin view reports it.
  static constexpr int kTopLeft = 0;
  static constexpr int kTopRight = 1;
  static constexpr int kBottomLeft = 2;
  static constexpr int kBottomRight = 3;
  static constexpr int kTopMiddle = 4;
  static constexpr int kLeftMiddle = 5;
  static constexpr int kBottomMiddle = 6;
  static constexpr int kRightMiddle = 7;
  static constexpr int kInside = 8;
  static constexpr int kNone = 9;
  static constexpr int kHandleCount = 8;

  // The smallest width and height the view leaves.
  static constexpr int kMinSize = 50;
  // Handles are squares of twice this size centred on their point.
  static constexpr int kHandleHalf = 3;

  explicit MovieArea(const RECT& rect) : rect_(rect) {}
  const RECT& Rect() const { return rect_; }

  // Makes the rectangle fit for showing: one without width and height
  // becomes the 50 x 50 square at the origin; otherwise a width or height
  // below 50 grows to 50 by moving the right or bottom side.
  void EnsureMinimumSize();

  // The centre of a handle (kTopLeft..kRightMiddle); middles use integer
  // halves truncated toward zero.
  POINT HandleCentre(int hit) const;
  // The handle's square (right and bottom exclusive).
  RECT HandleSquare(int hit) const;
  // The first handle whose square holds point, in the order top-left,
  // top-middle, top-right, left-middle, bottom-left, right-middle,
  // bottom-right, bottom-middle; then kInside; else kNone.
  int HitTest(POINT point) const;

  // One drag step of handle hit to point. The moved sides stay at least 50
  // pixels from their opposite sides; kInside moves the whole rectangle by
  // point - last (limited so that no side leaves the 32-bit range).
  void Drag(int hit, POINT point, POINT last);

 private:
  RECT rect_;
};
