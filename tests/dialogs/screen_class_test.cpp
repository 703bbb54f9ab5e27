// The screen class from the screen's size and density, and the template shape each class picks.
#include "dialogs/screen_class.h"

#include <gtest/gtest.h>

namespace {

using namespace dialogs;

TEST(ScreenClass, SizesAndDensitiesGiveTheSevenClassesAndAnythingElseIsUnsupported) {
  struct screen_case {
    platform::size screen;
    int dpi;
    int screen_class;
  };
  const screen_case cases[] = {
      {{240, 320}, 96, 0},  {{240, 400}, 96, 0},  {{320, 240}, 96, 1},  {{400, 240}, 96, 1},
      {{240, 240}, 96, 2},  {{480, 640}, 192, 3}, {{480, 800}, 192, 3}, {{640, 480}, 192, 4},
      {{800, 480}, 192, 4}, {{480, 640}, 96, 5},  {{480, 800}, 96, 5},  {{800, 480}, 96, 6},
      {{640, 480}, 96, 6},  {{320, 320}, 96, -1}, {{480, 640}, 120, -1}, {{480, 480}, 96, -1},
  };
  for (const screen_case& c : cases) {
    EXPECT_EQ(screen_class_of(c.screen, c.dpi), c.screen_class) << c.screen.cx << "x" << c.screen.cy << " " << c.dpi;
  }
  EXPECT_EQ(pixel_scale_of(2), 1);
  EXPECT_EQ(pixel_scale_of(3), 2);
  EXPECT_EQ(pixel_scale_of(6), 2);
  EXPECT_EQ(pixel_scale_of(-1), 1);
}

}  // namespace
