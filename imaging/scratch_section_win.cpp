#include "imaging/scratch_section_win.h"

#include <algorithm>

namespace {

DibSection& KeptSection(int bitCount) {
  thread_local DibSection kept24;
  thread_local DibSection kept32;
  return bitCount == 32 ? kept32 : kept24;
}

long long Pixels(int width, int height) { return static_cast<long long>(width) * height; }

}  // namespace

ScratchSection::ScratchSection(int width, int height, int bitCount) {
  if (width <= 0 || height <= 0) return;
  if (Pixels(width, height) > kMaxKeptPixels) {
    if (own_.Create(nullptr, width, height, bitCount)) section_ = &own_;
    return;
  }
  DibSection& kept = KeptSection(bitCount);
  if (kept.IsValid() && kept.Width() >= width && kept.Height() >= height) {
    section_ = &kept;
    return;
  }
  // Grow to cover both the old and the new area when that stays within the
  // limit, so alternating shapes do not make a new section each time.
  int keptWidth = std::max(width, kept.Width());
  int keptHeight = std::max(height, kept.Height());
  if (Pixels(keptWidth, keptHeight) > kMaxKeptPixels) {
    keptWidth = width;
    keptHeight = height;
  }
  if (kept.Create(nullptr, keptWidth, keptHeight, bitCount)) section_ = &kept;
}
