#include "editor/movie_area.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int64_t kHighest = std::numeric_limits<int32_t>::max();

LONG Saturate(int64_t value) { return static_cast<LONG>(std::clamp(value, kLowest, kHighest)); }

int64_t Middle(LONG from, LONG to) { return from + (int64_t{to} - from) / 2; }

bool InSquare(POINT point, int64_t centreX, int64_t centreY) {
  const int64_t half = MovieArea::kHandleHalf;
  return point.x >= centreX - half && point.x < centreX + half && point.y >= centreY - half &&
         point.y < centreY + half;
}

// Which side a handle moves: -1 the left (top) side, 1 the right (bottom)
// side, 0 neither.
struct SideMoves {
  int horizontal;
  int vertical;
};

SideMoves SidesOf(int hit) {
  switch (hit) {
    case MovieArea::kTopLeft:
      return {-1, -1};
    case MovieArea::kTopRight:
      return {1, -1};
    case MovieArea::kBottomLeft:
      return {-1, 1};
    case MovieArea::kBottomRight:
      return {1, 1};
    case MovieArea::kTopMiddle:
      return {0, -1};
    case MovieArea::kLeftMiddle:
      return {-1, 0};
    case MovieArea::kBottomMiddle:
      return {0, 1};
    case MovieArea::kRightMiddle:
      return {1, 0};
    default:
      return {0, 0};
  }
}

// Moves the low or high side of one dimension to target, keeping it at
// least kMinSize from the other side.
void MoveSide(LONG& low, LONG& high, int side, LONG target) {
  if (side < 0) {
    low = target;
    if (int64_t{high} - low < MovieArea::kMinSize)
      low = Saturate(int64_t{high} - MovieArea::kMinSize);
  } else if (side > 0) {
    high = target;
    if (int64_t{high} - low < MovieArea::kMinSize)
      high = Saturate(int64_t{low} + MovieArea::kMinSize);
  }
}

// The shift of [low, high] by delta, limited so that both ends stay in range.
int64_t LimitedShift(LONG first, LONG second, int64_t delta) {
  const int64_t low = std::min(first, second);
  const int64_t high = std::max(first, second);
  return std::clamp(delta, kLowest - low, kHighest - high);
}

}  // namespace

void MovieArea::EnsureMinimumSize() {
  if (rect_.right == rect_.left && rect_.bottom == rect_.top) {
    rect_ = RECT{0, 0, kMinSize, kMinSize};
    return;
  }
  if (int64_t{rect_.right} - rect_.left < kMinSize)
    rect_.right = Saturate(int64_t{rect_.left} + kMinSize);
  if (int64_t{rect_.bottom} - rect_.top < kMinSize)
    rect_.bottom = Saturate(int64_t{rect_.top} + kMinSize);
}

POINT MovieArea::HandleCentre(int hit) const {
  const SideMoves sides = SidesOf(hit);
  POINT centre;
  centre.x = sides.horizontal < 0   ? rect_.left
             : sides.horizontal > 0 ? rect_.right
                                    : static_cast<LONG>(Middle(rect_.left, rect_.right));
  centre.y = sides.vertical < 0   ? rect_.top
             : sides.vertical > 0 ? rect_.bottom
                                  : static_cast<LONG>(Middle(rect_.top, rect_.bottom));
  return centre;
}

RECT MovieArea::HandleSquare(int hit) const {
  const POINT centre = HandleCentre(hit);
  return RECT{Saturate(int64_t{centre.x} - kHandleHalf), Saturate(int64_t{centre.y} - kHandleHalf),
              Saturate(int64_t{centre.x} + kHandleHalf), Saturate(int64_t{centre.y} + kHandleHalf)};
}

int MovieArea::HitTest(POINT point) const {
  static const int kOrder[kHandleCount] = {kTopLeft,    kTopMiddle,   kTopRight,    kLeftMiddle,
                                           kBottomLeft, kRightMiddle, kBottomRight, kBottomMiddle};
  for (int hit : kOrder) {
    const POINT centre = HandleCentre(hit);
    if (InSquare(point, centre.x, centre.y)) return hit;
  }
  const bool inside = point.x >= rect_.left && point.x < rect_.right && point.y >= rect_.top &&
                      point.y < rect_.bottom;
  return inside ? kInside : kNone;
}

void MovieArea::Drag(int hit, POINT point, POINT last) {
  if (hit == kInside) {
    const int64_t dx = LimitedShift(rect_.left, rect_.right, int64_t{point.x} - last.x);
    const int64_t dy = LimitedShift(rect_.top, rect_.bottom, int64_t{point.y} - last.y);
    rect_.left = static_cast<LONG>(rect_.left + dx);
    rect_.right = static_cast<LONG>(rect_.right + dx);
    rect_.top = static_cast<LONG>(rect_.top + dy);
    rect_.bottom = static_cast<LONG>(rect_.bottom + dy);
    return;
  }
  const SideMoves sides = SidesOf(hit);
  MoveSide(rect_.left, rect_.right, sides.horizontal, point.x);
  MoveSide(rect_.top, rect_.bottom, sides.vertical, point.y);
}
