// The rendering layer's surface: a memory bitmap of a given size that a viewer shows with one block
// copy, re-made at another surface's size and pixels, and the factory that makes it.
#include <gtest/gtest.h>

#include "remote/layer.h"

namespace {

using platform::colorref;

void paint(layer::surface& s, int width, int height) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) s->context().set_pixel(x, y, static_cast<colorref>(x * 0x010203 + y * 0x100000));
  }
}

TEST(LayerFactory, MakesTheGdiSurfaceAndRendererOnce) {
  layer::detail::factory& factory = layer::detail::the_factory();
  EXPECT_EQ(&factory, &layer::detail::the_factory());
  layer::surface s;
  EXPECT_STREQ(s->name(), "win32-gdi-surface");
  layer::renderer r(s);
  EXPECT_STREQ(r->name(), "win32-gdi-renderer");
}

TEST(LayerSurface, CreateMakesABlackBitmapOfThatSizeAndFreeEmptiesIt) {
  layer::surface s;
  EXPECT_TRUE(s->is_empty());
  EXPECT_EQ(s->size(), (platform::size{0, 0}));
  ASSERT_TRUE(s->create(30, 20));
  EXPECT_FALSE(s->is_empty());
  EXPECT_EQ(s->size(), (platform::size{30, 20}));
  EXPECT_EQ(s->context().get_pixel(29, 19), 0u);
  EXPECT_EQ(s->context().get_pixel(30, 19), 0xFFFFFFFFu);  // past the bitmap

  s->context().set_pixel(3, 3, 0x123456);
  ASSERT_TRUE(s->create(8, 40));  // a new bitmap, not the old one resized
  EXPECT_EQ(s->size(), (platform::size{8, 40}));
  EXPECT_EQ(s->context().get_pixel(3, 3), 0u);

  s->free();
  EXPECT_TRUE(s->is_empty());
  EXPECT_EQ(s->size(), (platform::size{0, 0}));
  EXPECT_EQ(s->context().target(), nullptr);
  s->free();  // freeing an empty surface does nothing
  EXPECT_TRUE(s->is_empty());
}

TEST(LayerSurface, ASizeBelowOneMakesNoBitmap) {
  layer::surface s;
  ASSERT_TRUE(s->create(10, 10));
  EXPECT_FALSE(s->create(0, 10));
  EXPECT_TRUE(s->is_empty());
  EXPECT_FALSE(s->create(10, -1));
  EXPECT_EQ(s->size(), (platform::size{0, 0}));
}

TEST(LayerSurface, CopyToPlacesEveryPixelOnTheTargetWithoutTransparency) {
  layer::surface s;
  ASSERT_TRUE(s->create(6, 4));
  paint(s, 6, 4);
  s->context().set_pixel(2, 1, 0xFF00FF);  // magenta is copied like any colour
  platform::pixel_surface screen(20, 12, 0x00ABCDEF);
  platform::dc window(screen, {1, 2}, platform::region(screen.bounds()));
  s->copy_to(window, 5, 3);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 20; ++x) {
      const int sx = x - 6, sy = y - 5;  // the window's origin plus the copy's position
      const bool inside = sx >= 0 && sx < 6 && sy >= 0 && sy < 4;
      const std::uint32_t expected = inside ? platform::pixel_of(s->context().get_pixel(sx, sy)) : 0x00ABCDEFu;
      ASSERT_EQ(screen.at(x, y), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(screen.at(8, 6), 0xFF00FFu);
}

TEST(LayerSurface, CopyToFromAnEmptySurfaceLeavesTheTarget) {
  layer::surface s;
  platform::pixel_surface screen(4, 4, 0x00112233);
  platform::dc window(screen, {0, 0}, platform::region(screen.bounds()));
  s->copy_to(window, 0, 0);
  EXPECT_EQ(screen, platform::pixel_surface(4, 4, 0x00112233));
}

TEST(LayerSurface, CopyFromTakesTheOtherSurfacesSizeAndPixels) {
  layer::surface source, copy;
  ASSERT_TRUE(source->create(12, 9));
  paint(source, 12, 9);
  ASSERT_TRUE(copy->create(40, 40));
  ASSERT_TRUE(copy->copy_from(source.impl()));
  EXPECT_EQ(copy->size(), (platform::size{12, 9}));
  ASSERT_NE(copy->context().target(), nullptr);
  EXPECT_EQ(*copy->context().target(), *source->context().target());
  // The copy has pixels of its own: drawing on one leaves the other.
  copy->context().set_pixel(0, 0, 0x0000FF);
  EXPECT_NE(source->context().get_pixel(0, 0), 0x0000FFu);
}

TEST(LayerSurface, CopyFromAnEmptySurfaceFailsAndLeavesThisOneEmpty) {
  layer::surface empty, copy;
  ASSERT_TRUE(copy->create(5, 5));
  EXPECT_FALSE(copy->copy_from(empty.impl()));
  EXPECT_TRUE(copy->is_empty());
}

}  // namespace
