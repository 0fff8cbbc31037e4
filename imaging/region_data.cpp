#include "imaging/region_data.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "imaging/little_endian.h"

namespace {

constexpr size_t kBoundOffset = 16;

bool IsEmptyRect(const RECT& rect) { return rect.left >= rect.right || rect.top >= rect.bottom; }

bool SameRect(const RECT& first, const RECT& second) {
  return first.left == second.left && first.top == second.top && first.right == second.right &&
         first.bottom == second.bottom;
}

}  // namespace

RegionData::RegionData(std::vector<RECT> rects) : rects_(std::move(rects)) {}

RegionData RegionData::FromRect(const RECT& rect) {
  // Like CreateRectRgn: swapped corners are put in order, and a rectangle
  // without area is the empty region.
  RECT ordered{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
               std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
  if (IsEmptyRect(ordered)) return RegionData();
  return RegionData(std::vector<RECT>{ordered});
}

RECT RegionData::Bounds() const {
  RECT bounds{0, 0, 0, 0};
  bool any = false;
  for (const RECT& rect : rects_) {
    if (IsEmptyRect(rect)) continue;
    if (!any) {
      bounds = rect;
      any = true;
      continue;
    }
    bounds.left = std::min(bounds.left, rect.left);
    bounds.top = std::min(bounds.top, rect.top);
    bounds.right = std::max(bounds.right, rect.right);
    bounds.bottom = std::max(bounds.bottom, rect.bottom);
  }
  return bounds;
}

bool RegionData::Contains(int x, int y) const {
  for (const RECT& rect : rects_) {
    if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) return true;
  }
  return false;
}

std::vector<BYTE> RegionData::ToBytes() const {
  // nRgnSize is a DWORD; a list too long for it cannot be laid out.
  if (rects_.size() > (UINT32_MAX - kHeaderSize) / kRectSize) return {};
  const uint32_t rectBytes = static_cast<uint32_t>(rects_.size() * kRectSize);
  std::vector<BYTE> bytes(kHeaderSize + rectBytes);
  BYTE* at = bytes.data();
  StoreLe32(at, static_cast<uint32_t>(kHeaderSize));
  StoreLe32(at + 4, RDH_RECTANGLES);
  StoreLe32(at + 8, static_cast<uint32_t>(rects_.size()));
  StoreLe32(at + 12, rectBytes);
  StoreLeRect(at + kBoundOffset, Bounds());
  at += kHeaderSize;
  for (const RECT& rect : rects_) {
    StoreLeRect(at, rect);
    at += kRectSize;
  }
  return bytes;
}

bool RegionData::FromBytes(const BYTE* data, size_t size, RegionData& out) {
  if (data == nullptr || size < kHeaderSize) return false;
  if (LoadLe32(data) != kHeaderSize || LoadLe32(data + 4) != RDH_RECTANGLES) return false;
  // The count is checked against the bytes present in 64-bit arithmetic, so
  // a count near 2^32 cannot wrap around to a small size. The buffer-size
  // field and the stored bounds are not trusted: both follow from the
  // rectangles. Bytes after the last rectangle are allowed.
  const uint64_t count = LoadLe32(data + 8);
  if (count * kRectSize > size - kHeaderSize) return false;
  std::vector<RECT> rects;
  rects.reserve(static_cast<size_t>(count));
  const BYTE* at = data + kHeaderSize;
  for (uint64_t i = 0; i < count; ++i, at += kRectSize) {
    const RECT rect = LoadLeRect(at);
    // GetRegionData never produces a rectangle with swapped corners.
    if (rect.right < rect.left || rect.bottom < rect.top) return false;
    rects.push_back(rect);
  }
  out = RegionData(std::move(rects));
  return true;
}

bool RegionData::operator==(const RegionData& other) const {
  return rects_.size() == other.rects_.size() &&
         std::equal(rects_.begin(), rects_.end(), other.rects_.begin(), SameRect);
}
