#include "platform/region.h"

#include <gtest/gtest.h>

namespace {

using platform::point;
using platform::rect;
using platform::region;

// Counts the pixels of a region by testing every point of its bounds, and checks that no pixel
// is held by two of its rectangles.
int pixel_count(const region& rg) {
  int count = 0;
  const rect b = rg.bounds();
  for (int y = b.top; y < b.bottom; ++y)
    for (int x = b.left; x < b.right; ++x) {
      int holders = 0;
      for (const rect& r : rg.rects()) holders += r.contains({x, y}) ? 1 : 0;
      EXPECT_LE(holders, 1) << x << "," << y;
      count += holders;
    }
  return count;
}

TEST(Region, AddSubtractAndIntersectKeepDisjointRectangles) {
  region rg(rect{0, 0, 10, 10});
  rg.add(rect{5, 5, 15, 15});  // overlaps a 5x5 corner
  EXPECT_EQ(pixel_count(rg), 100 + 100 - 25);
  rg.subtract(rect{2, 2, 4, 4});  // a hole
  EXPECT_EQ(pixel_count(rg), 175 - 4);
  EXPECT_FALSE(rg.contains({3, 3}));
  EXPECT_TRUE(rg.contains({14, 14}));
  rg.intersect(rect{0, 0, 8, 8});
  EXPECT_EQ(pixel_count(rg), 64 - 4);
  EXPECT_EQ(rg.bounds(), (rect{0, 0, 8, 8}));
  rg.subtract(rect{-5, -5, 20, 20});
  EXPECT_TRUE(rg.empty());
}

TEST(Region, EmptyRectanglesAddNothingAndOffsetMovesEveryPixel) {
  region rg;
  rg.add(rect{3, 3, 3, 9});
  EXPECT_TRUE(rg.empty());
  rg.add(rect{0, 0, 2, 2});
  rg.offset(10, 20);
  EXPECT_TRUE(rg.contains(point{11, 21}));
  EXPECT_FALSE(rg.contains(point{1, 1}));
  EXPECT_EQ((rect{1, 1, 3, 3}.intersect(rect{5, 5, 6, 6})), rect{});
}

}  // namespace
