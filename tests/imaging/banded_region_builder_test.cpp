// BandedRegionBuilder: the banded, coalesced form GDI keeps regions in.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "imaging/banded_region_builder.h"
#include "imaging/region_data.h"
#include "tests/support/region_checks.h"

namespace {

// Builds from a picture drawn as text: '#' is inside, anything else outside.
RegionData BuildFromRows(const std::vector<std::string>& rows) {
  BandedRegionBuilder builder;
  for (size_t y = 0; y < rows.size(); ++y) {
    const std::string& row = rows[y];
    for (size_t x = 0; x < row.size(); ++x) {
      if (row[x] != '#') continue;
      const int column = static_cast<int>(x);
      EXPECT_TRUE(builder.AddRun(static_cast<int>(y), column, column + 1));
    }
  }
  RegionData region;
  EXPECT_TRUE(builder.Finish(region));
  return region;
}

std::vector<RECT> R(std::initializer_list<RECT> rects) { return rects; }

struct ShapeCase {
  const char* name;
  std::vector<std::string> rows;
  std::vector<RECT> expected;
};

TEST(BandedRegionBuilderTest, BuildsGdiBands) {
  const ShapeCase cases[] = {
      {"nothing", {"....", "...."}, {}},
      {"full block", {"###", "###"}, R({{0, 0, 3, 2}})},
      {"hole in the middle",
       {"#####", "##.##", "#####"},
       R({{0, 0, 5, 1}, {0, 1, 2, 2}, {3, 1, 5, 2}, {0, 2, 5, 3}})},
      {"hole two rows high",
       {"####", "#..#", "#..#", "####"},
       R({{0, 0, 4, 1}, {0, 1, 1, 3}, {3, 1, 4, 3}, {0, 3, 4, 4}})},
      {"empty row splits equal bands", {"##", "..", "##"}, R({{0, 0, 2, 1}, {0, 2, 2, 3}})},
      {"equal count, other spans",
       {"#.#.", ".#.#"},
       R({{0, 0, 1, 1}, {2, 0, 3, 1}, {1, 1, 2, 2}, {3, 1, 4, 2}})},
      {"band grows then shrinks",
       {".##.", "####", ".##."},
       R({{1, 0, 3, 1}, {0, 1, 4, 2}, {1, 2, 3, 3}})},
      {"empty rows above", {"...", "...", ".#."}, R({{1, 2, 2, 3}})},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const RegionData region = BuildFromRows(c.rows);
    EXPECT_EQ(region, RegionData(c.expected));
    EXPECT_TRUE(IsGdiBanded(region));
  }
}

TEST(BandedRegionBuilderTest, MergesTouchingAndOverlappingRuns) {
  BandedRegionBuilder builder;
  EXPECT_TRUE(builder.AddRun(0, 0, 2));
  EXPECT_TRUE(builder.AddRun(0, 2, 4));   // touching
  EXPECT_TRUE(builder.AddRun(0, 3, 6));   // overlapping
  EXPECT_TRUE(builder.AddRun(0, 4, 5));   // inside the last run
  EXPECT_TRUE(builder.AddRun(0, 8, 8));   // empty: ignored
  EXPECT_TRUE(builder.AddRun(1, -3, 6));  // negative coordinates are fine
  EXPECT_TRUE(builder.AddRun(5, 0, 1));   // rows may be skipped
  RegionData region;
  ASSERT_TRUE(builder.Finish(region));
  EXPECT_EQ(region, RegionData(R({{0, 0, 6, 1}, {-3, 1, 6, 2}, {0, 5, 1, 6}})));
}

TEST(BandedRegionBuilderTest, RejectsRunsOutOfOrder) {
  struct Run {
    int y, x0, x1;
  };
  const std::vector<Run> sequences[] = {
      {{2, 0, 1}, {1, 0, 1}},             // row above the previous one
      {{0, 5, 6}, {0, 2, 3}},             // run left of the previous one
      {{0, 0, 1}, {1, 0, 1}, {0, 3, 4}},  // back to a closed row
      {{2147483647, 0, 1}},               // bottom edge would overflow
  };
  for (const std::vector<Run>& runs : sequences) {
    BandedRegionBuilder builder;
    bool all = true;
    for (const Run& run : runs) all = builder.AddRun(run.y, run.x0, run.x1) && all;
    EXPECT_FALSE(all);
    EXPECT_TRUE(builder.Failed());
    const RegionData before(R({{7, 7, 8, 8}}));
    RegionData out = before;
    EXPECT_FALSE(builder.Finish(out));
    EXPECT_EQ(out, before);
    // Finish starts afresh.
    EXPECT_TRUE(builder.AddRun(0, 0, 1));
    EXPECT_TRUE(builder.Finish(out));
    EXPECT_EQ(out, RegionData(R({{0, 0, 1, 1}})));
  }
}

TEST(BandedRegionBuilderTest, RandomShapesAreBandedAndExact) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const int width = 1 + static_cast<int>(random() % 12);
    const int height = 1 + static_cast<int>(random() % 12);
    const unsigned density = random() % 4;  // sparse to dense pictures
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (std::string& row : rows) {
      const bool repeat = &row != &rows[0] && random() % 3 == 0;
      if (repeat) {
        row = (&row)[-1];  // equal rows must coalesce
        continue;
      }
      for (char& pixel : row) pixel = random() % 4 < density ? '#' : '.';
    }
    const RegionData region = BuildFromRows(rows);
    SCOPED_TRACE(round);
    EXPECT_TRUE(IsGdiBanded(region));
    EXPECT_TRUE(
        CoversExactly(region, width, height, [&](int x, int y) { return rows[y][x] == '#'; }));
  }
}

}  // namespace
