// Message sequences of creating, showing, hiding, activating, moving and destroying windows.
#include <gtest/gtest.h>

#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;

constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;

struct create_case {
  const char* what;
  std::uint32_t style;
  bool as_child;
  bool refuse;
  lines expected;
};

TEST(WindowSequence, Create) {
  const create_case cases[] = {
      {"hidden top-level", ws::overlapped, false, false, {"W create", "W size 100x50", "W move 10,20"}},
      {"visible top-level",
       top_visible,
       false,
       false,
       {"W create", "W size 100x50", "W move 10,20", "W showwindow 1", "W windowposchanging 0x43",
        "W activate 1 -", "W setfocus", "W windowposchanged 0x43"}},
      {"visible child",
       ws::child | ws::visible,
       true,
       false,
       {"W create", "W size 100x50", "W move 10,20", "W showwindow 1", "W windowposchanging 0x57",
        "W windowposchanged 0x57"}},
      {"refused", top_visible, false, true, {"W create", "W destroy", "W ncdestroy"}},
  };
  for (const create_case& c : cases) {
    SCOPED_TRACE(c.what);
    zqtest::message_recorder log;
    const hwnd parent = c.as_child ? log.create("P", top_visible, {0, 0, 240, 320}) : no_window;
    log.take();
    log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
      if (c.refuse && m == wm::create) return -1;
      return std::nullopt;
    };
    const hwnd w = log.create("W", c.style, {10, 20, 110, 70}, parent);
    EXPECT_EQ(log.take(), c.expected);
    EXPECT_EQ(is_window(w), !c.refuse);
    if (!c.refuse) {
      EXPECT_EQ(is_window_visible(w), (c.style & ws::visible) != 0);
    }
  }
}

TEST(WindowSequence, HandlesAreDistinctThirtyTwoBitNumbersNeverNamingAPlace) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", ws::overlapped, {0, 0, 10, 10});
  const hwnd b = log.create("B", ws::overlapped, {0, 0, 10, 10});
  EXPECT_NE(a, b);
  for (hwnd h : {a, b}) {
    EXPECT_NE(h, no_window);
    EXPECT_NE(h, hwnd_bottom);
    EXPECT_NE(h, hwnd_topmost);
    EXPECT_NE(h, hwnd_notopmost);
  }
  destroy_window(a);
  EXPECT_FALSE(is_window(a));
  EXPECT_FALSE(post_message(a, wm::user, 0, 0));
  EXPECT_NE(log.create("C", ws::overlapped, {0, 0, 10, 10}), a);  // not reused at once
}

TEST(WindowSequence, HidingTheActiveWindowActivatesTheNextOne) {
  zqtest::message_recorder log;
  const hwnd b = log.create("B", top_visible, {0, 0, 240, 320});
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  log.take();
  ASSERT_EQ(active_window(), a);
  show_window(a, sw::hide);
  EXPECT_EQ(log.take(), (lines{"A showwindow 0", "A windowposchanging 0x97", "A activate 0 B", "A killfocus",
                               "B activate 1 A", "B setfocus", "A windowposchanged 0x97"}));
  EXPECT_EQ(active_window(), b);
  EXPECT_EQ(focus_window(), b);
  EXPECT_FALSE(show_window(a, sw::hide));  // already hidden: nothing more
  EXPECT_TRUE(log.take().empty());
}

TEST(WindowSequence, ActivatingAWindowBehindRaisesItFirst) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  const hwnd b = log.create("B", top_visible, {0, 0, 240, 320});
  log.take();
  EXPECT_EQ(set_active_window(a), b);
  EXPECT_EQ(log.take(), (lines{"B activate 0 A", "B killfocus", "A windowposchanging 0x3", "A windowposchanged 0x3",
                               "A activate 1 B", "A setfocus"}));
  EXPECT_EQ(children_of(no_window), (std::vector<hwnd>{a, b}));
  EXPECT_EQ(set_active_window(a), a);  // already active: no messages
  EXPECT_TRUE(log.take().empty());
}

TEST(WindowSequence, PositionChanges) {
  struct position_case {
    const char* what;
    hwnd insert_after;
    rect place;
    std::uint32_t flags;
    lines expected;
    bool a_in_front;
  };
  const position_case cases[] = {
      {"brought to the top only", hwnd_top, {}, swp::nomove | swp::nosize | swp::noactivate | swp::noownerzorder,
       {"A windowposchanging 0x213", "A windowposchanged 0x213"}, true},
      {"to the bottom without activation", hwnd_bottom, {}, swp::nomove | swp::nosize | swp::noactivate,
       {"A windowposchanging 0x13", "A windowposchanged 0x13"}, false},
      {"moved and sized", hwnd_top, {5, 6, 55, 46}, swp::nozorder | swp::noactivate,
       {"A windowposchanging 0x14", "A windowposchanged 0x14", "A move 5,6", "A size 50x40"}, false},
  };
  for (const position_case& c : cases) {
    SCOPED_TRACE(c.what);
    zqtest::message_recorder log;
    const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
    const hwnd b = log.create("B", top_visible, {0, 0, 100, 100});
    set_active_window(a);
    set_window_pos(b, hwnd_top, 0, 0, 0, 0, swp::nomove | swp::nosize | swp::noactivate);
    log.take();
    set_window_pos(a, c.insert_after, c.place.left, c.place.top, c.place.width(), c.place.height(), c.flags);
    EXPECT_EQ(log.take(), c.expected);
    EXPECT_EQ(children_of(no_window).front() == a, c.a_in_front);
    EXPECT_EQ(active_window(), a);  // none of these activates or deactivates
  }
}

TEST(WindowSequence, ForegroundAgainAfterBeingPutBehindOnlyRaises) {
  zqtest::message_recorder log;
  const hwnd b = log.create("B", top_visible, {0, 0, 240, 320});
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  set_window_pos(a, hwnd_bottom, 0, 0, 0, 0, swp::nomove | swp::nosize | swp::noactivate);  // minimised
  log.take();
  EXPECT_TRUE(set_foreground_window(a));
  EXPECT_EQ(log.take(), (lines{"A windowposchanging 0x213", "A windowposchanged 0x213"}));
  EXPECT_TRUE(set_foreground_window(b));
  EXPECT_EQ(log.take(), (lines{"A activate 0 B", "A killfocus", "B windowposchanging 0x3", "B windowposchanged 0x3",
                               "B activate 1 A", "B setfocus"}));
  EXPECT_EQ(foreground_window(), b);
}

TEST(WindowSequence, TopmostWindowsStayInFront) {
  zqtest::message_recorder log;
  const hwnd bar = log.create("Bar", top_visible, {0, 0, 240, 26}, no_window, ws_ex::topmost);
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  EXPECT_EQ(children_of(no_window), (std::vector<hwnd>{bar, a}));
  set_window_pos(a, hwnd_topmost, 0, 0, 0, 0, swp::nomove | swp::nosize);
  EXPECT_EQ(children_of(no_window), (std::vector<hwnd>{a, bar}));
  set_window_pos(a, hwnd_notopmost, 0, 0, 0, 0, swp::nomove | swp::nosize);
  EXPECT_EQ(children_of(no_window), (std::vector<hwnd>{bar, a}));
}

TEST(WindowSequence, DestroySendsDestroyParentsFirstAndNcdestroyChildrenFirst) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  const hwnd c = log.create("C", ws::child | ws::visible, {0, 0, 50, 50}, a);
  log.create("D", ws::child | ws::visible, {0, 0, 20, 20}, c);
  const hwnd owned = log.create("O", ws::overlapped, {0, 0, 50, 50}, a);
  log.take();
  set_focus(c);
  set_capture(c);
  log.take();
  destroy_window(a);
  EXPECT_EQ(log.take(), (lines{"O destroy", "O ncdestroy", "A windowposchanging 0x97", "C capturechanged -",
                               "A activate 0 -", "C killfocus", "A windowposchanged 0x97", "A destroy", "C destroy",
                               "D destroy", "D ncdestroy", "C ncdestroy", "A ncdestroy"}));
  EXPECT_FALSE(is_window(c));
  EXPECT_FALSE(is_window(owned));
  EXPECT_EQ(active_window(), no_window);
  EXPECT_EQ(focus_window(), no_window);
  EXPECT_EQ(capture_window(), no_window);
}

TEST(WindowSequence, ScreenResetReachesEveryTopLevelWindowAfterTheNewSize) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  log.create("C", ws::child | ws::visible, {0, 0, 10, 10}, a);
  log.create("B", ws::overlapped, {0, 0, 240, 320});
  log.take();
  std::vector<size> seen;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m == wm::settingchange) seen.push_back(screen_size());
    return std::nullopt;
  };
  reset_screen({320, 240});
  EXPECT_EQ(log.take(), (lines{"B settingchange 0x3002", "A settingchange 0x3002"}));
  EXPECT_EQ(seen, (std::vector<size>{{320, 240}, {320, 240}}));
}

TEST(WindowSequence, FocusMovesBetweenChildrenAndDisabledWindowsLoseIt) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  const hwnd c = log.create("C", ws::child | ws::visible, {0, 0, 50, 50}, a);
  const hwnd d = log.create("D", ws::child | ws::visible, {60, 0, 110, 50}, a);
  log.take();
  EXPECT_EQ(set_focus(c), a);
  EXPECT_EQ(set_focus(d), c);
  EXPECT_EQ(log.take(), (lines{"A killfocus", "C setfocus", "C killfocus", "D setfocus"}));
  enable_window(d, false);
  EXPECT_EQ(log.take(), (lines{"D killfocus", "D enable 0"}));
  EXPECT_EQ(focus_window(), no_window);
  EXPECT_FALSE(is_window_enabled(d));
}

}  // namespace
