#include <gtest/gtest.h>

#include "platform/gdi_dc.h"
#include "platform/text_layout.h"

namespace {

using namespace platform;

std::shared_ptr<const font> bold(int height) { return font::create({L"Tahoma", height, 700}); }

TEST(GdiFont, CellHeightSplitsIntoAscentAndDescentAndBoldIsWider) {
  const auto regular = font::create({L"Tahoma", 12, 400});
  ASSERT_TRUE(regular);
  EXPECT_EQ(regular->metrics().height, 12);
  EXPECT_EQ(regular->metrics().ascent + regular->metrics().descent, 12);
  EXPECT_GT(regular->metrics().ascent, 2 * regular->metrics().descent);
  EXPECT_GT(bold(12)->text_width(L"Volume"), regular->text_width(L"Volume"));
  EXPECT_EQ(bold(12), bold(12));  // shared, not made again
  // A character height (negative) gives a larger cell.
  EXPECT_GT(font::create(system_font_description())->metrics().height, 11);
  EXPECT_EQ(regular->text_width(L"\r\n\t"), 0);
}

TEST(GdiFont, SelectingGivesBackThePreviousFontStartingWithTheSystemFont) {
  dc memory;
  const auto system = memory.select_font(bold(12));
  ASSERT_TRUE(system);
  EXPECT_EQ(system->description(), system_font_description());
  EXPECT_EQ(memory.select_font(nullptr), bold(12));  // a null font changes nothing
  EXPECT_EQ(memory.select_font(system), bold(12));
  EXPECT_EQ(memory.get_text_metrics().height, system->metrics().height);
}

TEST(GdiTextLayout, FormatsPlaceASingleLine) {
  const auto f = bold(13);
  const rect box{10, 20, 110, 60};
  const int w = f->text_width(L"Power"), h = f->metrics().height;
  struct case_t {
    unsigned format;
    point expected;
  };
  const case_t cases[] = {
      {dt_singleline | dt_center | dt_vcenter, {(120 - w) / 2, (80 - h) / 2}},
      {dt_singleline | dt_left | dt_vcenter, {10, (80 - h) / 2}},
      {dt_singleline | dt_right | dt_vcenter, {110 - w, (80 - h) / 2}},
      {dt_singleline | dt_right | dt_bottom, {110 - w, 60 - h}},
      {dt_left | dt_top | dt_wordbreak, {10, 20}},
      {dt_center | dt_vcenter, {(120 - w) / 2, 20}},  // several lines ignore vertical centring
  };
  for (const case_t& c : cases) {
    const text_layout layout = lay_out_text(L"Power", box, c.format | dt_noprefix, *f);
    ASSERT_EQ(layout.lines.size(), 1u);
    EXPECT_EQ(layout.lines[0].position, c.expected) << std::hex << c.format;
    EXPECT_EQ(layout.lines[0].width, w);
  }
}

TEST(GdiTextLayout, WordWrapBreaksBetweenWordsThenInsideWordsTooLongForALine) {
  const auto f = bold(12);
  const int width = f->text_width(L"one two");
  const text_layout layout = lay_out_text(L"one two three\r\nfourfivesix", {0, 0, width, 100}, dt_wordbreak, *f);
  std::vector<std::wstring> lines;
  for (const text_line& l : layout.lines) lines.push_back(l.text);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], L"one two");
  EXPECT_EQ(lines[1], L"three");
  std::wstring rejoined;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    EXPECT_LE(f->text_width(lines[i]), width);
    rejoined += lines[i];
  }
  EXPECT_EQ(rejoined, L"fourfivesix");
  EXPECT_EQ(layout.extent.height(), f->metrics().height * static_cast<int>(lines.size()));
  EXPECT_EQ(layout.lines[1].position.y, f->metrics().height);
}

TEST(GdiTextLayout, AmpersandUnderlinesTheNextCharacterUnlessPrefixesAreOff) {
  const auto f = bold(12);
  const text_layout marked = lay_out_text(L"&Save && quit&", {0, 0, 200, 20}, dt_singleline, *f);
  EXPECT_EQ(marked.lines[0].text, L"Save & quit");
  EXPECT_EQ(marked.lines[0].underlined, (std::vector<bool>{true, false, false, false, false, false, false, false, false, false, false}));
  const text_layout plain = lay_out_text(L"&Save", {0, 0, 200, 20}, dt_singleline | dt_noprefix, *f);
  EXPECT_EQ(plain.lines[0].text, L"&Save");
}

// Bounds of the pixels that differ from the background.
rect drawn_bounds(const pixel_surface& s, std::uint32_t background) {
  rect b;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.at(x, y) != background) b = b.unite({x, y, x + 1, y + 1});
  return b;
}

TEST(GdiText, DrawTextStaysInsideItsRectangleUnlessToldNotToClip) {
  const rect box{10, 10, 30, 30};
  for (const unsigned extra : {0u, dt_noclip}) {
    pixel_surface screen(80, 40, 0xFFFFFF);
    dc window(screen, {0, 0}, region(screen.bounds()));
    window.select_font(bold(12));
    window.set_bk_mode(background_mode_t::transparent);
    rect r = box;
    window.draw_text(L"Channel", r, dt_singleline | dt_left | dt_vcenter | extra);
    const rect drawn = drawn_bounds(screen, 0xFFFFFF);
    EXPECT_EQ(drawn.intersect(box) == drawn, extra == 0);
    EXPECT_FALSE(drawn.empty());
  }
}

TEST(GdiText, MeasuringAndOpaqueOutput) {
  pixel_surface screen(60, 20, 0);
  dc window(screen, {0, 0}, region(screen.bounds()));
  window.select_font(bold(12));
  rect r{5, 5, 6, 6};
  EXPECT_EQ(window.draw_text(L"Mute", r, dt_singleline | dt_calcrect), 12);
  EXPECT_EQ(r, (rect{5, 5, 5 + bold(12)->text_width(L"Mute"), 17}));
  EXPECT_EQ(window.text_extent(L"Mute"), (size{r.width(), 12}));
  EXPECT_EQ(screen, pixel_surface(60, 20, 0));  // measuring draws nothing

  // An opaque empty text output is a fill of exactly its rectangle.
  window.set_bk_color(rgb(0x45, 0x73, 0xB3));
  const rect fill{3, 4, 13, 9};
  window.ext_text_out(0, 0, eto_opaque, &fill, L"");
  EXPECT_EQ(drawn_bounds(screen, 0), fill);
  EXPECT_EQ(screen.at(3, 4), pixel_of(rgb(0x45, 0x73, 0xB3)));
}

}  // namespace
