// The scroll bar control on the headless backend: its range, page and position, and the scroll
// messages the stylus makes it send to its parent.
#include "platform/control_scroll_bar.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

struct bar_fixture {
  zqtest::message_recorder log;
  hwnd parent = log.create("P", ws::overlapped | ws::visible, {0, 0, 240, 320});
  hwnd bar = no_window;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> scrolls;  // (code, position) as the parent hears them

  // A vertical bar 13 x 200 at (100, 50): arrows 13 high, a trough of 174.
  bar_fixture() {
    register_scroll_bar_class();
    bar = create_window({scroll_bar_class, L"", ws::child | ws::visible | sbs::vert, 0, {100, 50, 113, 250}, parent, 3});
    log.on = [this](hwnd h, std::uint32_t m, wparam_t w, lparam_t l) -> std::optional<lresult_t> {
      if (h == parent && m == wm_scroll::vscroll && hwnd_of_param(static_cast<wparam_t>(l)) == bar) {
        scrolls.emplace_back(loword(w), hiword(w));
      }
      return std::nullopt;
    };
  }
  point at(int y) const { return {106, 50 + y}; }
};

using scroll_list = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

TEST(ScrollBarControl, PositionStaysWithinTheRangeLessThePage) {
  bar_fixture f;
  set_scroll_bar(f.bar, 0, 99, 10, 500);
  EXPECT_EQ(scroll_bar_pos(f.bar), 90);
  EXPECT_EQ(send_message(f.bar, sbm::setpos, static_cast<wparam_t>(-5), 1), 90);
  EXPECT_EQ(scroll_bar_pos(f.bar), 0);
  send_message(f.bar, sbm::setrange, 10, 20);
  int low = 0;
  int high = 0;
  send_message(f.bar, sbm::getrange, reinterpret_cast<wparam_t>(&low), reinterpret_cast<lparam_t>(&high));
  EXPECT_EQ(std::make_pair(low, high), std::make_pair(10, 20));
  EXPECT_EQ(scroll_bar_pos(f.bar), 10);
  scroll_info info;
  info.mask = sif::all;
  send_message(f.bar, sbm::getscrollinfo, 0, reinterpret_cast<lparam_t>(&info));
  EXPECT_EQ(info.page, 10);
  EXPECT_EQ(info.track_pos, 10);
}

TEST(ScrollBarControl, ArrowsTroughAndThumbTellTheParent) {
  bar_fixture f;
  set_scroll_bar(f.bar, 0, 99, 25, 0);  // the thumb: 174 * 25 / 100 = 43 pixels from y = 13
  headless::tap(f.at(5));
  headless::tap(f.at(195));
  headless::tap(f.at(150));
  headless::settle();
  EXPECT_EQ(f.scrolls, (scroll_list{{sb::lineup, 0},
                                    {sb::endscroll, 0},
                                    {sb::linedown, 0},
                                    {sb::endscroll, 0},
                                    {sb::pagedown, 0},
                                    {sb::endscroll, 0}}));
  // The thumb dragged to the trough's end gives the last position; the bar waits for the parent.
  f.scrolls.clear();
  headless::down(f.at(20));
  headless::move(f.at(60));
  headless::move(f.at(400));
  headless::up(f.at(400));
  headless::settle();
  ASSERT_EQ(f.scrolls.size(), 4u);
  EXPECT_EQ(f.scrolls[0].first, sb::thumbtrack);
  EXPECT_GT(f.scrolls[0].second, 0u);
  EXPECT_LT(f.scrolls[0].second, 75u);
  EXPECT_EQ(f.scrolls[1], std::make_pair(sb::thumbtrack, 75u));
  EXPECT_EQ(f.scrolls[2], std::make_pair(sb::thumbposition, 75u));
  EXPECT_EQ(f.scrolls[3].first, sb::endscroll);
  EXPECT_EQ(scroll_bar_pos(f.bar), 0);
  // With the thumb at the end, the trough above it pages up.
  send_message(f.bar, sbm::setpos, 75, 1);
  f.scrolls.clear();
  headless::tap(f.at(40));
  headless::settle();
  EXPECT_EQ(f.scrolls, (scroll_list{{sb::pageup, 0}, {sb::endscroll, 0}}));
  // A range of one page leaves nothing to scroll: no messages.
  set_scroll_bar(f.bar, 0, 24, 25, 0);
  f.scrolls.clear();
  headless::tap(f.at(5));
  headless::tap(f.at(100));
  headless::settle();
  EXPECT_TRUE(f.scrolls.empty());
}

}  // namespace
