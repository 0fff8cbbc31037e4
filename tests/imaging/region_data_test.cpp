// RegionData: the GetRegionData byte layout, parsing hostile bytes, bounds.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/region_data.h"

namespace {

using Bytes = std::vector<BYTE>;

void PutLe32(Bytes& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// A header with the given fields followed by the rectangles' bytes.
Bytes Record(uint32_t headerSize, uint32_t type, uint32_t count, const std::vector<RECT>& rects) {
  Bytes bytes;
  PutLe32(bytes, headerSize);
  PutLe32(bytes, type);
  PutLe32(bytes, count);
  PutLe32(bytes, static_cast<uint32_t>(rects.size() * 16));
  for (int i = 0; i < 4; ++i) PutLe32(bytes, 0);
  for (const RECT& r : rects) {
    PutLe32(bytes, static_cast<uint32_t>(r.left));
    PutLe32(bytes, static_cast<uint32_t>(r.top));
    PutLe32(bytes, static_cast<uint32_t>(r.right));
    PutLe32(bytes, static_cast<uint32_t>(r.bottom));
  }
  return bytes;
}

TEST(RegionDataTest, ToBytesLaysOutHeaderAndRectanglesLittleEndian) {
  const RegionData region({{-2, 1, 3, 4}, {0, 4, 0x01020304, 6}});
  const Bytes expected = {
      32,   0,    0,    0,    1, 0, 0, 0, 2, 0, 0, 0, 32, 0, 0, 0,  // size, type, count, buffer
      0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 4, 3, 2, 1, 6,  0, 0, 0,  // bounds
      0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 3, 0, 0, 0, 4,  0, 0, 0,  // first rectangle
      0,    0,    0,    0,    4, 0, 0, 0, 4, 3, 2, 1, 6,  0, 0, 0,  // second rectangle
  };
  EXPECT_EQ(region.ToBytes(), expected);
}

TEST(RegionDataTest, EmptyRegionIsAHeaderWithZeroBounds) {
  // What GetRegionData gives for a region that covers nothing.
  const Bytes expected = {32, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                          0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(RegionData().ToBytes(), expected);
  EXPECT_EQ(RegionData::FromRect({3, 3, 3, 9}).ToBytes(), expected);
}

TEST(RegionDataTest, FromBytesKeepsStoredOrder) {
  // Not in banded order, as a region from a file may be.
  const RegionData stored({{5, 5, 6, 6}, {0, 0, 2, 2}, {1, 1, 3, 3}});
  RegionData read;
  const Bytes bytes = stored.ToBytes();
  ASSERT_TRUE(RegionData::FromBytes(bytes.data(), bytes.size(), read));
  EXPECT_EQ(read, stored);
  EXPECT_EQ(read.ToBytes(), bytes);
}

TEST(RegionDataTest, FromBytesRefusesMalformedData) {
  const std::vector<RECT> two = {{0, 0, 1, 1}, {2, 0, 3, 1}};
  Bytes trailing = Record(32, 1, 2, two);
  trailing.push_back(0xAB);  // bytes after the rectangles are allowed
  struct Case {
    const char* name;
    Bytes bytes;
    bool ok;
    size_t count;  // rectangles read when ok
  };
  const Case cases[] = {
      {"well formed", Record(32, 1, 2, two), true, 2},
      {"trailing byte", trailing, true, 2},
      {"no rectangles", Record(32, 1, 0, {}), true, 0},
      {"short header", Bytes(31, 0), false, 0},
      {"nothing", Bytes(), false, 0},
      {"header size 40", Record(40, 1, 2, two), false, 0},
      {"type 2", Record(32, 2, 2, two), false, 0},
      {"count beyond data", Record(32, 1, 3, two), false, 0},
      // 0x10000001 * 16 wraps to 16 in 32 bits: must not pass as one rectangle.
      {"count wrapping 32 bits", Record(32, 1, 0x10000001, two), false, 0},
      {"count 2^32 - 1", Record(32, 1, 0xFFFFFFFF, two), false, 0},
      {"swapped corners", Record(32, 1, 1, {{4, 0, 1, 1}}), false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RegionData before({{9, 9, 10, 10}});
    RegionData out = before;
    EXPECT_EQ(RegionData::FromBytes(c.bytes.data(), c.bytes.size(), out), c.ok);
    if (c.ok) {
      EXPECT_EQ(out.Rects().size(), c.count);
    } else {
      EXPECT_EQ(out, before);
    }
  }
  RegionData out;
  EXPECT_FALSE(RegionData::FromBytes(nullptr, 32, out));
}

TEST(RegionDataTest, BoundsAndContains) {
  const RegionData region({{2, 1, 4, 3}, {-1, 5, 0, 7}, {8, 8, 8, 9}});  // last has no area
  const RECT bounds = region.Bounds();
  EXPECT_EQ(bounds.left, -1);
  EXPECT_EQ(bounds.top, 1);
  EXPECT_EQ(bounds.right, 4);
  EXPECT_EQ(bounds.bottom, 7);
  EXPECT_TRUE(region.Contains(2, 1));
  EXPECT_TRUE(region.Contains(3, 2));
  EXPECT_FALSE(region.Contains(4, 2));  // right and bottom edges are outside
  EXPECT_FALSE(region.Contains(3, 3));
  EXPECT_TRUE(region.Contains(-1, 6));
  EXPECT_FALSE(region.Contains(8, 8));
  EXPECT_FALSE(region.Contains(0, 4));
  const RECT none = RegionData().Bounds();
  EXPECT_EQ(none.left | none.top | none.right | none.bottom, 0);
}

TEST(RegionDataTest, FromRectOrdersCornersAndDropsEmptyRectangles) {
  EXPECT_EQ(RegionData::FromRect({4, 6, 1, 2}), RegionData({{1, 2, 4, 6}}));
  EXPECT_TRUE(RegionData::FromRect({1, 2, 1, 6}).IsEmpty());
  EXPECT_TRUE(RegionData::FromRect({1, 2, 5, 2}).IsEmpty());
}

TEST(RegionDataTest, EqualityComparesRectanglesInOrder) {
  const RegionData a({{0, 0, 1, 1}, {2, 0, 3, 1}});
  EXPECT_EQ(a, RegionData({{0, 0, 1, 1}, {2, 0, 3, 1}}));
  EXPECT_NE(a, RegionData({{2, 0, 3, 1}, {0, 0, 1, 1}}));
  EXPECT_NE(a, RegionData({{0, 0, 1, 1}}));
  EXPECT_NE(a, RegionData({{0, 0, 1, 1}, {2, 0, 3, 2}}));
}

}  // namespace
