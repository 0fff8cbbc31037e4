#include "imaging/line_walker.h"

LineWalker::LineWalker(int xStart, int yStart, int xEnd, int yEnd) : x_(xStart), y_(yStart) {
  int64_t dx = int64_t{xEnd} - xStart;
  int64_t dy = int64_t{yEnd} - yStart;
  if (dx < 0) {
    dx = -dx;
    stepX_ = -1;
  }
  if (dy < 0) {
    dy = -dy;
    stepY_ = -1;
  }
  xMajor_ = dx > dy;
  const int64_t major = xMajor_ ? dx : dy;
  const int64_t minor = xMajor_ ? dy : dx;
  error_ = 2 * minor - major;
  errorStraight_ = 2 * minor;
  errorDiagonal_ = 2 * minor - 2 * major;
  remaining_ = static_cast<uint64_t>(major);
}

bool LineWalker::Next(int& x, int& y) {
  if (remaining_ == 0) return false;
  --remaining_;
  // Every point lies between start and end, both ints, so it fits an int.
  x = static_cast<int>(x_);
  y = static_cast<int>(y_);
  const bool minorStep = error_ > 0;
  error_ += minorStep ? errorDiagonal_ : errorStraight_;
  if (xMajor_) {
    x_ += stepX_;
    if (minorStep) y_ += stepY_;
  } else {
    y_ += stepY_;
    if (minorStep) x_ += stepX_;
  }
  return true;
}
