#include "imaging/banded_region_builder.h"

#include <algorithm>
#include <climits>
#include <utility>

bool BandedRegionBuilder::AddRun(int y, int x0, int x1) {
  if (failed_) return false;
  if (x1 <= x0) return true;
  if (!rowOpen_ || y != rowY_) return StartRow(y) && Append(y, x0, x1);
  RECT& last = rects_.back();
  if (x0 < last.left) {
    failed_ = true;
    return false;
  }
  if (x0 <= last.right) {
    last.right = std::max(last.right, static_cast<LONG>(x1));
    return true;
  }
  return Append(y, x0, x1);
}

bool BandedRegionBuilder::StartRow(int y) {
  // y + 1 is the row's bottom edge and must not overflow.
  if ((rowOpen_ && y < rowY_) || y == INT_MAX) {
    failed_ = true;
    return false;
  }
  if (rowOpen_) CloseRow();
  rowOpen_ = true;
  rowY_ = y;
  rowStart_ = rects_.size();
  return true;
}

bool BandedRegionBuilder::Append(int y, int x0, int x1) {
  if (rects_.size() >= kMaxRects) {
    failed_ = true;
    return false;
  }
  rects_.push_back(RECT{x0, y, x1, y + 1});
  return true;
}

void BandedRegionBuilder::CloseRow() {
  rowOpen_ = false;
  const size_t rowCount = rects_.size() - rowStart_;
  const size_t bandCount = rowStart_ - bandStart_;
  bool repeats = bandCount == rowCount && rowCount > 0 && rects_[bandStart_].bottom == rowY_;
  for (size_t i = 0; repeats && i < rowCount; ++i) {
    const RECT& above = rects_[bandStart_ + i];
    const RECT& row = rects_[rowStart_ + i];
    repeats = above.left == row.left && above.right == row.right;
  }
  if (!repeats) {
    bandStart_ = rowStart_;
    return;
  }
  for (size_t i = bandStart_; i < rowStart_; ++i) rects_[i].bottom = rowY_ + 1;
  rects_.resize(rowStart_);
}

bool BandedRegionBuilder::Finish(RegionData& out) {
  if (rowOpen_) CloseRow();
  const bool ok = !failed_;
  if (ok) out = RegionData(std::move(rects_));
  Reset();
  return ok;
}

void BandedRegionBuilder::Reset() {
  rects_.clear();
  bandStart_ = 0;
  rowStart_ = 0;
  rowOpen_ = false;
  rowY_ = 0;
  failed_ = false;
}
