// The colour chooser on the headless backend: its nested loop driven by pad keys and the stylus,
// the owner disabled meanwhile, custom colours kept in the caller's table.
#include "platform/colour_chooser.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
constexpr std::uint32_t vk_escape = 0x1B;

hwnd open_chooser() { return find_window(L"ZqColourChooser", L""); }

TEST(ColourChooser, ThePadPicksABasicColourAndSelectTakesIt) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  custom_colours custom = run_custom_colours();
  bool owner_disabled = false;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    owner_disabled = !is_window_enabled(owner) && open_chooser() != no_window;
    headless::key(vk_nav_right);  // nothing picked yet: the first colour
    headless::key(vk_nav_down);   // the pure red below it
    headless::key(vk_nav_select);
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  colorref colour = rgb(1, 2, 3);
  EXPECT_TRUE(choose_colour(owner, colour, custom));
  EXPECT_EQ(colour, rgb(255, 0, 0));
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(is_window_enabled(owner));
  EXPECT_EQ(open_chooser(), no_window);

  // Escape leaves the colour as it was.
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    headless::key(vk_nav_down);
    headless::key(vk_escape);
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  EXPECT_FALSE(choose_colour(owner, colour, custom));
  EXPECT_EQ(colour, rgb(255, 0, 0));
}

TEST(ColourChooser, AColourAddedToCustomStaysInTheCallersTableEvenWhenCancelled) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  custom_colours custom;
  custom.fill(rgb(255, 255, 255));
  custom[5] = rgb(1, 2, 3);
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    // The bottom row holds OK and Cancel (22 high, 6 from the edge), "Add to Custom" is above
    // Cancel's row on the right.
    const rect box = window_rect(open_chooser());
    const int middle = (box.left + box.right) / 2;
    headless::key(vk_nav_up);  // from the custom colour 5 to the basic colour above it
    headless::tap({box.right - 20, box.bottom - 6 - 22 - 6 - 11});
    headless::tap({middle + 3 + 28, box.bottom - 6 - 11});
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  colorref colour = rgb(1, 2, 3);  // found among the custom colours: picked there
  EXPECT_FALSE(choose_colour(owner, colour, custom));
  EXPECT_EQ(colour, rgb(1, 2, 3));
  // Basic colour 45 (light grey) went into one slot; the others are as they were.
  EXPECT_EQ(std::count(custom.begin(), custom.end(), rgb(0xC0, 0xC0, 0xC0)), 1);
  EXPECT_EQ(std::count(custom.begin(), custom.end(), rgb(1, 2, 3)) + std::count(custom.begin(), custom.end(), rgb(255, 255, 255)), 15);
}

}  // namespace
