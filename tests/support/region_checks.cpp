#include "tests/support/region_checks.h"

#include <cstddef>
#include <vector>

namespace {

struct Band {
  size_t first;
  size_t count;
};

std::vector<Band> SplitBands(const std::vector<RECT>& rects) {
  std::vector<Band> bands;
  for (size_t i = 0; i < rects.size(); ++i) {
    if (bands.empty() || rects[i].top != rects[bands.back().first].top) {
      bands.push_back(Band{i, 0});
    }
    ++bands.back().count;
  }
  return bands;
}

bool SameSpans(const std::vector<RECT>& rects, const Band& first, const Band& second) {
  if (first.count != second.count) return false;
  for (size_t i = 0; i < first.count; ++i) {
    const RECT& a = rects[first.first + i];
    const RECT& b = rects[second.first + i];
    if (a.left != b.left || a.right != b.right) return false;
  }
  return true;
}

::testing::AssertionResult CheckBand(const std::vector<RECT>& rects, const Band& band) {
  for (size_t i = band.first; i < band.first + band.count; ++i) {
    const RECT& r = rects[i];
    if (r.left >= r.right || r.top >= r.bottom) {
      return ::testing::AssertionFailure() << "rectangle " << i << " is empty";
    }
    if (r.bottom != rects[band.first].bottom) {
      return ::testing::AssertionFailure() << "rectangle " << i << " leaves its band's bottom";
    }
    if (i > band.first && r.left <= rects[i - 1].right) {
      return ::testing::AssertionFailure()
             << "rectangle " << i << " touches or precedes its left neighbour";
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult IsGdiBanded(const RegionData& region) {
  const std::vector<RECT>& rects = region.Rects();
  const std::vector<Band> bands = SplitBands(rects);
  for (size_t b = 0; b < bands.size(); ++b) {
    ::testing::AssertionResult band = CheckBand(rects, bands[b]);
    if (!band) return band;
    if (b == 0) continue;
    const RECT& above = rects[bands[b - 1].first];
    const RECT& here = rects[bands[b].first];
    if (here.top < above.bottom) {
      return ::testing::AssertionFailure() << "band at y=" << here.top << " overlaps the one above";
    }
    if (here.top == above.bottom && SameSpans(rects, bands[b - 1], bands[b])) {
      return ::testing::AssertionFailure() << "band at y=" << here.top << " was not coalesced";
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult CoversExactly(const RegionData& region, int width, int height,
                                         const std::function<bool(int, int)>& inside) {
  if (!region.IsEmpty()) {
    const RECT bounds = region.Bounds();
    if (bounds.left < 0 || bounds.top < 0 || bounds.right > width || bounds.bottom > height) {
      return ::testing::AssertionFailure() << "region reaches outside the area";
    }
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (region.Contains(x, y) != inside(x, y)) {
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << (inside(x, y) ? "missing" : "extra");
      }
    }
  }
  return ::testing::AssertionSuccess();
}
