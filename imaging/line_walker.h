// LineWalker: the points of a straight line in the order and with the choice
// of pixels that GDI's LineDDA reports them, so pictures drawn here match
// lines the platform walks. The end point is never given.
//
// Integer Bresenham walk: the coordinate that changes more ("major") steps by
// one each point; the other one steps when the error term is above zero.
// A line whose two extents are equal is walked along y.
#pragma once

#include <cstdint>

class LineWalker {
 public:
  LineWalker(int xStart, int yStart, int xEnd, int yEnd);

  // Gives the next point; false once every point before the end has been
  // given (at once for a line that starts at its end).
  bool Next(int& x, int& y);

 private:
  // 64-bit so that extents of the whole int range neither overflow nor wrap.
  int64_t x_;
  int64_t y_;
  int stepX_ = 1;
  int stepY_ = 1;
  bool xMajor_ = false;
  int64_t error_ = 0;
  int64_t errorStraight_ = 0;  // added when only the major coordinate moves
  int64_t errorDiagonal_ = 0;  // added when both coordinates move
  uint64_t remaining_ = 0;
};
