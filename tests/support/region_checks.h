// Checks on regions shared by the region tests: whether a rectangle list is
// in GDI's banded form, and whether it covers exactly a given set of pixels.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "imaging/region_data.h"

// Non-empty rectangles in bands sorted by top; inside a band one top and
// bottom, sorted left to right with gaps between; bands that meet
// vertically differ in their x ranges.
::testing::AssertionResult IsGdiBanded(const RegionData& region);

// Every pixel of the width x height area is inside exactly when inside(x, y),
// and nothing lies outside the area.
::testing::AssertionResult CoversExactly(const RegionData& region, int width, int height,
                                         const std::function<bool(int, int)>& inside);
