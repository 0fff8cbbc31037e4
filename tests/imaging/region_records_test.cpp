// The point-list and region records: byte layout, round trips and files
// that lie about their lengths.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "imaging/little_endian.h"
#include "imaging/region_data.h"
#include "imaging/region_records.h"
#include "imaging/window_region.h"

namespace {

using Bytes = std::vector<BYTE>;

void PutLe32(Bytes& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// A scratch file opened for update; closed with the fixture.
class RegionRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = std::tmpfile();
    ASSERT_NE(file_, nullptr);
  }
  void TearDown() override {
    if (file_ != nullptr) std::fclose(file_);
  }

  // Starts a new scratch file holding exactly bytes, positioned at its start.
  void Load(const Bytes& bytes) {
    std::fclose(file_);
    file_ = std::tmpfile();
    ASSERT_NE(file_, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file_), bytes.size());
    std::rewind(file_);
  }

  Bytes Contents() {
    std::fflush(file_);
    std::rewind(file_);
    Bytes bytes;
    int c;
    while ((c = std::fgetc(file_)) != EOF) bytes.push_back(static_cast<BYTE>(c));
    return bytes;
  }

  std::FILE* file_ = nullptr;
};

TEST_F(RegionRecordsTest, WritesLittleEndianRecords) {
  WindowRegion shape;
  shape.points = {{1, -2}, {0x01020304, 5}};
  shape.region = RegionData({{0, 0, 2, 1}});
  ASSERT_TRUE(WritePointList(file_, shape.points));
  ASSERT_TRUE(WriteRegion(file_, shape));
  Bytes expected = {2, 0, 0, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,
                    4, 3, 2, 1, 5, 0, 0, 0, 48,   0,    0,    0};
  const Bytes region = shape.region->ToBytes();
  expected.insert(expected.end(), region.begin(), region.end());
  EXPECT_EQ(Contents(), expected);
}

TEST_F(RegionRecordsTest, RoundTripsShapes) {
  std::vector<POINT> many;
  for (int i = 0; i < 1500; ++i) many.push_back(POINT{i * 7 - 3000, -i});  // spans blocks
  WindowRegion shapes[4];
  shapes[0].points = many;
  shapes[0].region = RegionData({{5, 5, 6, 6}, {0, 0, 2, 2}});  // stored order kept
  shapes[1].region = RegionData();                              // empty, but present
  shapes[2].points = {{3, 4}};                                  // no region
  for (const WindowRegion& shape : shapes) {
    ASSERT_TRUE(WritePointList(file_, shape.points));
    ASSERT_TRUE(WriteRegion(file_, shape));
  }
  std::rewind(file_);
  for (const WindowRegion& shape : shapes) {
    WindowRegion read;
    read.region = RegionData({{9, 9, 10, 10}});  // replaced or cleared by the read
    read.points = {{8, 8}};
    ASSERT_TRUE(ReadPointList(file_, read.points));
    ASSERT_TRUE(ReadRegion(file_, read));
    EXPECT_TRUE(read == shape);
  }
  EXPECT_EQ(std::fgetc(file_), EOF);
}

TEST_F(RegionRecordsTest, SizeZeroOrLessReadsAsNoRegion) {
  Bytes bytes;
  PutLe32(bytes, 0);
  PutLe32(bytes, 0xFFFFFFF0);  // -16
  PutLe32(bytes, 0);           // a point list with no points
  PutLe32(bytes, 0x80000000);  // and one with a negative count
  Load(bytes);
  WindowRegion shape;
  shape.points = {{1, 1}, {4, 1}, {1, 4}};
  shape.region = RegionData({{0, 0, 1, 1}});
  ASSERT_TRUE(ReadRegion(file_, shape));
  EXPECT_FALSE(shape.HasRegion());
  EXPECT_EQ(shape.points.size(), 3u);  // the element is then shaped by its points
  shape.region = RegionData({{0, 0, 1, 1}});
  ASSERT_TRUE(ReadRegion(file_, shape));
  EXPECT_FALSE(shape.HasRegion());
  ASSERT_TRUE(ReadPointList(file_, shape.points));
  EXPECT_TRUE(shape.points.empty());
  shape.points = {{1, 1}};
  ASSERT_TRUE(ReadPointList(file_, shape.points));
  EXPECT_TRUE(shape.points.empty());
}

struct RegionRecordCase {
  const char* name;
  Bytes bytes;
};

Bytes SizedRecord(uint32_t size, const Bytes& data) {
  Bytes bytes;
  PutLe32(bytes, size);
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

Bytes TwoRectangles() { return RegionData({{0, 0, 2, 1}, {3, 0, 4, 1}}).ToBytes(); }

// Sizes the file cannot hold: nothing after the record could be trusted.
TEST_F(RegionRecordsTest, RegionRecordsLongerThanTheFileFailCleanly) {
  const Bytes good = TwoRectangles();
  const RegionRecordCase cases[] = {
      {"size cut short", {16, 0}},
      {"size beyond the file", SizedRecord(static_cast<uint32_t>(good.size() + 1), good)},
      {"largest size, little data", SizedRecord(0x7FFFFFFF, good)},
  };
  for (const RegionRecordCase& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.bytes);
    WindowRegion shape;
    shape.region = RegionData({{7, 7, 8, 8}});
    const WindowRegion before = shape;
    EXPECT_FALSE(ReadRegion(file_, shape));
    EXPECT_TRUE(shape == before);
  }
}

// Bytes that were read whole but make no region leave the element without
// one, and the record after them reads as written.
TEST_F(RegionRecordsTest, RegionBytesThatMakeNoRegionReadAsNoRegion) {
  const Bytes good = TwoRectangles();
  Bytes wrongType = good;
  wrongType[4] = 2;
  Bytes wrongHeaderSize = good;
  wrongHeaderSize[0] = 40;
  Bytes overCount = good;
  overCount[8] = 3;
  Bytes swapped = RegionData({{0, 0, 2, 1}}).ToBytes();
  StoreLe32(swapped.data() + 32, 5);  // left beyond right
  const RegionRecordCase cases[] = {
      {"one byte", SizedRecord(1, {0x20})},
      {"size below a header", SizedRecord(16, Bytes(good.begin(), good.begin() + 16))},
      {"31 bytes", SizedRecord(31, Bytes(good.begin(), good.begin() + 31))},
      {"header size 40", SizedRecord(static_cast<uint32_t>(good.size()), wrongHeaderSize)},
      {"wrong type", SizedRecord(static_cast<uint32_t>(good.size()), wrongType)},
      {"count beyond the size", SizedRecord(static_cast<uint32_t>(good.size()), overCount)},
      {"size counts the header only", SizedRecord(32, Bytes(good.begin(), good.begin() + 32))},
      {"swapped corners", SizedRecord(static_cast<uint32_t>(swapped.size()), swapped)},
  };
  for (const RegionRecordCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = c.bytes;
    PutLe32(bytes, 1);  // the point list that follows: one point
    PutLe32(bytes, 10);
    PutLe32(bytes, 20);
    Load(bytes);
    WindowRegion shape;
    shape.region = RegionData({{7, 7, 8, 8}});
    ASSERT_TRUE(ReadRegion(file_, shape));
    EXPECT_FALSE(shape.HasRegion());
    ASSERT_TRUE(ReadPointList(file_, shape.points));
    ASSERT_EQ(shape.points.size(), 1u);
    EXPECT_EQ(shape.points[0].x, 10);
    EXPECT_EQ(shape.points[0].y, 20);
  }
}

TEST_F(RegionRecordsTest, PointListsThatLieFailCleanly) {
  struct Case {
    const char* name;
    Bytes bytes;
  };
  Bytes onePoint;
  PutLe32(onePoint, 2);
  PutLe32(onePoint, 10);
  PutLe32(onePoint, 20);
  Bytes largest;
  PutLe32(largest, 0x7FFFFFFF);
  PutLe32(largest, 10);
  PutLe32(largest, 20);
  Bytes halfPoint;
  PutLe32(halfPoint, 1);
  PutLe32(halfPoint, 10);
  const Case cases[] = {
      {"count cut short", {1, 0, 0}},
      {"one point of two", onePoint},
      {"largest count", largest},
      {"half a point", halfPoint},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.bytes);
    std::vector<POINT> points = {{5, 6}};
    EXPECT_FALSE(ReadPointList(file_, points));
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].x, 5);
  }
}

TEST(RegionRecordsWriteTest, FailedWritesAreReported) {
  // A stream opened only for reading takes no bytes.
  const char* name = "region_records_test.tmp";
  std::FILE* created = std::fopen(name, "wb");
  ASSERT_NE(created, nullptr);
  std::fclose(created);
  std::FILE* file = std::fopen(name, "rb");
  ASSERT_NE(file, nullptr);
  WindowRegion shape;
  shape.region = RegionData({{0, 0, 1, 1}});
  EXPECT_FALSE(WritePointList(file, {{1, 2}, {3, 4}}));
  EXPECT_FALSE(WriteRegion(file, shape));
  EXPECT_FALSE(WriteRegion(file, WindowRegion()));
  std::fclose(file);
  std::remove(name);
}

}  // namespace
