#include "platform/gdi_dc.h"

#include <gtest/gtest.h>

namespace {

using platform::bitmap;
using platform::brush;
using platform::dc;
using platform::pixel_surface;
using platform::rect;
using platform::region;
using platform::rgb;

constexpr std::uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;

// The surface as one character per pixel ('.' for the background), for readable comparisons.
std::string picture(const pixel_surface& s, std::uint32_t background = 0) {
  std::string out;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      const std::uint32_t p = s.at(x, y);
      out += p == background ? '.' : p == red ? 'r' : p == green ? 'g' : p == blue ? 'b' : p == white ? 'w' : '?';
    }
    out += '\n';
  }
  return out;
}

TEST(GdiDc, WindowContextDrawsAtItsOriginAndOnlyInsideItsClip) {
  pixel_surface screen(8, 4);
  region visible(rect{2, 1, 7, 4});
  visible.subtract(rect{4, 2, 5, 3});  // a sibling covering one pixel
  dc window(screen, {2, 1}, visible);
  window.fill_rect({-10, -10, 100, 100}, brush::solid(rgb(255, 0, 0)));
  window.set_pixel(0, 0, rgb(0, 0, 255));
  window.set_pixel(-1, 0, rgb(0, 0, 255));  // left of the window: not drawn
  EXPECT_EQ(picture(screen),
            "........\n"
            "..brrrr.\n"
            "..rr.rr.\n"
            "..rrrrr.\n");
  EXPECT_EQ(window.get_pixel(0, 0), rgb(0, 0, 255));
  EXPECT_EQ(window.get_pixel(2, 1), 0xFFFFFFFFu);  // the covered pixel
}

TEST(GdiDc, MemoryContextDrawsIntoTheSelectedBitmapAndGivesBackThePreviousOne) {
  dc memory;
  EXPECT_FALSE(memory.bit_blt(0, 0, 1, 1, dc(), 0, 0, platform::rop::srccopy));  // no pixels to copy from
  const bitmap first = bitmap::create_compatible(3, 2);
  EXPECT_TRUE(memory.select_bitmap(first).is_null());
  memory.fill_rect({1, 0, 9, 9}, brush::solid(rgb(0, 255, 0)));
  EXPECT_EQ(picture(*first.pixels()), ".gg\n.gg\n");
  const bitmap second = bitmap::create_compatible(1, 1);
  EXPECT_EQ(memory.select_bitmap(second), first);
  memory.fill_rect({0, 0, 1, 1}, brush::solid(rgb(0, 255, 0)));
  EXPECT_EQ(picture(*second.pixels()), "g\n");
  EXPECT_EQ(picture(*first.pixels()), ".gg\n.gg\n");
}

TEST(GdiDc, RasterOperationsFollowTheirTruthTables) {
  struct case_t {
    std::uint32_t rop;
    std::uint32_t expected;
  };
  const std::uint32_t pattern = 0xF0F0F0, source = 0xCCCCCC, destination = 0xAAAAAA;
  const case_t cases[] = {
      {platform::rop::srccopy, 0xCCCCCC},   {platform::rop::srcpaint, 0xEEEEEE},
      {platform::rop::srcand, 0x888888},    {platform::rop::srcinvert, 0x666666},
      {platform::rop::patcopy, 0xF0F0F0},   {platform::rop::patinvert, 0x5A5A5A},
      {platform::rop::dstinvert, 0x555555}, {platform::rop::blackness, 0x000000},
      {platform::rop::whiteness, 0xFFFFFF},
  };
  for (const case_t& c : cases)
    EXPECT_EQ(platform::apply_rop(c.rop, pattern, source, destination), c.expected) << std::hex << c.rop;
}

TEST(GdiDc, BlockCopyWithinOneSurfaceTakesOverlappingPixelsBeforeOverwritingThem) {
  pixel_surface screen(5, 1);
  screen.set(0, 0, red);
  screen.set(1, 0, green);
  screen.set(2, 0, blue);
  dc window(screen, {0, 0}, region(screen.bounds()));
  ASSERT_TRUE(window.bit_blt(1, 0, 4, 1, window, 0, 0, platform::rop::srccopy));
  EXPECT_EQ(picture(screen), "rrgb.\n");
}

TEST(GdiDc, StretchedAndTransparentCopiesScaleByNearestPixelAndSkipTheKey) {
  pixel_surface image(2, 2, 0xFF00FF);
  image.set(0, 0, red);
  image.set(1, 1, blue);
  pixel_surface screen(5, 4, white);
  dc window(screen, {1, 0}, region(screen.bounds()));
  ASSERT_TRUE(window.transparent_image({0, 0, 4, 4}, image, {0, 0, 2, 2}, rgb(255, 0, 255)));
  EXPECT_EQ(picture(screen),
            "wrrww\n"
            "wrrww\n"
            "wwwbb\n"
            "wwwbb\n");
  ASSERT_TRUE(window.stretch_blt({0, 0, 1, 1}, image, {0, 0, 2, 2}, platform::rop::srccopy));
  EXPECT_EQ(screen.at(1, 0), blue);  // halving samples the pixel nearest the destination's centre
}

TEST(GdiDc, PatternBrushPaintsClearBitsInTextColourAndSetBitsInBackgroundColourFromTheOrigin) {
  auto bits = std::make_shared<platform::mono_bitmap>(platform::mono_bitmap::from_rows(2, {0b10, 0b01}));
  pixel_surface screen(5, 2);
  dc window(screen, {1, 0}, region(screen.bounds()));
  window.set_text_color(rgb(255, 0, 0));
  window.set_bk_color(rgb(0, 255, 0));
  window.fill_rect({0, 0, 4, 2}, brush::from_pattern(bits));
  EXPECT_EQ(picture(screen),
            ".grgr\n"
            ".rgrg\n");
}

TEST(GdiDc, LinesLeaveOutTheirEndPoint) {
  pixel_surface screen(4, 3);
  dc window(screen, {0, 0}, region(screen.bounds()));
  window.select_pen({platform::pen_style_t::solid, 1, rgb(255, 0, 0)});
  window.move_to(0, 0);
  window.line_to(3, 0);
  window.line_to(3, 2);
  window.select_pen({platform::pen_style_t::null, 1, 0});
  window.line_to(0, 2);
  EXPECT_EQ(picture(screen),
            "rrrr\n"
            "...r\n"
            "....\n");  // (3, 2) is left out
}

TEST(GdiDc, IconsBlendByAlphaOrApplyTheirMask) {
  pixel_surface screen(6, 1, 0x808080);
  dc window(screen, {0, 0}, region(screen.bounds()));
  platform::icon with_alpha{2, 1, {0x80FF0000u, 0x000000FFu}, {}, true};
  window.draw_icon({0, 0, 2, 1}, with_alpha);
  platform::icon with_mask{3, 1, {0x000000u, 0xFFFFFFu, 0x00FF00u}, {1, 1, 0}, false};
  window.draw_icon({2, 0, 5, 1}, with_mask);
  EXPECT_EQ(screen.at(0, 0), 0xC04040u);  // half red over grey
  EXPECT_EQ(screen.at(1, 0), 0x808080u);  // fully transparent
  EXPECT_EQ(screen.at(2, 0), 0x808080u);  // masked black leaves the background
  EXPECT_EQ(screen.at(3, 0), 0x7F7F7Fu);  // masked white inverts it
  EXPECT_EQ(screen.at(4, 0), green);
  EXPECT_EQ(screen.at(5, 0), 0x808080u);
}

}  // namespace
