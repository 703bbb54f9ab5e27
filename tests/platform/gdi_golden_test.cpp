// Drawing primitives checked against reference images.
#include <gtest/gtest.h>

#include "platform/gdi_dc.h"
#include "support/golden_image.h"

namespace {

using platform::brush;
using platform::dc;
using platform::pixel_surface;
using platform::rect;
using platform::region;
using platform::rgb;

// A backdrop of coloured bands so that inversions and copies show on every colour.
pixel_surface backdrop(int width, int height) {
  pixel_surface s(width, height);
  const std::uint32_t bands[] = {0xE0E0E0, 0x4573B3, 0xCCDECC, 0x09D738, 0x262CBA};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) s.set(x, y, bands[(x / 8 + y / 8) % 5]);
  return s;
}

dc whole(pixel_surface& s) { return dc(s, {0, 0}, region(s.bounds())); }

TEST(GdiGolden, TransparentCopyAtNaturalAndDoubleSize) {
  // A 12x12 sprite: a dark ring on a magenta key with a yellow middle.
  pixel_surface sprite(12, 12, 0xFF00FF);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const int d = (2 * x - 11) * (2 * x - 11) + (2 * y - 11) * (2 * y - 11);
      if (d <= 36) sprite.set(x, y, 0xFFD700);
      else if (d <= 121) sprite.set(x, y, 0x202040);
    }
  pixel_surface screen = backdrop(48, 32);
  dc window = whole(screen);
  ASSERT_TRUE(window.transparent_image({2, 2, 14, 14}, sprite, sprite.bounds(), rgb(255, 0, 255)));
  ASSERT_TRUE(window.transparent_image({20, 4, 44, 28}, sprite, sprite.bounds(), rgb(255, 0, 255)));
  EXPECT_TRUE(zqtest::matches_golden(screen, "gdi_transparent_copy"));
}

TEST(GdiGolden, PatternInversionTwiceRestoresTheSurface) {
  // A diagonal hatch, as the pressed-button overlay uses.
  auto hatch = std::make_shared<platform::mono_bitmap>(platform::mono_bitmap::from_rows(
      8, {0b10001000, 0b01000100, 0b00100010, 0b00010001, 0b10001000, 0b01000100, 0b00100010, 0b00010001}));
  const pixel_surface before = backdrop(40, 24);
  pixel_surface screen = before;
  dc window = whole(screen);
  window.select_brush(brush::from_pattern(hatch));
  window.set_text_color(rgb(0, 0, 0));
  window.set_bk_color(rgb(255, 255, 255));
  window.pat_blt({4, 4, 36, 20}, platform::rop::patinvert);
  EXPECT_TRUE(zqtest::matches_golden(screen, "gdi_pattern_inversion"));
  window.pat_blt({4, 4, 36, 20}, platform::rop::patinvert);
  EXPECT_EQ(screen, before);
}

TEST(GdiGolden, FocusFrameTwiceRestoresTheSurface) {
  const pixel_surface before = backdrop(32, 20);
  pixel_surface screen = before;
  dc window(screen, {1, 1}, region(screen.bounds()));
  const rect frames[] = {{2, 2, 28, 16}, {6, 6, 7, 12}, {10, 8, 20, 9}};  // also one pixel wide and high
  for (const rect& r : frames) window.draw_focus_rect(r);
  EXPECT_TRUE(zqtest::matches_golden(screen, "gdi_focus_frame"));
  for (const rect& r : frames) window.draw_focus_rect(r);
  EXPECT_EQ(screen, before);
}

TEST(GdiGolden, RoundedFramesOutlinedAndFilled) {
  pixel_surface screen(64, 32, 0xFFFFFF);
  dc window = whole(screen);
  window.select_pen({platform::pen_style_t::solid, 1, rgb(0, 0, 0)});
  window.select_brush(brush::hollow());
  window.round_rect({2, 2, 30, 30}, 10, 10);
  window.select_pen({platform::pen_style_t::solid, 2, rgb(0, 0, 128)});
  window.select_brush(brush::solid(rgb(186, 214, 244)));
  window.round_rect({34, 4, 62, 20}, 12, 8);
  window.select_pen({platform::pen_style_t::null, 1, 0});
  window.rectangle({34, 24, 62, 30});
  EXPECT_TRUE(zqtest::matches_golden(screen, "gdi_rounded_frame"));
}

TEST(GdiGolden, TextInEachFormat) {
  struct case_t {
    rect box;
    const wchar_t* text;
    unsigned format;
    int font_height;  // 0: the system font
    platform::colorref color;
  };
  using namespace platform;
  const case_t cases[] = {
      {{4, 4, 116, 28}, L"Centred", dt_singleline | dt_center | dt_vcenter | dt_noclip | dt_noprefix, 12, rgb(0, 0, 0)},
      {{124, 4, 236, 28}, L"Left & middle", dt_singleline | dt_left | dt_vcenter | dt_noclip | dt_noprefix, 13, rgb(0, 0, 160)},
      {{4, 32, 116, 56}, L"Right", dt_singleline | dt_right | dt_vcenter | dt_noclip | dt_noprefix, 13, rgb(160, 0, 0)},
      {{124, 32, 236, 56}, L"Bottom right", dt_singleline | dt_right | dt_bottom | dt_noprefix, 12, rgb(0, 96, 0)},
      {{4, 60, 116, 112}, L"Word-wrapped text breaks between words onto lines", dt_left | dt_top | dt_wordbreak | dt_noprefix, 12, rgb(0, 0, 0)},
      {{124, 60, 180, 84}, L"Clipped at the edge", dt_singleline | dt_left | dt_vcenter | dt_noprefix, 13, rgb(0, 0, 0)},
      {{124, 88, 180, 112}, L"Not clipped", dt_singleline | dt_center | dt_vcenter | dt_noclip | dt_noprefix, 13, rgb(0, 0, 0)},
      {{4, 116, 116, 140}, L"&Options && more", dt_singleline | dt_left | dt_vcenter, 0, rgb(0, 0, 0)},
      {{124, 116, 236, 140}, L"Top left, no flags", 0, 0, rgb(64, 64, 64)},
  };
  pixel_surface screen(240, 160, 0xF4F4F4);
  dc window = whole(screen);
  window.select_brush(brush::hollow());
  window.select_pen({pen_style_t::solid, 1, rgb(200, 200, 255)});
  for (const case_t& c : cases) {
    window.rectangle(c.box.inflate(1, 1));
    if (c.font_height) window.select_font(font::create({L"Tahoma", c.font_height, 700}));
    else window.select_font(font::create(system_font_description()));
    window.set_text_color(c.color);
    window.set_bk_mode(background_mode_t::transparent);
    rect r = c.box;
    window.draw_text(c.text, r, c.format);
  }
  // Opaque background mode fills each line's cell.
  window.set_bk_mode(background_mode_t::opaque);
  window.set_bk_color(rgb(255, 230, 120));
  rect r{4, 144, 236, 158};
  window.draw_text(L"Opaque background", r, dt_singleline | dt_center | dt_vcenter);
  EXPECT_TRUE(zqtest::matches_golden(screen, "gdi_text_formats"));
}

}  // namespace
