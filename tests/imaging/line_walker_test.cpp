#include "imaging/line_walker.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace {

using Points = std::vector<std::pair<int, int>>;

Points Walk(int x1, int y1, int x2, int y2) {
  Points points;
  LineWalker walker(x1, y1, x2, y2);
  int x = 0;
  int y = 0;
  while (walker.Next(x, y)) points.emplace_back(x, y);
  return points;
}

struct LineCase {
  const char* name;
  int x1, y1, x2, y2;
  Points expected;
};

TEST(LineWalker, GivesTheSamePointsAsLineDda) {
  const LineCase cases[] = {
      {"zero length", 3, 3, 3, 3, {}},
      {"one step", 0, 0, 1, 0, {{0, 0}}},
      {"horizontal", 1, 2, 5, 2, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
      {"leftwards", 2, 0, -1, 0, {{2, 0}, {1, 0}, {0, 0}}},
      {"vertical down", 0, 2, 0, -1, {{0, 2}, {0, 1}, {0, 0}}},
      {"diagonal", 0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
      {"anti-diagonal", 3, 0, 0, 3, {{3, 0}, {2, 1}, {1, 2}}},
      {"shallow", 0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}},
      {"steep", 0, 0, 2, 6, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 5}}},
      {"shallow backwards", 6, 2, 0, 0, {{6, 2}, {5, 2}, {4, 1}, {3, 1}, {2, 1}, {1, 0}}},
      // A tie on the error term keeps the minor coordinate.
      {"half slope", 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(Walk(c.x1, c.y1, c.x2, c.y2), c.expected) << c.name;
  }
}

TEST(LineWalker, ExtremeCoordinatesNeitherOverflowNorWrap) {
  LineWalker across(INT_MIN, 0, INT_MAX, 0);
  int x = 0;
  int y = 0;
  ASSERT_TRUE(across.Next(x, y));
  EXPECT_EQ(x, INT_MIN);
  ASSERT_TRUE(across.Next(x, y));
  EXPECT_EQ(x, INT_MIN + 1);
  EXPECT_EQ(y, 0);

  LineWalker steep(0, INT_MAX, 1, INT_MIN);
  ASSERT_TRUE(steep.Next(x, y));
  EXPECT_EQ(y, INT_MAX);
  ASSERT_TRUE(steep.Next(x, y));
  EXPECT_EQ(y, INT_MAX - 1);
  EXPECT_EQ(x, 0);

  EXPECT_EQ(Walk(INT_MAX - 2, INT_MIN, INT_MAX, INT_MIN + 2),
            (Points{{INT_MAX - 2, INT_MIN}, {INT_MAX - 1, INT_MIN + 1}}));
}

}  // namespace
