// WindowRegion: the shape of a container or object. A polygon point list plus
// an optional region; when the region is present it is the shape and the
// points are ignored.
#pragma once

#include <optional>
#include <vector>

#include "imaging/region_data.h"
#include "imaging/win32_types.h"

class WindowRegion {
 public:
  std::vector<POINT> points;
  std::optional<RegionData> region;

  bool HasRegion() const { return region.has_value(); }
  bool IsEmpty() const { return points.empty() && !region; }
  void Clear() {
    points.clear();
    region.reset();
  }
  bool operator==(const WindowRegion& other) const;
};

#ifdef _WIN32
class CRgn;

// window_region_win.cpp. The shape as a GDI region: a copy of the region when
// present, else the polygon (ALTERNATE fill); with neither, out stays empty
// (null handle) and false is returned. out's old region is deleted first.
bool GetWindowRegion(const WindowRegion& shape, CRgn& out);
// A point list as a polygon region (ALTERNATE); fewer than three points give
// an empty region (a valid handle covering nothing).
bool PolygonRegion(const std::vector<POINT>& points, CRgn& out);
#endif
