// The renderer's drawing by profile without a skin: fills, built-in backgrounds and faces by state,
// the stand-in for a missing icon, text by alignment, the focus frame, the hatch overlay and page
// previews, checked pixel by pixel on a memory surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "remote/layer.h"
#include "remote/layer_gdi_renderer.h"
#include "remote/skin_libraries.h"

namespace {

constexpr std::uint32_t paper = 0x00123456;  // what the surface holds before each test draws

// Sets the screen class for one test and puts the ordinary class back.
class screen_class_scope {
 public:
  explicit screen_class_scope(int screen_class) { layer::set_screen_class(screen_class); }
  ~screen_class_scope() { layer::set_screen_class(0); }
};

class LayerRenderer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(remote::skin_libraries::instance().current(), nullptr);  // built-in colours only here
    ASSERT_TRUE(surface_->create(width, height));
    clear();
  }
  void clear() { surface_->context().target()->fill({0, 0, width, height}, platform::pixel_of(paper)); }
  std::uint32_t at(int x, int y) const { return surface_->context().get_pixel(x, y); }
  const platform::pixel_surface& pixels() const { return *surface_->context().target(); }
  // Whether every pixel inside r has colour c and every pixel outside it the paper.
  ::testing::AssertionResult only(const layer::rectangle& r, std::uint32_t c) const {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool inside = x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
        const std::uint32_t expected = inside ? c : paper;
        if (at(x, y) != expected) {
          return ::testing::AssertionFailure() << std::hex << "pixel " << std::dec << x << "," << y << " is " << std::hex
                                               << at(x, y) << ", not " << expected;
        }
      }
    }
    return ::testing::AssertionSuccess();
  }
  bool untouched() const { return pixels() == platform::pixel_surface(width, height, platform::pixel_of(paper)); }
  // The first and last column holding anything but paper.
  std::pair<int, int> ink_columns() const {
    int first = width, last = -1;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (at(x, y) == paper) continue;
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
    return {first, last};
  }
  void text(const layer::rectangle& r, const std::string& s, std::int32_t font, std::int32_t align,
            std::uint32_t color = 0x000000) {
    renderer_->draw_text(r, s.data(), s.size(), color, font, align);
  }

  static constexpr int width = 120;
  static constexpr int height = 50;
  layer::surface surface_;
  layer::renderer renderer_{surface_};
};

TEST_F(LayerRenderer, FillPaintsExactlyTheRectangle) {
  renderer_->fill({10, 5, 30, 20}, 0x00ABCDEF);
  EXPECT_TRUE(only({10, 5, 30, 20}, 0x00ABCDEF));
}

TEST_F(LayerRenderer, FillWithATopByteOf0xFFDrawsNothing) {
  renderer_->fill({0, 0, width, height}, layer::no_color);
  renderer_->fill({0, 0, width, height}, 0xFFFFFFFF);
  renderer_->fill({0, 0, width, height}, 0xFF00FF00);
  EXPECT_TRUE(untouched());
  // Any lower top byte is still a colour.
  renderer_->fill({0, 0, 4, 4}, 0xFEFFFFFF);
  EXPECT_TRUE(only({0, 0, 4, 4}, 0x00FFFFFF));
}

TEST_F(LayerRenderer, BackgroundsBelow1000AreGreenNothingOrTheirTableColour) {
  const layer::rectangle r{2, 3, 50, 40};
  struct case_t {
    std::int32_t profile;
    std::uint32_t color;  // paper: nothing drawn
  };
  const case_t cases[] = {{-5, 0x00FF00},  {0, 0x00FF00},   {99, 0x00FF00},   {100, paper},     {399, paper},
                          {400, 0xB37345}, {401, 0xCCDECC}, {402, 0x38D709}, {403, 0xCC9966}, {1000, 0xE0E0E0}};
  for (const case_t& c : cases) {
    clear();
    renderer_->draw_background(r, c.profile);
    EXPECT_TRUE(only(r, c.color)) << c.profile;
  }
}

TEST_F(LayerRenderer, ASkinBackgroundWithoutASkinIsTheSkinsGrey) {
  renderer_->draw_background({0, 0, 60, 30}, 1005);
  EXPECT_TRUE(only({0, 0, 60, 30}, 0xE0E0E0));
}

TEST_F(LayerRenderer, FacesBelow1000TakeTheirColourChangedByState) {
  const layer::rectangle r{5, 5, 20, 10};
  struct case_t {
    std::int32_t profile, state;
    std::uint32_t color;
  };
  const case_t cases[] = {
      {0, 0, 0x7F6499}, {0, 1, 0xCCDECC}, {0, 2, 0x7FD4FA}, {0, 3, 0x7FD499},   // green 0x64, profile 6, red 0xFA
      {3, 0, 0x2664BA}, {3, 1, 0xCCDECC}, {3, 2, 0x262CFA}, {3, 7, 0x262CBA},   // other states: unchanged
      {7, 0, 0x0A64F4}, {7, 3, 0x0AABF4}, {1, 3, 0x878900}, {5, 2, 0xB373FA},
  };
  for (const case_t& c : cases) {
    clear();
    renderer_->draw_button(r, c.profile, c.state);
    EXPECT_TRUE(only(r, c.color)) << c.profile << " in state " << c.state;
  }
}

TEST_F(LayerRenderer, Profile1000DrawsNoFace) {
  for (std::int32_t state = 0; state < 4; ++state) renderer_->draw_button({0, 0, width, height}, 1000, state);
  EXPECT_TRUE(untouched());
}

TEST_F(LayerRenderer, ASkinFaceWithoutASkinIsTheFaceOfProfile4InItsState) {
  const layer::rectangle r{1, 2, 30, 12};
  const std::uint32_t by_state[] = {0xF464BA, 0xCCDECC, 0xF4D6FA, 0xF4D6BA};
  for (std::int32_t state = 0; state < 4; ++state) {
    clear();
    renderer_->draw_button(r, 1001, state);
    EXPECT_TRUE(only(r, by_state[state])) << state;
  }
}

TEST_F(LayerRenderer, AMissingIconIsABlackSquareCentredInTheRectangle) {
  renderer_->draw_icon({10, 10, 31, 20}, 1000);  // profiles up to 1000 have no icon
  renderer_->draw_icon({10, 10, 31, 20}, 0);
  EXPECT_TRUE(untouched());
  renderer_->draw_icon({10, 10, 31, 20}, 1001);
  EXPECT_TRUE(only({20, 15, 10, 10}, 0x000000));
}

TEST_F(LayerRenderer, AMissingIconDoublesOnTheHighResolutionClasses) {
  const screen_class_scope high(3);
  renderer_->draw_icon({0, 0, 40, 30}, 1002);
  EXPECT_TRUE(only({10, 5, 20, 20}, 0x000000));
}

TEST_F(LayerRenderer, TheFontsAreBoldAtCellHeights12And13DoubledOnClasses3To6) {
  const auto heights = [](int screen_class) {
    const screen_class_scope scope(screen_class);
    layer::detail::win32::gdi_renderer_impl made;
    EXPECT_EQ(made.font_of(0)->description().weight, 700);
    EXPECT_EQ(made.font_of(1)->description().weight, 700);
    EXPECT_EQ(made.font_of(0)->description().face, platform::system_font_description().face);
    return std::pair(made.font_of(0)->metrics().height, made.font_of(1)->metrics().height);
  };
  EXPECT_EQ(heights(0), std::pair(12, 13));
  EXPECT_EQ(heights(2), std::pair(12, 13));
  EXPECT_EQ(heights(3), std::pair(24, 26));
  EXPECT_EQ(heights(6), std::pair(24, 26));
  EXPECT_EQ(heights(7), std::pair(12, 13));
}

TEST_F(LayerRenderer, TextInkIsTheColourOverATransparentBackground) {
  text({0, 0, width, height}, "HIH", 1, 0, 0x0000FF);
  bool solid = false;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) solid = solid || at(x, y) == 0x0000FF;
  }
  EXPECT_TRUE(solid);
  EXPECT_EQ(at(0, 0), paper);
  EXPECT_EQ(at(width - 1, height - 1), paper);
}

TEST_F(LayerRenderer, EmptyTextDrawsNothingAndTheContextKeepsItsFont) {
  const auto before = surface_->context().select_font(nullptr);
  renderer_->draw_text({0, 0, width, height}, "", 0, 0, 0, 0);
  renderer_->draw_text({0, 0, width, height}, nullptr, 5, 0, 0, 0);
  EXPECT_TRUE(untouched());
  text({0, 0, width, height}, "Power", 0, 0);
  text({0, 0, width, height}, "Power", 1, 3);
  EXPECT_EQ(surface_->context().select_font(nullptr), before);
}

TEST_F(LayerRenderer, TheFontNumberChoosesTheFontAndOthersKeepTheCurrentOne) {
  const auto ink_width = [&](std::int32_t font) {
    clear();
    text({0, 0, width, height}, "MMMM", font, 1);
    const auto [first, last] = ink_columns();
    return last - first;
  };
  const int font0 = ink_width(0), font1 = ink_width(1);
  EXPECT_LT(font0, font1);
  // Font 5 draws with whatever font the context holds, here a large one.
  const auto large = platform::font::create({L"Tahoma", 30, 400});
  ASSERT_TRUE(large);
  surface_->context().select_font(large);
  EXPECT_GT(ink_width(5), 2 * font1);
  EXPECT_EQ(surface_->context().select_font(nullptr), large);
}

TEST_F(LayerRenderer, AlignmentsPlaceASingleLine) {
  const layer::rectangle r{20, 10, 80, 30};
  text(r, "Vol", 0, 1);
  const auto left = ink_columns();
  clear();
  text(r, "Vol", 0, 2);
  const auto right = ink_columns();
  clear();
  text(r, "Vol", 0, 0);
  const auto centre = ink_columns();
  EXPECT_LE(left.first - r.x, 2);
  EXPECT_LE(r.x + r.width - 1 - right.second, 2);
  EXPECT_EQ(right.second - right.first, left.second - left.first);
  EXPECT_LE(std::abs((centre.first - r.x) - (r.x + r.width - 1 - centre.second)), 2);
}

TEST_F(LayerRenderer, Align4CentresAFittingTextLikeAlign0) {
  const layer::rectangle r{20, 10, 80, 30};
  text(r, "Menu", 1, 0);
  const platform::pixel_surface centred = pixels();
  clear();
  text(r, "Menu", 1, 4);
  EXPECT_EQ(pixels(), centred);
  const auto [first, last] = ink_columns();
  EXPECT_GT(first, r.x + 10);
}

TEST_F(LayerRenderer, Align4StartsATooLongTextAtTheLeftEdgeAndClipsIt) {
  const layer::rectangle r{30, 10, 60, 30};
  const std::string long_title = "Favourite channels list";
  text(r, long_title, 1, 0);
  const auto centred = ink_columns();
  EXPECT_LT(centred.first, r.x);  // centred without clipping it spills over both edges
  EXPECT_GE(centred.second, r.x + r.width);
  clear();
  text(r, long_title, 1, 4);
  const auto [first, last] = ink_columns();
  EXPECT_GE(first, r.x);
  EXPECT_LE(first - r.x, 2);
  EXPECT_LT(last, r.x + r.width);
  EXPECT_GE(last, r.x + r.width - 3);  // the rectangle is filled to its right edge
}

TEST_F(LayerRenderer, Align3WrapsWordsFromTheTopLeft) {
  const layer::rectangle r{10, 2, 60, 46};
  text(r, "one two three four", 0, 3);
  int first_row = height, last_row = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (at(x, y) == paper) continue;
      first_row = std::min(first_row, y);
      last_row = std::max(last_row, y);
    }
  }
  EXPECT_LE(first_row - r.y, 3);
  EXPECT_GT(last_row - first_row, 12);  // more than one line of the 12-pixel font
  EXPECT_LT(ink_columns().second, r.x + r.width);
}

TEST_F(LayerRenderer, TextIsConvertedFromTheDocumentsCodePage) {
  // 0x80 is the euro sign in the documents' code page, a control character (no glyph) if the
  // bytes were taken as Unicode.
  text({0, 0, width, height}, "\x80", 0, 0);
  EXPECT_LE(ink_columns().first, ink_columns().second);
}

TEST_F(LayerRenderer, TheFocusFrameInvertsEveryOtherEdgePixelAndASecondOneRemovesIt) {
  renderer_->focus_frame({10, 10, 20, 10});
  EXPECT_EQ(at(10, 10), paper ^ 0x00FFFFFFu);
  EXPECT_EQ(at(11, 10), paper);
  EXPECT_EQ(at(15, 15), paper);  // inside the frame
  EXPECT_EQ(at(29, 19), paper ^ 0x00FFFFFFu);
  renderer_->focus_frame({10, 10, 20, 10});
  EXPECT_TRUE(untouched());
}

class LayerHatch : public LayerRenderer {
 protected:
  void SetUp() override {
    LayerRenderer::SetUp();
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) surface_->context().set_pixel(x, y, static_cast<std::uint32_t>(x * 0x020301 + y * 0x010504));
    }
    before_ = pixels();
  }
  // Whether the overlay inverted exactly the pixels of r on the checker of the given cell size.
  ::testing::AssertionResult hatched(const layer::rectangle& r, int cell) const {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool inside = x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
        const bool inverted = inside && (x / cell + y / cell) % 2 == 0;
        const std::uint32_t expected = before_.at(x, y) ^ (inverted ? 0x00FFFFFFu : 0u);
        if (pixels().at(x, y) != expected) return ::testing::AssertionFailure() << "pixel " << x << "," << y;
      }
    }
    return ::testing::AssertionSuccess();
  }
  platform::pixel_surface before_;
};

TEST_F(LayerHatch, InvertsEveryOtherPixelOfTheRectangleAndASecondOverlayRestoresIt) {
  const layer::rectangle r{7, 3, 41, 22};
  renderer_.hatch(r);
  EXPECT_TRUE(hatched(r, 1));
  renderer_.hatch(r);
  EXPECT_EQ(pixels(), before_);
  // The overlay leaves the context's colours and brush as they were.
  EXPECT_EQ(surface_->context().current_brush().style, platform::brush_style_t::solid);
}

TEST_F(LayerHatch, UsesTheDoubledPatternOnTheHighResolutionClasses) {
  const screen_class_scope high(5);
  const layer::rectangle r{4, 4, 30, 30};
  renderer_.hatch(r);
  EXPECT_TRUE(hatched(r, 2));
  renderer_.hatch(r);
  EXPECT_EQ(pixels(), before_);
}

TEST_F(LayerRenderer, PreviewsIndexTheBackgroundThenTheFaceColoursByProfile) {
  const layer::rectangle r{0, 0, 40, 20};
  const std::pair<std::int32_t, std::uint32_t> cases[] = {
      {0, 0xB37345}, {3, 0xCC9966}, {4, 0x7FD499}, {11, 0x0AABF4}};
  for (const auto& [profile, color] : cases) {
    clear();
    renderer_->draw_scaled_background(r, 4, profile);
    EXPECT_TRUE(only(r, color)) << profile;
  }
  clear();
  renderer_->draw_scaled_background(r, 4, 1000);
  EXPECT_TRUE(untouched());
}

TEST_F(LayerRenderer, APreviewWithoutItsSkinImageIsAGreyRectangleDividedByTheDivisor) {
  renderer_->draw_scaled_background({10, 4, 90, 40}, 4, 1003);
  EXPECT_TRUE(only({10, 4, 22, 10}, 0xE0E0E0));
}

TEST_F(LayerRenderer, NothingIsDrawnOnceDetached) {
  renderer_->detach();
  renderer_->fill({0, 0, width, height}, 0x00000000);
  renderer_->draw_button({0, 0, width, height}, 2, 0);
  renderer_.hatch({0, 0, width, height});
  EXPECT_TRUE(untouched());
}

}  // namespace
