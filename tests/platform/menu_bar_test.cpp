// The menu bar and its popups on the headless backend: the frame's messages in order for opening,
// picking and closing, the notification that edits the popup before it shows, keys, the frame
// keeping the activation, and the picture of an open popup.
#include "platform/menu_bar.h"

#include <gtest/gtest.h>

#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/menu_popup.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/module_program.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/golden_image.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;
constexpr std::uint32_t vk_escape = 0x1B;

struct menu_fixture {
  zqtest::message_recorder log;
  hwnd frame = log.create("F", ws::overlapped | ws::visible, {0, 0, 240, 320 - 26});
  menu_bar bar;

  menu_fixture() {
    EXPECT_EQ(bar.create(frame, program_module(), 128), zq::rc::ok);
    log.name(bar.window(), "B");
    log.pump();
    log.take();
  }
  // The middle of a title on the screen.
  point title(int position) const {
    const rect r = bar.title_rect(position);
    return client_to_screen(bar.window(), {(r.left + r.right) / 2, r.height() / 2});
  }
  // The middle of an item of the open popup: items are 20 pixels high, separators 7, from y = 1.
  static point item(int rows, int separators) {
    const rect r = window_rect(find_window(popup_menu_class, L""));
    return {(r.left + r.right) / 2, r.top + 1 + rows * 20 + separators * 7 + 10};
  }
};

// Only the frame's menu messages and the stylus, in order.
lines menu_lines(const lines& all) {
  lines kept;
  for (const std::string& line : all) {
    for (const char* word : {"menuloop", "initmenupopup", "command", "lbutton", "activate", "focus"}) {
      if (line.find(word) != std::string::npos) {
        kept.push_back(line);
        break;
      }
    }
  }
  return kept;
}

TEST(MenuBar, ATitleOpensItsPopupAndTheLiftedItemIsPostedAfterItCloses) {
  menu_fixture f;
  EXPECT_EQ(window_rect(f.bar.window()), (rect{0, 320 - 26, 240, 320}));
  EXPECT_EQ(active_window(), f.frame);
  f.log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m == wm::initmenupopup) post_message(f.frame, wm::user, 0, 0);  // taken once the popup is open
    if (m == wm::user) {
      const point setup = menu_fixture::item(1, 1);
      headless::down({setup.x, setup.y - 20});  // slides from Add New Device to Setup
      headless::move(setup);
      headless::up(setup);
    }
    return std::nullopt;
  };
  headless::tap(f.title(0));
  f.log.pump();
  EXPECT_EQ(menu_lines(f.log.take()),
            (lines{"F entermenuloop 0", "F initmenupopup 0", "F exitmenuloop 0", "F post command 32781"}));
  EXPECT_EQ(active_window(), f.frame);
  EXPECT_EQ(focus_window(), f.frame);
  EXPECT_EQ(find_window(popup_menu_class, L""), no_window);
}

TEST(MenuBar, ATouchOutsideClosesThePopupAndGoesNoFurther) {
  menu_fixture f;
  f.log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m == wm::initmenupopup) {  // a touch held on the frame, right of the popup
      headless::down({200, 20});
      headless::wait(50);
      headless::up({200, 20});
    }
    return std::nullopt;
  };
  headless::tap(f.title(1));
  f.log.pump();
  EXPECT_EQ(menu_lines(f.log.take()), (lines{"F entermenuloop 0", "F initmenupopup 1", "F exitmenuloop 0"}));
  headless::tap({200, 20});  // with the popup closed the frame gets the stylus again
  f.log.pump();
  EXPECT_EQ(menu_lines(f.log.take()), (lines{"F post lbuttondown 200,20", "F post lbuttonup 200,20"}));
}

TEST(MenuBar, UpAndDownSkipSeparatorsSelectPicksEscapeCloses) {
  struct key_case {
    std::vector<std::uint32_t> keys;
    std::uint32_t expected;
  };
  const key_case cases[] = {
      {{vk_nav_down, vk_nav_down, vk_nav_select}, 32781},  // Add New Device, then Setup past the separator
      {{vk_nav_up, vk_nav_select}, 32803},                 // round to Exit
      {{vk_nav_down, vk_nav_up, vk_nav_up, vk_nav_select}, 32776},  // Exit, then About past the separator
      {{vk_nav_select, vk_escape}, 0},                     // nothing highlighted: Select picks nothing
  };
  for (const key_case& c : cases) {
    menu_fixture f;
    for (std::uint32_t key : c.keys) headless::key(key);
    EXPECT_EQ(track_popup_menu(*f.bar.items().sub_menu(0), tpm::returncmd, {0, 0}, f.frame), c.expected);
    f.log.pump();
    // Returned, not posted; and no key press reached the frame (the last release comes after).
    for (const std::string& line : f.log.take()) {
      EXPECT_EQ(line.find("command"), std::string::npos) << line;
      EXPECT_EQ(line.find("keydown"), std::string::npos) << line;
    }
  }
}

TEST(MenuBar, TheNotificationEditsThePopupBeforeItShows) {
  menu_fixture f;
  pixel_surface shot;
  std::vector<std::wstring> shown;
  f.log.on = [&](hwnd, std::uint32_t m, wparam_t w, lparam_t) -> std::optional<lresult_t> {
    if (m == wm::initmenupopup) {
      // What the frame does with the Preferences popup: no Flip Screen, the recent names after
      // Load, the sound setting checked.
      menu& popup = *reinterpret_cast<menu*>(w);
      EXPECT_TRUE(popup.remove(32874, mf::bycommand));
      while (popup.count() > 6) EXPECT_TRUE(popup.remove(6, mf::byposition));
      EXPECT_FALSE(popup.remove(32874, mf::bycommand));
      popup.append(mf::separator, 0, {});
      popup.append(mf::string, 32789, L"Living && Kitchen");
      popup.append(mf::string, 32790, L"Bedroom");
      EXPECT_EQ(popup.check(32875, mf::bycommand, true), 0);
      EXPECT_EQ(popup.check(1, mf::bycommand, true), -1);
      for (const menu_item& item : popup.items()) shown.push_back(item.text);
      post_message(f.frame, wm::user, 0, 0);  // taken by the popup's loop once it is open
    } else if (m == wm::user) {
      process_pending_messages();  // the paints
      shot = screen_surface();
      headless::key(vk_escape);
    }
    return std::nullopt;
  };
  EXPECT_EQ(f.bar.open_popup(1), 0u);
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"IR Setup", L"", L"Use Sounds", L"", L"Save", L"Load", L"",
                                              L"Living && Kitchen", L"Bedroom"}));
  EXPECT_EQ(f.bar.items().sub_menu(1)->item(2).flags, mf::checked);
  EXPECT_TRUE(zqtest::matches_golden(shot, "menu_popup_checked_and_separators"));
}

TEST(MenuBar, IsTwiceAsHighOnAHighResolutionScreen) {
  zqtest::message_recorder log;
  set_screen_size({480, 640});
  const hwnd frame = log.create("F", ws::overlapped | ws::visible, {0, 0, 480, 640 - 52});
  menu_bar bar;
  ASSERT_EQ(bar.create(frame, program_module(), 128), zq::rc::ok);
  EXPECT_EQ(window_rect(bar.window()), (rect{0, 640 - 52, 480, 640}));
  reset_screen({640, 480});  // turned: the bar follows the bottom edge
  EXPECT_EQ(window_rect(bar.window()), (rect{0, 480 - 52, 640, 480}));
}

}  // namespace
