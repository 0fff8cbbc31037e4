// Skin model shapes as GDI regions.
#include <gtest/gtest.h>

#include <vector>

#include "imaging/region_data.h"
#include "model/skin_container.h"
#include "model/skin_object.h"
#include "ui/crgn.h"

namespace {

std::vector<POINT> Points(std::initializer_list<std::pair<LONG, LONG>> list) {
  std::vector<POINT> points;
  for (const auto& p : list) points.push_back(POINT{p.first, p.second});
  return points;
}

int RegionType(const CRgn& region) {
  RECT box;
  return ::GetRgnBox(region, &box);
}

// A right triangle with its right angle at (0, 0): inside below the diagonal
// from (20, 0) to (0, 20).
std::vector<POINT> Triangle() { return Points({{0, 0}, {20, 0}, {0, 20}}); }

TEST(SkinContainerRegionTest, NoRegionAndNoPointsGiveAnEmptyRegion) {
  SkinContainer container("MainWindow");
  CRgn region;
  ASSERT_TRUE(region.CreateRectRgn(0, 0, 5, 5));  // the old content must go

  EXPECT_FALSE(container.GetWindowRegionOrEmpty(region));
  ASSERT_FALSE(region.IsNull());
  EXPECT_EQ(RegionType(region), NULLREGION);

  // Too few points for a polygon are no shape either.
  container.windowShape.points = Points({{0, 0}, {10, 10}});
  EXPECT_FALSE(container.GetWindowRegionOrEmpty(region));
  ASSERT_FALSE(region.IsNull());
  EXPECT_EQ(RegionType(region), NULLREGION);
}

TEST(SkinContainerRegionTest, PolygonGivesItsArea) {
  SkinContainer container("MainWindow");
  container.windowShape.points = Triangle();
  CRgn region;
  ASSERT_TRUE(container.GetWindowRegionOrEmpty(region));
  EXPECT_TRUE(region.PtInRegion(2, 2));
  EXPECT_TRUE(region.PtInRegion(2, 15));
  EXPECT_FALSE(region.PtInRegion(15, 15));
  EXPECT_FALSE(region.PtInRegion(-1, 2));
}

TEST(SkinContainerRegionTest, RegionWinsOverPoints) {
  SkinContainer container("MainWindow");
  container.windowShape.points = Triangle();
  RECT rect{30, 30, 40, 35};
  container.windowShape.region = RegionData::FromRect(rect);
  CRgn region;
  ASSERT_TRUE(container.GetWindowRegionOrEmpty(region));
  EXPECT_TRUE(region.PtInRegion(30, 30));
  EXPECT_TRUE(region.PtInRegion(39, 34));
  EXPECT_FALSE(region.PtInRegion(40, 34));
  EXPECT_FALSE(region.PtInRegion(2, 2)) << "the polygon is ignored";
}

TEST(SkinObjectRegionTest, WindowRegionFollowsTheShapeAndStaysAbsentWithoutOne) {
  SkinObject object(SkinObjectKind::kButton, "play");
  CRgn region;
  ASSERT_TRUE(region.CreateRectRgn(0, 0, 5, 5));
  EXPECT_FALSE(object.GetWindowRegion(region));
  EXPECT_TRUE(region.IsNull()) << "an unshaped object keeps its rectangular window";

  object.windowShape.points = Triangle();
  ASSERT_TRUE(object.GetWindowRegion(region));
  EXPECT_TRUE(region.PtInRegion(2, 2));
  EXPECT_FALSE(region.PtInRegion(15, 15));

  RECT rect{10, 10, 12, 12};
  object.windowShape.region = RegionData::FromRect(rect);
  ASSERT_TRUE(object.GetWindowRegion(region));
  EXPECT_TRUE(region.PtInRegion(11, 11));
  EXPECT_FALSE(region.PtInRegion(2, 2));
}

TEST(SkinObjectRegionTest, MouseRegionIsTheMousePolygon) {
  SkinObject object(SkinObjectKind::kButton, "play");
  object.windowShape.points = Points({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  CRgn region;
  ASSERT_TRUE(region.CreateRectRgn(0, 0, 5, 5));
  EXPECT_FALSE(object.MouseRegion(region));
  EXPECT_TRUE(region.IsNull()) << "no mouse polygon, no mouse region";

  object.mousePolygon = Triangle();
  ASSERT_TRUE(object.MouseRegion(region));
  EXPECT_TRUE(region.PtInRegion(2, 2));
  EXPECT_FALSE(region.PtInRegion(15, 15)) << "only the mouse polygon counts, not the window shape";
}

}  // namespace
