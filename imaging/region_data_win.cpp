#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "imaging/region_data.h"

namespace {

// ExtCreateRegion is handed the rectangles in pieces of this size, and the
// pieces are joined pairwise. Some GDI implementations (Wine's among them)
// add the rectangles of one ExtCreateRegion call one union at a time, which
// is quadratic in the count: 200,000 rectangles took about 15 s in one call,
// against tens of milliseconds in pieces.
constexpr size_t kRectsPerPiece = 32;

struct PieceData {
  RGNDATAHEADER header;
  RECT rects[kRectsPerPiece];
};

RECT PieceBounds(const RECT* rects, size_t count) {
  if (count == 0) return RECT{0, 0, 0, 0};
  RECT bounds = rects[0];
  for (size_t i = 1; i < count; ++i) {
    bounds.left = std::min(bounds.left, rects[i].left);
    bounds.top = std::min(bounds.top, rects[i].top);
    bounds.right = std::max(bounds.right, rects[i].right);
    bounds.bottom = std::max(bounds.bottom, rects[i].bottom);
  }
  return bounds;
}

HRGN CreatePiece(const RECT* rects, size_t count) {
  PieceData data{};
  data.header.dwSize = sizeof(RGNDATAHEADER);
  data.header.iType = RDH_RECTANGLES;
  data.header.nCount = static_cast<DWORD>(count);
  data.header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
  std::copy(rects, rects + count, data.rects);
  data.header.rcBound = PieceBounds(rects, count);
  const DWORD size = static_cast<DWORD>(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  return ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(&data));
}

// Pieces waiting to be joined, each with the number of pieces it holds. Like
// a binary counter, two entries of equal weight are joined at once, so the
// stack stays about log2(pieces) deep (few GDI handles at any time) and
// every rectangle takes part in about log2(pieces) joins.
class PieceStack {
 public:
  ~PieceStack() {
    for (const Entry& entry : entries_) DeleteObject(entry.region);
  }

  bool Push(HRGN region) {
    if (region == nullptr) return false;
    entries_.push_back(Entry{region, 1});
    while (entries_.size() >= 2 && entries_[entries_.size() - 2].weight == entries_.back().weight) {
      if (!JoinTop()) return false;
    }
    return true;
  }

  HRGN Finish() {
    while (entries_.size() >= 2) {
      if (!JoinTop()) return nullptr;
    }
    if (entries_.empty()) return nullptr;
    HRGN region = entries_.back().region;
    entries_.clear();
    return region;
  }

 private:
  struct Entry {
    HRGN region;
    size_t weight;
  };

  bool JoinTop() {
    Entry top = entries_.back();
    entries_.pop_back();
    Entry& below = entries_.back();
    const int type = CombineRgn(below.region, below.region, top.region, RGN_OR);
    DeleteObject(top.region);
    below.weight += top.weight;
    return type != ERROR;
  }

  std::vector<Entry> entries_;
};

}  // namespace

HRGN RegionData::CreateHandle() const {
  if (rects_.size() <= kRectsPerPiece) return CreatePiece(rects_.data(), rects_.size());
  PieceStack stack;
  for (size_t first = 0; first < rects_.size(); first += kRectsPerPiece) {
    const size_t count = std::min(kRectsPerPiece, rects_.size() - first);
    if (!stack.Push(CreatePiece(rects_.data() + first, count))) return nullptr;
  }
  return stack.Finish();
}

bool RegionData::FromHandle(HRGN region, RegionData& out) {
  if (region == nullptr) return false;
  const DWORD size = GetRegionData(region, 0, nullptr);
  if (size < kHeaderSize) return false;
  // RGNDATA is read through DWORD and LONG fields: new[] gives suitable
  // alignment.
  std::unique_ptr<BYTE[]> bytes(new (std::nothrow) BYTE[size]);
  if (!bytes) return false;
  if (GetRegionData(region, size, reinterpret_cast<RGNDATA*>(bytes.get())) == 0) return false;
  return FromBytes(bytes.get(), size, out);
}
