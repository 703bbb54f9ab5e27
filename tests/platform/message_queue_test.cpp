// Posting, peeking with ranges and removal, nested loops and quit on the real queue.
#include <gtest/gtest.h>

#include <thread>

#include "platform/input_purge.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_paint.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;

constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;

TEST(MessageQueue, PeekTakesTheFirstMessageInRangeAndWindow) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", ws::overlapped, {0, 0, 240, 320});
  const hwnd c = log.create("C", ws::child, {0, 0, 10, 10}, a);
  const hwnd b = log.create("B", ws::overlapped, {0, 0, 240, 320});
  post_message(a, wm::keydown, 1, 0);
  post_message(c, wm::mousemove, 2, 0);
  post_message(b, wm::lbuttonup, 3, 0);
  post_message(no_window, wm::user, 4, 0);

  struct peek_case {
    hwnd window;
    std::uint32_t first, last;
    wparam_t expected;  // 0: nothing
  };
  const peek_case cases[] = {
      {no_window, 0, 0, 1},
      {no_window, wm::mousefirst, wm::mouselast, 2},
      {b, 0, 0, 3},
      {a, wm::mousefirst, wm::mouselast, 2},  // a child's message belongs to its parent's too
      {thread_messages_only, 0, 0, 4},
      {b, wm::keyfirst, wm::keylast, 0},
  };
  for (const peek_case& p : cases) {
    msg m;
    const bool found = peek_message(m, p.window, p.first, p.last, pm::noremove);
    EXPECT_EQ(found, p.expected != 0);
    if (found) {
      EXPECT_EQ(m.wparam, p.expected);
    }
  }
  msg m;
  ASSERT_TRUE(peek_message(m, no_window, wm::mousefirst, wm::mouselast, pm::remove));
  ASSERT_TRUE(peek_message(m, no_window, wm::mousefirst, wm::mouselast, pm::remove));
  EXPECT_EQ(m.wparam, 3u);
  EXPECT_FALSE(peek_message(m, no_window, wm::mousefirst, wm::mouselast, pm::remove));
  EXPECT_TRUE(has_queued_message(wm::keydown, wm::keydown));
}

TEST(MessageQueue, PostedMessagesComeBeforeQuitAndQuitBeforePaint) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", top_visible, {0, 0, 240, 320});
  log.take();
  post_message(a, wm::user + 1, 0, 0);
  post_quit_message(7);
  post_message(a, wm::user + 2, 0, 0);
  while (log.pump_one()) {
  }
  log.pump();
  EXPECT_EQ(log.take(), (lines{"A post user+1 0", "A post user+2 0", "quit 7", "A post paint", "A erasebkgnd"}));
  // The quit message answers any filter.
  post_quit_message(3);
  msg m;
  ASSERT_TRUE(peek_message(m, a, wm::keydown, wm::keydown, pm::remove));
  EXPECT_EQ(m.message, wm::quit);
  EXPECT_EQ(m.wparam, 3u);
  EXPECT_FALSE(peek_message(m, no_window, 0, 0, pm::remove));
}

TEST(MessageQueue, NestedLoopsRunInsideAHandlerAndPassQuitOutwards) {
  struct nested_case {
    const char* what;
    bool quit_inside;
    lines expected;
  };
  const nested_case cases[] = {
      {"ended by its flag", false,
       {"A post user+1 0", "A post user+2 0", "A post user+3 0", "nested ended", "A post user+4 0", "quit 9"}},
      {"ended by quit", true, {"A post user+1 0", "A post user+2 0", "nested quit", "quit 5"}},
  };
  for (const nested_case& c : cases) {
    SCOPED_TRACE(c.what);
    zqtest::message_recorder log;
    const hwnd a = log.create("A", ws::overlapped, {0, 0, 240, 320});
    bool done = false;
    log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
      if (m == wm::user + 1) {
        const bool ended = run_nested_loop([&] { return done; });  // a modal loop
        log.note(ended ? "nested ended" : "nested quit");
        if (ended) {
          post_message(a, wm::user + 4, 0, 0);
          post_quit_message(9);
        }
      }
      if (m == wm::user + 2 && c.quit_inside) post_quit_message(5);
      if (m == wm::user + 3) done = true;
      return std::nullopt;
    };
    log.take();
    post_message(a, wm::user + 1, 0, 0);
    post_message(a, wm::user + 2, 0, 0);
    if (!c.quit_inside) post_message(a, wm::user + 3, 0, 0);
    while (log.pump_one()) {
    }
    EXPECT_EQ(log.take(), c.expected);
  }
}

TEST(MessageQueue, PostingFromAnotherThreadWakesTheWaitingOwner) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", ws::overlapped, {0, 0, 240, 320});
  std::thread poster([a] { post_message(a, wm::user + 7, 42, 0); });
  msg m;
  ASSERT_TRUE(get_message(m, no_window, 0, 0));
  poster.join();
  EXPECT_EQ(m.window, a);
  EXPECT_EQ(m.message, wm::user + 7);
  EXPECT_EQ(m.wparam, 42u);
}

TEST(MessageQueue, InputQueuedWhileBusyIsPurged) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", ws::overlapped, {0, 0, 240, 320});
  for (std::uint32_t m : {wm::lbuttondown, wm::mousemove, wm::lbuttonup, wm::keydown, wm::keyup, wm_wakeup}) {
    post_message(a, m, 0, 0);
  }
  log.take();
  purge_pending_input(pending_input_t::stylus);
  purge_pending_input(pending_input_t::keys);
  log.pump();
  EXPECT_EQ(log.take(), (lines{"A post lbuttonup 0,0", "A post user+100 0"}));
  clear_input_purge_log();
}

}  // namespace
