// Orientation names, the screen classes, the layout choice rule and the scaling between design and
// screen pixels.
#include <gtest/gtest.h>

#include <limits>

#include "remote/screen_fit.h"

namespace {

using remote::screen_fit;

TEST(ScreenFit, OrientationNamesAreReadCaseSensitivelyAndWrittenBack) {
  EXPECT_EQ(remote::orientation_of("wm-landscape"), 0);
  EXPECT_EQ(remote::orientation_of("wm-portrait"), 1);
  EXPECT_EQ(remote::orientation_of("wm-quad"), 2);
  EXPECT_EQ(remote::orientation_of("quad"), 2);
  EXPECT_EQ(remote::orientation_of("wm-unknown"), 3);
  EXPECT_EQ(remote::orientation_of("WM-Portrait"), 3);
  EXPECT_EQ(remote::orientation_of("wm-portrait "), 3);
  EXPECT_EQ(remote::orientation_of(""), 3);

  EXPECT_EQ(remote::orientation_name(0), "wm-landscape");
  EXPECT_EQ(remote::orientation_name(1), "wm-portrait");
  EXPECT_EQ(remote::orientation_name(2), "wm-quad");
  EXPECT_EQ(remote::orientation_name(3), "");
  EXPECT_EQ(remote::orientation_name(-1), "");
  for (int code = 0; code < 3; ++code) EXPECT_EQ(remote::orientation_of(remote::orientation_name(code)), code);
}

TEST(ScreenFit, ScreenClassesGiveBaseAndOrientation) {
  const struct {
    int screen_class, base, orientation;
  } classes[] = {{0, 240, 1}, {1, 240, 0}, {2, 240, 2}, {3, 480, 1}, {4, 480, 0}, {5, 480, 1}, {6, 480, 0}};
  for (const auto& c : classes) {
    const screen_fit fit = remote::fit_for_screen_class(c.screen_class);
    EXPECT_EQ(fit.target_base, c.base) << c.screen_class;
    EXPECT_EQ(fit.target_orientation, c.orientation) << c.screen_class;
    EXPECT_EQ(fit.chosen_base, -1);
    EXPECT_EQ(fit.chosen_orientation, 3);
    EXPECT_FALSE(remote::is_perfect(fit));
  }
  // Another class: nothing is ever accepted, not even a layout of unknown base.
  for (int unknown_class : {-1, 7, 100}) {
    screen_fit fit = remote::fit_for_screen_class(unknown_class);
    EXPECT_EQ(fit.target_base, -1);
    EXPECT_FALSE(remote::is_perfect(fit)) << unknown_class;
    for (const char* orientation : {"wm-landscape", "wm-portrait", "wm-quad", "wm-unknown"}) {
      EXPECT_FALSE(remote::offer_layout(fit, 240, orientation)) << unknown_class << " " << orientation;
      EXPECT_FALSE(remote::offer_layout(fit, -1, orientation)) << unknown_class << " " << orientation;
    }
  }
}

TEST(ScreenFit, ExactBaseBeatsIntegerRatioBeatsFractionalRatioAndTheFirstOfEqualsStays) {
  // 480 portrait: 320 (fractional) is taken while nothing is chosen, 240 (integer) replaces it, a
  // second 240 does not, 480 (exact) does, and after the perfect one nothing is taken.
  screen_fit fit = remote::fit_for_screen_class(3);
  EXPECT_TRUE(remote::offer_layout(fit, 320, "wm-portrait"));
  EXPECT_EQ(fit.chosen_base, 320);
  EXPECT_FALSE(remote::offer_layout(fit, 360, "wm-portrait"));
  EXPECT_TRUE(remote::offer_layout(fit, 240, "wm-portrait"));
  EXPECT_EQ(fit.chosen_base, 240);
  EXPECT_FALSE(remote::offer_layout(fit, 240, "wm-portrait"));
  EXPECT_FALSE(remote::offer_layout(fit, 160, "wm-portrait"));
  EXPECT_EQ(fit.chosen_base, 240);
  EXPECT_FALSE(remote::offer_layout(fit, 480, "wm-landscape"));
  EXPECT_FALSE(remote::offer_layout(fit, 480, "wm-unknown"));
  EXPECT_TRUE(remote::offer_layout(fit, 480, "wm-portrait"));
  EXPECT_TRUE(remote::is_perfect(fit));
  EXPECT_FALSE(remote::offer_layout(fit, 480, "wm-portrait"));
  EXPECT_EQ(fit.chosen_base, 480);
  EXPECT_EQ(fit.chosen_orientation, 1);

  // "quad" and "wm-quad" are one orientation.
  screen_fit square = remote::fit_for_screen_class(2);
  EXPECT_TRUE(remote::offer_layout(square, 480, "quad"));
  EXPECT_TRUE(remote::offer_layout(square, 240, "wm-quad"));
  EXPECT_TRUE(remote::is_perfect(square));

  // A layout of unknown base is taken when nothing is chosen, and anything may follow it.
  screen_fit landscape = remote::fit_for_screen_class(1);
  EXPECT_TRUE(remote::offer_layout(landscape, -1, "wm-landscape"));
  EXPECT_TRUE(remote::offer_layout(landscape, 320, "wm-landscape"));
  EXPECT_FALSE(remote::offer_layout(landscape, 0, "wm-landscape"));
  EXPECT_FALSE(remote::offer_layout(landscape, -240, "wm-landscape"));
  EXPECT_EQ(landscape.chosen_base, 320);
}

TEST(ScreenFit, ScalingTruncatesAndLeavesUnknownBasesAlone) {
  screen_fit fit = remote::fit_for_screen_class(3);
  fit.chosen_base = 240;
  EXPECT_EQ(remote::scale_to_screen(fit, 7), 14);
  EXPECT_EQ(remote::scale_to_screen(fit, -3), -6);
  EXPECT_EQ(remote::scale_to_design(fit, 15), 7);
  fit.chosen_base = 320;
  EXPECT_EQ(remote::scale_to_screen(fit, 7), 10);  // 10.5 truncated
  EXPECT_EQ(remote::scale_to_design(fit, 10), 6);  // 6.67 truncated
  // Far beyond any screen the result stays inside the 32-bit range instead of wrapping.
  fit.chosen_base = 240;
  EXPECT_EQ(remote::scale_to_screen(fit, std::numeric_limits<std::int32_t>::max()),
            std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(remote::scale_to_screen(fit, std::numeric_limits<std::int32_t>::min()),
            std::numeric_limits<std::int32_t>::min());

  for (std::int32_t unknown : {-1, 0, -480}) {
    fit.chosen_base = unknown;
    EXPECT_EQ(remote::scale_to_screen(fit, 33), 33) << unknown;
    EXPECT_EQ(remote::scale_to_design(fit, 33), 33) << unknown;
  }
  screen_fit no_screen = remote::fit_for_screen_class(9);
  no_screen.chosen_base = 240;
  EXPECT_EQ(remote::scale_to_screen(no_screen, 33), 33);
}

}  // namespace
