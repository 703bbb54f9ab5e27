// Stylus and key input: activation by a tap, the stylus capture, the focus, system hot keys.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/headless/headless_backend.h"
#include "platform/hot_key.h"
#include "platform/hot_key_release.h"
#include "platform/key_state.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_input.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;

constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;

TEST(WindowInput, ATapActivatesTheWindowUnderTheStylus) {
  zqtest::message_recorder log;
  log.create("B", top_visible, {100, 100, 200, 200});
  log.create("A", top_visible, {0, 0, 100, 100});
  log.pump();
  log.take();
  headless::tap({105, 106});
  headless::settle();
  EXPECT_EQ(log.take(), (lines{"A activate 0 B", "A killfocus", "B windowposchanging 0x3", "B windowposchanged 0x3",
                               "B activate 2 A", "B setfocus", "B post lbuttondown 5,6", "B post paint",
                               "B erasebkgnd", "B post lbuttonup 5,6"}));
  headless::tap({5, 5});  // A is raised and activated the same way
  headless::settle();
  EXPECT_EQ(log.take().at(4), "A activate 2 B");
  headless::tap({230, 300});  // the desktop: nothing
  headless::settle();
  EXPECT_TRUE(log.take().empty());
}

TEST(WindowInput, DisabledWindowsTakeNoStylus) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  const hwnd c = log.create("C", ws::child | ws::visible, {10, 10, 50, 50}, a);
  log.pump();
  log.take();
  headless::tap({20, 30});
  headless::settle();
  enable_window(c, false);
  headless::tap({20, 30});  // the parent gets it
  headless::settle();
  enable_window(a, false);
  headless::tap({20, 30});  // a disabled top-level window (behind a modal dialog) gets nothing
  headless::settle();
  EXPECT_EQ(log.take(), (lines{"C post lbuttondown 10,20", "C post lbuttonup 10,20", "C enable 0",
                               "A post lbuttondown 20,30", "A post lbuttonup 20,30", "A killfocus", "A enable 0"}));
}

TEST(WindowInput, TheCaptureWindowGetsTheStylusWherverItIs) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {10, 10, 100, 100});
  const hwnd b = log.create("B", top_visible, {120, 0, 220, 100});
  log.pump();
  log.take();
  EXPECT_EQ(set_capture(a), no_window);
  headless::down({150, 50});
  headless::move({5, 20});
  headless::up({5, 20});
  headless::settle();
  EXPECT_EQ(log.take(), (lines{"A post lbuttondown 140,40", "A post mousemove -5,10", "A post lbuttonup -5,10"}));
  EXPECT_EQ(active_window(), b);  // a captured tap activates nothing
  set_capture(b);
  release_capture();
  EXPECT_EQ(log.take(), (lines{"A capturechanged B", "B capturechanged -"}));
  EXPECT_EQ(capture_window(), no_window);
}

TEST(WindowInput, AHandlerHoldingOnWhileTheStylusIsDownSeesItLiftedInTime) {
  zqtest::message_recorder log;
  log.create("A", top_visible, {0, 0, 240, 320});
  std::uint64_t held_ns = 0;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::lbuttondown) return std::nullopt;
    const std::uint64_t start = clock::now_ns();
    while (key_is_down(vk_stylus)) clock::sleep(10);  // like a transmission repeated while held
    held_ns = clock::now_ns() - start;
    return 0;
  };
  log.pump();
  log.take();
  headless::press({10, 10}, 500);
  headless::settle();
  EXPECT_EQ(held_ns, 500000000u);
  EXPECT_EQ(log.take(), (lines{"A post lbuttondown 10,10", "A post lbuttonup 10,10"}));
  EXPECT_FALSE(key_is_down(vk_stylus));
}

TEST(WindowInput, AHandlerTrackingTheStylusSeesTheRestOfTheGesture) {
  zqtest::message_recorder log;
  log.create("A", top_visible, {0, 0, 240, 320});
  log.on = [&](hwnd h, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::lbuttondown) return std::nullopt;
    set_capture(h);  // like a button: read the stylus messages until it is lifted
    msg tracked;
    while (get_message(tracked, no_window, wm::mousefirst, wm::mouselast)) {
      const point p = point_of(tracked.lparam);
      log.note("track " + std::to_string(tracked.message) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
      if (tracked.message == wm::lbuttonup) break;
    }
    release_capture();
    return 0;
  };
  log.pump();
  log.take();
  headless::down({10, 10});
  headless::move({300, 50});
  headless::move({12, 12});
  headless::up({12, 12});
  headless::key(0x26);
  headless::settle();
  EXPECT_EQ(log.take(), (lines{"A post lbuttondown 10,10", "track 512 300,50", "track 512 12,12", "track 514 12,12",
                               "A capturechanged -", "A post keydown 0x26", "A post keyup 0x26"}));
  EXPECT_FALSE(headless::input_pending());
}

TEST(WindowInput, KeysGoToTheFocusOrElseTheActiveWindow) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  const hwnd c = log.create("C", ws::child | ws::visible, {0, 0, 10, 10}, a);
  set_focus(c);
  log.pump();
  log.take();
  headless::key(0x26);
  headless::settle();
  set_focus(no_window);
  headless::key_down(0x28);
  headless::key_down(0x28);
  headless::settle();
  EXPECT_EQ(log.take(), (lines{"C post keydown 0x26", "C post keyup 0x26", "C killfocus", "A post keydown 0x28",
                               "A post keydown 0x28"}));
  EXPECT_TRUE(key_is_down(0x28));
}

TEST(WindowInput, HotKeysAreTakenBeforeTheFocusAndHeldOncePerKey) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  const hwnd b = log.create("B", ws::overlapped, {0, 0, 240, 320});
  shell_hold_hot_key(mod::win, 0xC2);
  const auto release = reinterpret_cast<unregister_func1_t>(find_system_export("COREDLL.DLL", "UnregisterFunc1"));
  ASSERT_NE(release, nullptr);

  struct registration {
    hwnd window;
    int id;
    std::uint32_t modifiers, key;
    bool accepted;
  };
  const registration registrations[] = {
      {a, 1, 0, 13, true},
      {a, 2, mod::win, 0xC1, true},
      {b, 3, 0, 13, false},              // the key is taken
      {a, 4, mod::win, 0xC2, false},     // the shell holds it
      {a, 5, mod::keyup, 0x26, true},    // fires on release
  };
  for (const registration& r : registrations) {
    EXPECT_EQ(register_hot_key(r.window, r.id, r.modifiers, r.key), r.accepted) << r.id;
  }
  EXPECT_EQ(release(mod::win, 0xC2), 1);
  EXPECT_EQ(release(mod::win, 0xC2), 0);
  EXPECT_FALSE(shell_holds_hot_key(mod::win, 0xC2));
  EXPECT_TRUE(register_hot_key(a, 4, mod::win, 0xC2));
  log.pump();
  log.take();

  deliver_key(0xC1, true, mod::win);
  deliver_key(0xC1, false, mod::win);
  deliver_key(0xC1, true, mod::win);
  EXPECT_TRUE(key_is_down(0xC1));  // the key state follows the key all the same
  deliver_key(0xC1, false, mod::win);
  headless::key(13);
  headless::key(0xC3, mod::win);
  headless::key(0x26);
  headless::settle();
  // Only the registered press (or release) is taken; the other half reaches the focus.
  EXPECT_EQ(log.take(), (lines{"A post hotkey 2 0xc10008", "A post keyup 0xc1", "A post hotkey 2 0xc10008",
                               "A post keyup 0xc1", "A post hotkey 1 0xd0000", "A post keyup 0xd",
                               "A post keydown 0xc3", "A post keyup 0xc3", "A post keydown 0x26",
                               "A post hotkey 5 0x261000"}));

  EXPECT_TRUE(unregister_hot_key(a, 2));
  EXPECT_FALSE(unregister_hot_key(a, 2));
  headless::key_down(0xC1, mod::win);
  headless::settle();
  EXPECT_EQ(log.take(), (lines{"A post keydown 0xc1"}));

  destroy_window(a);  // its hot keys go with it
  EXPECT_TRUE(register_hot_key(b, 1, 0, 13));
  set_system_export_available("UnregisterFunc1", false);
  EXPECT_EQ(find_system_export("coredll.dll", "UnregisterFunc1"), nullptr);
  EXPECT_EQ(find_system_export("coredll.dll", "RegisterFunc9"), nullptr);
}

}  // namespace
