// The stored records of a WindowRegion inside a skin file, both little-endian:
//   point list: signed 32-bit count, then count x (x, y) signed 32-bit;
//               a count of 0 or less means no points;
//   region:     signed 32-bit size, then size bytes of region data as
//               GetRegionData lays it out; a size of 0 or less means no region.
// The readers take the file as hostile: a count or size the rest of the file
// cannot hold or a short read fail the record without allocating more than
// the file holds. On failure the target is left unchanged; the file position
// is then undefined. Region bytes that were read whole but make no region
// (too short for a header, a foreign header, swapped corners) read as no
// region: the shape's points and everything after the record stay usable.
#pragma once

#include <cstdio>
#include <vector>

#include "imaging/win32_types.h"
#include "imaging/window_region.h"

bool WritePointList(std::FILE* file, const std::vector<POINT>& points);
// Replaces points with the list read.
bool ReadPointList(std::FILE* file, std::vector<POINT>& points);

// Writes shape's region (size 0 without one); the points are a record of
// their own.
bool WriteRegion(std::FILE* file, const WindowRegion& shape);
// Sets or clears shape's region; the points are not touched.
bool ReadRegion(std::FILE* file, WindowRegion& shape);
