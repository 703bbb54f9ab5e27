// The gadget window on the headless backend: made over a placeholder, painted and tapped through
// its owner's operations, the stylus captured for the tap only, gone with its owner.
#include "platform/gadget.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi_sys_color.h"
#include "platform/headless/headless_backend.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

// Paints itself green and marks each tap with a red pixel, noting whether it held the stylus.
class marking_gadget : public gadget {
 public:
  void draw(paint_context& paint) override {
    ++draws;
    paint.hdc.fill_rect(client_rect(window()), brush::solid(rgb(0, 160, 0)));
  }
  void tap(point p, dc& d) override {
    taps.push_back(p);
    captured_in_tap = capture_window() == window();
    d.set_pixel(p.x, p.y, rgb(255, 0, 0));
  }
  int draws = 0;
  std::vector<point> taps;
  bool captured_in_tap = false;
};

TEST(Gadget, TakesThePlaceholdersPlaceAndRoutesPaintAndTapToItsOwner) {
  zqtest::message_recorder log;
  const hwnd form = log.create("F", ws::overlapped | ws::visible, {0, 0, 240, 320});
  const hwnd placeholder = log.create("H", ws::child, {20, 40, 220, 100}, form);
  marking_gadget preview;
  ASSERT_TRUE(preview.create_over(placeholder, 5));
  const hwnd h = preview.window();
  EXPECT_EQ(class_name_of(h), L"ZQX::gadget_window_class");
  EXPECT_EQ(window_text(h), L"gadget");
  EXPECT_EQ(position_in_parent(h), (rect{20, 40, 220, 100}));
  EXPECT_TRUE(is_window_visible(h));
  EXPECT_EQ(window_data(h), reinterpret_cast<std::uintptr_t>(&preview));
  EXPECT_FALSE(preview.create(form, {0, 0, 10, 10}));  // one window per gadget

  log.pump();
  EXPECT_EQ(preview.draws, 1);
  EXPECT_EQ(screen_surface().at(30, 50), pixel_of(rgb(0, 160, 0)));

  headless::tap({25, 45});
  log.pump();
  EXPECT_EQ(preview.taps, (std::vector<point>{{5, 5}}));
  EXPECT_TRUE(preview.captured_in_tap);
  EXPECT_EQ(capture_window(), no_window);
  EXPECT_EQ(screen_surface().at(25, 45), pixel_of(rgb(255, 0, 0)));

  preview.move_resize({0, 0, 100, 50});
  log.pump();
  EXPECT_EQ(position_in_parent(h), (rect{0, 0, 100, 50}));
  EXPECT_EQ(preview.draws, 2);

  preview.destroy();
  EXPECT_FALSE(is_window(h));
  EXPECT_EQ(preview.window(), no_window);
}

TEST(Gadget, TheWindowGoesWithItsOwnerAndAWindowDestroyedFromOutsideIsForgotten) {
  zqtest::message_recorder log;
  const hwnd form = log.create("F", ws::overlapped | ws::visible, {0, 0, 240, 320});
  hwnd h = no_window;
  {
    marking_gadget preview;
    ASSERT_TRUE(preview.create(form, {0, 0, 50, 50}));
    h = preview.window();
  }
  EXPECT_FALSE(is_window(h));

  marking_gadget preview;
  ASSERT_TRUE(preview.create(form, {0, 0, 50, 50}));
  destroy_window(form);
  EXPECT_EQ(preview.window(), no_window);
  EXPECT_FALSE(preview.create_over(no_window));
}

}  // namespace
