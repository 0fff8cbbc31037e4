#include "imaging/window_region.h"

#include <algorithm>

namespace {

bool SamePoint(const POINT& first, const POINT& second) {
  return first.x == second.x && first.y == second.y;
}

}  // namespace

bool WindowRegion::operator==(const WindowRegion& other) const {
  return points.size() == other.points.size() &&
         std::equal(points.begin(), points.end(), other.points.begin(), SamePoint) &&
         region == other.region;
}
