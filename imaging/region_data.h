// RegionData: a region as its list of rectangles, in the layout that
// GetRegionData returns (32-byte RGNDATAHEADER, then left/top/right/bottom
// per rectangle). Regions made here are y-x banded and coalesced exactly as
// GDI keeps them, so their bytes equal what GetRegionData gives for the same
// shape. Regions read from files keep their rectangles as stored.
#pragma once

#include <cstddef>
#include <vector>

#include "imaging/win32_types.h"

class RegionData {
 public:
  static constexpr size_t kHeaderSize = 32;
  static constexpr size_t kRectSize = 16;

  RegionData() = default;
  // Takes the rectangles as given (in stored order).
  explicit RegionData(std::vector<RECT> rects);
  static RegionData FromRect(const RECT& rect);

  bool IsEmpty() const { return rects_.empty(); }
  const std::vector<RECT>& Rects() const { return rects_; }
  // Smallest rectangle holding every rectangle; all zero when empty.
  RECT Bounds() const;
  bool Contains(int x, int y) const;

  // Header and rectangles, little-endian, as GetRegionData lays them out.
  std::vector<BYTE> ToBytes() const;
  // Parses region bytes; false for a wrong header size or type, or a
  // rectangle count the data does not hold.
  static bool FromBytes(const BYTE* data, size_t size, RegionData& out);

  bool operator==(const RegionData& other) const;
  bool operator!=(const RegionData& other) const { return !(*this == other); }

#ifdef _WIN32
  // region_data_win.cpp: conversions to and from GDI region handles.
  HRGN CreateHandle() const;  // null on failure; the caller deletes it
  static bool FromHandle(HRGN region, RegionData& out);
#endif

 private:
  std::vector<RECT> rects_;
};
