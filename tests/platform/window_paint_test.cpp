// Painting: update regions, the paint and erase messages, and the screen composed from windows.
#include <gtest/gtest.h>

#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_paint.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;

constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;
constexpr std::uint32_t white = 0xFFFFFF;

TEST(WindowPaint, ParentsPaintBeforeChildrenAndOnlyOnceForManyInvalidations) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  log.create("C", ws::child | ws::visible, {10, 10, 60, 60}, a);
  log.take();
  log.pump();
  EXPECT_EQ(log.take(), (lines{"A post paint", "A erasebkgnd", "C post paint", "C erasebkgnd"}));

  rect painted;
  bool erase_left = true;
  log.on = [&](hwnd h, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::paint) return std::nullopt;
    const paint_context paint = begin_paint(h);
    painted = paint.paint_rect;
    erase_left = paint.erase;
    end_paint(paint);
    return 0;
  };
  invalidate_rect(a, rect{100, 100, 110, 110}, false);
  invalidate_rect(a, rect{200, 5, 210, 20}, false);
  EXPECT_EQ(update_rect(a), (rect{100, 5, 210, 110}));
  log.pump();
  EXPECT_EQ(log.take(), (lines{"A post paint"}));
  EXPECT_EQ(painted, (rect{100, 5, 210, 110}));
  EXPECT_FALSE(erase_left);
  EXPECT_TRUE(update_rect(a).empty());

  // update_window sends the paint at once; a validated window gets none.
  invalidate_rect(a, std::nullopt, false);
  update_window(a);
  EXPECT_EQ(log.take(), (lines{"A paint"}));
  invalidate_rect(a, std::nullopt, true);
  validate_rect(a, std::nullopt);
  log.pump();
  EXPECT_TRUE(log.take().empty());
}

TEST(WindowPaint, ClipLeavesOutChildrenAndWindowsInFront) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  const hwnd c = log.create("C", ws::child | ws::visible, {10, 10, 60, 60}, a);
  log.create("B", top_visible, {40, 40, 140, 140});
  const region visible = visible_region(a);
  EXPECT_TRUE(visible.contains({5, 5}));
  EXPECT_FALSE(visible.contains({20, 20}));   // the child
  EXPECT_FALSE(visible.contains({100, 100}));  // the window in front
  EXPECT_TRUE(visible.contains({239, 319}));
  EXPECT_FALSE(visible_region(c).contains({50, 50}));
  EXPECT_TRUE(visible_region(c).contains({20, 20}));
  show_window(a, sw::hide);
  EXPECT_TRUE(visible_region(c).empty());
}

TEST(WindowPaint, APaintDrawsOnlyWhereTheWindowIsVisibleAndInvalid) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  log.create("C", ws::child | ws::visible, {10, 10, 60, 60}, a);
  log.pump();
  log.on = [&](hwnd h, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (h != a || m != wm::paint) return std::nullopt;
    paint_context paint = begin_paint(h);
    paint.hdc.fill_rect(client_rect(h), brush::solid(rgb(0, 0, 255)));  // the whole window, clipped
    end_paint(paint);
    return 0;
  };
  invalidate_rect(a, rect{0, 0, 30, 30}, false);
  log.pump();
  const pixel_surface& screen = screen_surface();
  EXPECT_EQ(screen.at(5, 5), 0x0000FFu);
  EXPECT_EQ(screen.at(20, 20), white);    // the child
  EXPECT_EQ(screen.at(35, 5), white);     // valid
  EXPECT_EQ(screen.at(100, 100), white);  // valid
}

TEST(WindowPaint, ScreenIsComposedFromTheWindows) {
  zqtest::message_recorder log;
  register_class({L"Red", def_window_proc, rgb(255, 0, 0)});
  register_class({L"Green", def_window_proc, rgb(0, 255, 0)});
  set_desktop_colour(rgb(0, 0, 0));
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  const hwnd c = create_window({L"Red", L"", ws::child | ws::visible, 0, {10, 10, 60, 60}, a, 1, nullptr});
  const hwnd b = create_window({L"Green", L"", top_visible, 0, {40, 40, 140, 140}, no_window, 0, nullptr});
  process_pending_messages();
  const pixel_surface& screen = screen_surface();
  struct probe {
    point at;
    std::uint32_t pixel;
  };
  const auto check = [&](std::initializer_list<probe> probes) {
    for (const probe& p : probes) {
      EXPECT_EQ(screen.at(p.at.x, p.at.y), p.pixel) << p.at.x << "," << p.at.y;
    }
  };
  check({{{20, 20}, 0xFF0000}, {{50, 50}, 0x00FF00}, {{100, 200}, white}, {{239, 319}, white}});
  show_window(b, sw::hide);
  process_pending_messages();
  check({{{50, 50}, 0xFF0000}, {{100, 100}, white}});
  move_window(c, {100, 100, 150, 150});
  process_pending_messages();
  check({{{20, 20}, white}, {{120, 120}, 0xFF0000}});
  destroy_window(a);
  check({{{20, 20}, 0x000000}, {{120, 120}, 0x000000}});
}

}  // namespace
