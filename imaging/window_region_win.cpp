#include <climits>

#include "imaging/window_region.h"
#include "ui/crgn.h"

bool GetWindowRegion(const WindowRegion& shape, CRgn& out) {
  out.DeleteObject();
  if (shape.region) {
    // The handle made from the stored rectangles is already a copy of its own.
    HRGN region = shape.region->CreateHandle();
    if (region == nullptr) return false;
    out.Attach(region);
    return true;
  }
  if (!shape.points.empty()) return PolygonRegion(shape.points, out);
  return false;
}

bool PolygonRegion(const std::vector<POINT>& points, CRgn& out) {
  if (points.size() < 3) return out.CreateRectRgn(0, 0, 0, 0);
  if (points.size() > static_cast<size_t>(INT_MAX)) {
    out.DeleteObject();
    return false;
  }
  return out.CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE);
}
