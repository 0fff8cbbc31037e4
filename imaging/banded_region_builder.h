// BandedRegionBuilder: turns horizontal pixel runs into a region in the form
// GDI keeps regions in, so the result's bytes equal GetRegionData's for the
// same shape.
//
// That form: rectangles sorted into bands by top edge; inside a band all
// rectangles share top and bottom, sorted left to right, never touching or
// overlapping; two bands that meet vertically and hold the same x ranges are
// one band; the empty region has no rectangles.
//
// Runs come row by row from top to bottom, and inside a row from left to
// right. Runs that touch or overlap merge. Rows that hold no run may simply
// be skipped.
#pragma once

#include <cstddef>
#include <vector>

#include "imaging/region_data.h"
#include "imaging/win32_types.h"

class BandedRegionBuilder {
 public:
  // Rectangle count beyond which building fails (16 bytes each, 64 MiB);
  // far more than any picture of a sensible size produces.
  static constexpr size_t kMaxRects = size_t{1} << 22;

  // Adds the pixels [x0, x1) of row y; x1 <= x0 adds nothing. False (and the
  // builder stays failed until Finish) for a row above the previous one, a
  // run starting left of the previous run of its row, or too many rectangles.
  bool AddRun(int y, int x0, int x1);
  // Hands over the region built so far and starts afresh. False when an
  // AddRun failed; out is then left unchanged.
  bool Finish(RegionData& out);
  bool Failed() const { return failed_; }

 private:
  bool StartRow(int y);
  bool Append(int y, int x0, int x1);
  // Joins the finished row to the band above when it repeats it.
  void CloseRow();
  void Reset();

  std::vector<RECT> rects_;
  size_t bandStart_ = 0;  // first rectangle of the last closed band
  size_t rowStart_ = 0;   // first rectangle of the open row
  bool rowOpen_ = false;
  int rowY_ = 0;
  bool failed_ = false;
};
