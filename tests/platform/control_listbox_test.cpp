// List boxes on the headless backend: lines with their data, sorted insertion, the notifications
// the parent gets from stylus and keys, scroll ranges, suspended redrawing.
#include "platform/control_listbox.h"

#include <gtest/gtest.h>

#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

struct list_fixture {
  zqtest::message_recorder log;
  hwnd parent = no_window;
  hwnd list = no_window;
  std::vector<std::string> heard;  // "selchange 2": the code and the selection then

  explicit list_fixture(std::uint32_t style, rect position = {20, 20, 140, 120}) {
    parent = log.create("P", ws::overlapped | ws::visible, {0, 0, 240, 320});
    register_listbox_class();
    list = create_window({listbox_class, L"", ws::child | ws::visible | style, 0, position, parent, 100});
    log.on = [this](hwnd, std::uint32_t m, wparam_t w, lparam_t l) -> std::optional<lresult_t> {
      if (m != wm::command) return std::nullopt;
      EXPECT_EQ(loword(w), 100u);
      EXPECT_EQ(hwnd_of_param(static_cast<std::uintptr_t>(l)), list);
      const std::uint32_t code = hiword(w);
      heard.push_back((code == lbn::selchange ? "selchange " : code == lbn::dblclk ? "dblclk " : "other ") +
                      std::to_string(send_message(list, lb::getcursel, 0, 0)));
      return 0;
    };
  }
  void add(std::initializer_list<const wchar_t*> texts) {
    for (const wchar_t* t : texts) send_message(list, lb::addstring, 0, reinterpret_cast<lparam_t>(t));
  }
  // The middle of a shown line, on the screen.
  point line_point(int row) const {
    const rect r = window_rect(list);
    const int h = static_cast<int>(send_message(list, lb::getitemheight, 0, 0));
    return {r.left + 20, r.top + 1 + row * h + h / 2};
  }
  std::vector<std::string> take() { return std::exchange(heard, {}); }
};

std::vector<std::wstring> lines_of(hwnd list) {
  std::vector<std::wstring> out;
  const auto n = static_cast<int>(send_message(list, lb::getcount, 0, 0));
  for (int i = 0; i < n; ++i) out.push_back(listbox_text(list, i));
  return out;
}

TEST(ListBox, SortedLinesKeepTheirDataThroughInsertionsAndDeletions) {
  list_fixture f(lbs::sort);
  const hwnd list = f.list;
  auto add = [&](const wchar_t* text, std::uintptr_t data) {
    const lresult_t at = send_message(list, lb::addstring, 0, reinterpret_cast<lparam_t>(text));
    send_message(list, lb::setitemdata, static_cast<wparam_t>(at), static_cast<lparam_t>(data));
    return at;
  };
  EXPECT_EQ(add(L"Sony", 1), 0);
  EXPECT_EQ(add(L"aiwa", 2), 0);    // case does not count
  EXPECT_EQ(add(L"Philips", 3), 1);
  EXPECT_EQ(add(L"SONY", 4), 3);    // after the equal line already there
  // Inserting at an index never sorts.
  EXPECT_EQ(send_message(list, lb::insertstring, 1, reinterpret_cast<lparam_t>(L"Zenith")), 1);
  EXPECT_EQ(lines_of(list), (std::vector<std::wstring>{L"aiwa", L"Zenith", L"Philips", L"Sony", L"SONY"}));
  EXPECT_EQ(send_message(list, lb::getitemdata, 2, 0), 3);
  EXPECT_EQ(send_message(list, lb::getitemdata, 4, 0), 4);
  EXPECT_EQ(send_message(list, lb::getitemdata, 1, 0), 0);
  EXPECT_EQ(send_message(list, lb::findstringexact, static_cast<wparam_t>(-1), reinterpret_cast<lparam_t>(L"sony")), 3);
  EXPECT_EQ(send_message(list, lb::findstringexact, 3, reinterpret_cast<lparam_t>(L"sony")), 4);
  EXPECT_EQ(send_message(list, lb::findstringexact, 0, reinterpret_cast<lparam_t>(L"son")), lb::err);

  // The selection follows its line; deleting the selected line leaves none selected.
  EXPECT_EQ(send_message(list, lb::setcursel, 3, 0), 3);
  EXPECT_EQ(send_message(list, lb::deletestring, 0, 0), 4);
  EXPECT_EQ(send_message(list, lb::getcursel, 0, 0), 2);
  EXPECT_EQ(send_message(list, lb::getitemdata, 2, 0), 1);
  EXPECT_EQ(send_message(list, lb::deletestring, 2, 0), 3);
  EXPECT_EQ(send_message(list, lb::getcursel, 0, 0), lb::err);
  EXPECT_EQ(send_message(list, lb::deletestring, 3, 0), lb::err);
  EXPECT_EQ(send_message(list, lb::setitemdata, 3, 9), lb::err);
  EXPECT_EQ(send_message(list, lb::insertstring, 4, reinterpret_cast<lparam_t>(L"x")), lb::err);
  EXPECT_EQ(listbox_text(list, 7), L"");
  send_message(list, lb::resetcontent, 0, 0);
  EXPECT_EQ(send_message(list, lb::getcount, 0, 0), 0);
  EXPECT_EQ(f.take(), std::vector<std::string>{});  // changes by message notify nobody
}

TEST(ListBox, ParentHearsOfTheUsersSelectionsAtTheLiftAndOfDoubleTaps) {
  list_fixture f(lbs::notify);
  f.add({L"Power", L"Mute", L"Vol+", L"Vol-"});
  headless::tap(f.line_point(1));
  headless::settle();
  EXPECT_EQ(f.take(), std::vector<std::string>{"selchange 1"});
  EXPECT_EQ(focus_window(), f.list);

  headless::tap(f.line_point(1));  // again at once: a double tap, no new choice
  headless::settle();
  EXPECT_EQ(f.take(), std::vector<std::string>{"dblclk 1"});

  headless::wait(600);
  headless::tap(f.line_point(1));  // the same line later: nothing changed
  headless::wait(600);
  headless::tap(f.line_point(1));
  headless::settle();
  EXPECT_EQ(f.take(), std::vector<std::string>{});

  // A drag over three lines is one choice, told at the lift.
  headless::wait(600);
  headless::down(f.line_point(0));
  headless::move(f.line_point(2));
  headless::move(f.line_point(3));
  headless::up(f.line_point(3));
  headless::key(vk_nav_up);
  headless::key(vk_nav_up);
  headless::key(vk_nav_down);
  headless::settle();
  EXPECT_EQ(f.take(), (std::vector<std::string>{"selchange 3", "selchange 2", "selchange 1", "selchange 2"}));

  send_message(f.list, lb::setcursel, 0, 0);
  EXPECT_EQ(f.take(), std::vector<std::string>{});
}

TEST(ListBox, WithoutTheNotifyStyleTheParentHearsNothing) {
  list_fixture f(0);
  f.add({L"a", L"b"});
  headless::tap(f.line_point(1));
  headless::tap(f.line_point(1));
  headless::key(vk_nav_up);
  headless::settle();
  EXPECT_EQ(f.take(), std::vector<std::string>{});
  EXPECT_EQ(send_message(f.list, lb::getcursel, 0, 0), 0);
}

TEST(ListBox, ScrollRangesFollowTheLinesAndTheHorizontalExtent) {
  list_fixture f(lbs::notify | lbs::vscroll | lbs::hscroll);
  const int h = static_cast<int>(send_message(f.list, lb::getitemheight, 0, 0));
  EXPECT_FALSE(listbox_scroll_info(f.list, false).shown);
  for (int i = 0; i < 20; ++i) {
    const std::wstring text = L"Line " + std::to_wstring(i);
    send_message(f.list, lb::addstring, 0, reinterpret_cast<lparam_t>(text.c_str()));
  }
  list_scroll_info v = listbox_scroll_info(f.list, false);
  EXPECT_TRUE(v.shown);
  EXPECT_EQ(v.total, 20);
  EXPECT_EQ(v.page, (100 - 2) / h);
  EXPECT_FALSE(listbox_scroll_info(f.list, true).shown);

  // The extent beyond the lines' width brings the horizontal bar, which takes a line's room.
  const int lines_width = 120 - 2 - 13;
  send_message(f.list, lb::sethorizontalextent, static_cast<wparam_t>(lines_width + 50), 0);
  list_scroll_info x = listbox_scroll_info(f.list, true);
  EXPECT_TRUE(x.shown);
  EXPECT_EQ(x.page, lines_width);
  EXPECT_EQ(x.max_pos(), 50);
  v = listbox_scroll_info(f.list, false);
  EXPECT_EQ(v.page, (100 - 2 - 13) / h);

  // Down past the last shown line scrolls it into view; dragging below the lines scrolls on.
  f.heard.clear();
  headless::tap(f.line_point(v.page - 1));
  headless::key(vk_nav_down);
  headless::settle();
  EXPECT_EQ(send_message(f.list, lb::gettopindex, 0, 0), 1);
  headless::down(f.line_point(2));
  for (int i = 0; i < 30; ++i) headless::move({f.line_point(0).x, 200});
  headless::up({f.line_point(0).x, 200});
  headless::settle();
  EXPECT_EQ(send_message(f.list, lb::getcursel, 0, 0), 19);
  EXPECT_EQ(send_message(f.list, lb::gettopindex, 0, 0), 20 - v.page);
  EXPECT_EQ(f.take().back(), "selchange 19");

  // The horizontal bar's right arrow scrolls by 8 pixels, and no further than the extent allows.
  const rect r = window_rect(f.list);
  const point right_arrow{r.right - 1 - 13 - 6, r.bottom - 1 - 6};
  headless::tap(right_arrow);
  headless::settle();
  EXPECT_EQ(listbox_scroll_info(f.list, true).pos, 8);
  for (int i = 0; i < 10; ++i) headless::tap(right_arrow);
  headless::settle();
  EXPECT_EQ(listbox_scroll_info(f.list, true).pos, 50);
  // Dragging the vertical thumb to the top shows the first line again.
  const point thumb_bottom{r.right - 1 - 6, r.bottom - 1 - 13 - 13 - 2};
  headless::down(thumb_bottom);
  headless::move({thumb_bottom.x, r.top - 100});
  headless::up({thumb_bottom.x, r.top - 100});
  headless::settle();
  EXPECT_EQ(send_message(f.list, lb::gettopindex, 0, 0), 0);
  EXPECT_EQ(send_message(f.list, lb::getcursel, 0, 0), 19);

  // Fewer lines than a page: no vertical bar and the top is the first line.
  for (int i = 0; i < 18; ++i) send_message(f.list, lb::deletestring, 0, 0);
  EXPECT_FALSE(listbox_scroll_info(f.list, false).shown);
  EXPECT_EQ(send_message(f.list, lb::gettopindex, 0, 0), 0);
}

TEST(ListBox, SuspendedRedrawingInvalidatesNothingUntilResumed) {
  list_fixture f(0);
  headless::settle();
  send_message(f.list, lb::setredraw, 0, 0);
  f.add({L"one", L"two"});
  send_message(f.list, lb::setcursel, 1, 0);
  send_message(f.list, lb::deletestring, 0, 0);
  EXPECT_TRUE(update_rect(f.list).empty());
  send_message(f.list, lb::setredraw, 1, 0);
  EXPECT_EQ(update_rect(f.list), client_rect(f.list));
}

}  // namespace
