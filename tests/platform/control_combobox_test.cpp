// Drop-down lists on the headless backend: the nested loop that the dropped list runs, closed by
// every way there is, with the parent's notifications in order; keys on the closed drop-down;
// the lines kept by its list; the picture of an open one.
#include "platform/control_combobox.h"

#include <gtest/gtest.h>

#include "platform/control_font.h"
#include "platform/dialog_navigation.h"
#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/golden_image.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
constexpr std::uint32_t vk_escape = 0x1B;

std::string code_name(std::uint32_t code) {
  switch (code) {
    case cbn::selchange: return "selchange";
    case cbn::dropdown: return "dropdown";
    case cbn::closeup: return "closeup";
    case cbn::selendok: return "selendok";
    case cbn::selendcancel: return "selendcancel";
    default: return "code " + std::to_string(code);
  }
}

struct drop_down_fixture {
  zqtest::message_recorder log;
  hwnd parent = no_window;
  hwnd combo = no_window;
  std::vector<std::string> heard;  // "closeup 2": the code and the selection then

  explicit drop_down_fixture(std::uint32_t style = 0, rect position = {20, 40, 160, 160}) {
    parent = log.create("P", ws::overlapped | ws::visible, {0, 0, 240, 320});
    register_combobox_class();
    combo = create_window({combobox_class, L"", ws::child | ws::visible | cbs::dropdownlist | style, 0, position,
                           parent, 200});
    log.on = [this](hwnd, std::uint32_t m, wparam_t w, lparam_t l) -> std::optional<lresult_t> {
      if (m != wm::command) return std::nullopt;
      EXPECT_EQ(loword(w), 200u);
      EXPECT_EQ(hwnd_of_param(static_cast<std::uintptr_t>(l)), combo);
      heard.push_back(code_name(hiword(w)) + " " + std::to_string(send_message(combo, cb::getcursel, 0, 0)));
      return 0;
    };
  }
  void add(std::initializer_list<const wchar_t*> texts) {
    for (const wchar_t* t : texts) send_message(combo, cb::addstring, 0, reinterpret_cast<lparam_t>(t));
  }
  point field() const {
    const rect r = window_rect(combo);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // A line of the list dropped under the field, on the screen.
  point dropped_line(int index) const {
    const rect r = window_rect(combo);
    const int h = static_cast<int>(send_message(combobox_list(combo), lb::getitemheight, 0, 0));
    return {r.left + 30, r.bottom + 1 + index * h + h / 2};
  }
  bool dropped() const { return send_message(combo, cb::getdroppedstate, 0, 0) != 0; }
  std::vector<std::string> take() { return std::exchange(heard, {}); }
};

using lines = std::vector<std::string>;

TEST(DropDownList, ClosesByAChoiceAnEscapeATouchOutsideOrATapOnItsField) {
  drop_down_fixture f;
  f.add({L"TV", L"VCR", L"DVD", L"Amplifier"});
  send_message(f.combo, cb::setcursel, 0, 0);

  // A tap on a line chooses it; the selection changed, so selchange comes last.
  headless::tap(f.field());
  headless::tap(f.dropped_line(2));
  headless::settle();
  EXPECT_EQ(f.take(), (lines{"dropdown 0", "selendok 2", "closeup 2", "selchange 2"}));
  EXPECT_FALSE(f.dropped());
  EXPECT_FALSE(is_window_visible(combobox_list(f.combo)));
  EXPECT_EQ(focus_window(), f.combo);

  // Touching the field and sliding onto a line chooses the line it is lifted on.
  headless::down(f.field());
  headless::move(f.dropped_line(1));
  headless::move(f.dropped_line(3));
  headless::up(f.dropped_line(3));
  headless::settle();
  EXPECT_EQ(f.take(), (lines{"dropdown 2", "selendok 3", "closeup 3", "selchange 3"}));

  // Escape after moving the highlight brings the selection before opening back.
  headless::tap(f.field());
  headless::key(vk_nav_up);
  headless::key(vk_nav_up);
  headless::key(vk_escape);
  headless::settle();
  EXPECT_EQ(f.take(), (lines{"dropdown 3", "selendcancel 3", "closeup 3"}));

  // Select chooses the highlighted line; choosing the selected line again changes nothing.
  headless::tap(f.field());
  headless::key(vk_nav_up);
  headless::key(vk_nav_select);
  headless::tap(f.field());
  headless::tap(f.dropped_line(2));
  headless::settle();
  EXPECT_EQ(f.take(), (lines{"dropdown 3", "selendok 2", "closeup 2", "selchange 2", "dropdown 2", "selendok 2",
                             "closeup 2"}));

  // A touch outside closes without a choice, and neither it nor its lift reaches the window there;
  // a second tap on the field closes the list rather than opening it again.
  f.log.take();
  headless::tap(f.field());
  headless::down({200, 300});
  headless::move({201, 300});
  headless::up({201, 300});
  headless::tap(f.field());
  headless::tap(f.field());
  headless::settle();
  EXPECT_EQ(f.take(), (lines{"dropdown 2", "selendcancel 2", "closeup 2", "dropdown 2", "selendcancel 2", "closeup 2"}));
  for (const std::string& line : f.log.take()) EXPECT_EQ(line.find("lbutton"), std::string::npos) << line;
  EXPECT_FALSE(f.dropped());
}

TEST(DropDownList, OpenedByMessageForTheCallersOwnLoopAndEndedByQuit) {
  drop_down_fixture f;
  f.add({L"TV", L"VCR"});
  // As a codebase chooser does it: open, run a loop until the close-up, then read the choice.
  bool closed = false;
  f.log.on = [&](hwnd, std::uint32_t m, wparam_t w, lparam_t) -> std::optional<lresult_t> {
    if (m == wm::command && hiword(w) == cbn::closeup) closed = true;
    return std::nullopt;
  };
  send_message(f.combo, cb::showdropdown, 1, 0);
  EXPECT_TRUE(f.dropped());
  EXPECT_TRUE(is_window_visible(combobox_list(f.combo)));
  headless::tap(f.dropped_line(1));
  EXPECT_TRUE(run_nested_loop([&] { return closed; }));
  EXPECT_EQ(send_message(f.combo, cb::getcursel, 0, 0), 1);
  EXPECT_FALSE(f.dropped());

  // The quit message closes the list without a choice and is posted again for the loops outside.
  post_quit_message(7);
  EXPECT_FALSE(run_drop_down(f.combo));
  EXPECT_FALSE(f.dropped());
  EXPECT_EQ(send_message(f.combo, cb::getcursel, 0, 0), 1);
  msg m;
  EXPECT_FALSE(get_message(m, no_window, 0, 0));
  EXPECT_EQ(m.wparam, 7u);
}

TEST(DropDownList, KeepsSortedLinesWithDataAndStepsWithKeysWhileClosed) {
  drop_down_fixture f(cbs::sort);
  const auto add = [&](const wchar_t* text) {
    return send_message(f.combo, cb::addstring, 0, reinterpret_cast<lparam_t>(text));
  };
  EXPECT_EQ(add(L"none"), 0);
  EXPECT_EQ(add(L"Kitchen TV"), 0);
  EXPECT_EQ(send_message(f.combo, cb::setitemdata, 1, 42), 0);
  EXPECT_EQ(add(L"DVD"), 0);
  EXPECT_EQ(send_message(f.combo, cb::getitemdata, 2, 0), 42);
  EXPECT_EQ(combobox_text(f.combo, 2), L"none");
  EXPECT_EQ(send_message(f.combo, cb::findstringexact, static_cast<wparam_t>(-1), reinterpret_cast<lparam_t>(L"dvd")), 0);
  EXPECT_EQ(send_message(f.combo, cb::getcursel, 0, 0), cb::err);
  EXPECT_EQ(f.take(), lines{});

  // In a dialog the closed drop-down keeps Up and Down; Left and Right move the focus on.
  EXPECT_TRUE(control_keeps_key(f.combo, vk_nav_down));
  EXPECT_FALSE(control_keeps_key(f.combo, vk_nav_left));
  set_focus(f.combo);
  headless::key(vk_nav_down);
  headless::key(vk_nav_down);
  headless::key(vk_nav_up);
  headless::key(vk_nav_up);  // already the first line: nothing
  headless::settle();
  EXPECT_EQ(f.take(), (lines{"selchange 0", "selchange 1", "selchange 0"}));
}

TEST(DropDownList, KeepsTheFieldsHeightAndDropsWhereTheScreenHasRoom) {
  drop_down_fixture f(lbs::vscroll, {20, 40, 160, 100});
  const rect field = window_rect(f.combo);
  EXPECT_LT(field.height(), 60);
  const int line = static_cast<int>(send_message(combobox_list(f.combo), lb::getitemheight, 0, 0));
  const int dropped_height = (60 - field.height() - 2) / line * line + 2;  // whole lines in a frame
  for (int i = 0; i < 12; ++i) f.add({L"line"});
  send_message(f.combo, cb::showdropdown, 1, 0);
  const rect below = window_rect(combobox_list(f.combo));
  EXPECT_EQ(below, (rect{20, field.bottom, 160, field.bottom + dropped_height}));
  send_message(f.combo, cb::showdropdown, 0, 0);
  EXPECT_FALSE(is_window_visible(combobox_list(f.combo)));

  // Moved (as a rotated dialog moves its controls) near the bottom: the list opens above.
  move_window(f.combo, {20, 280, 160, 280 + field.height() + 80});
  EXPECT_EQ(window_rect(f.combo).height(), field.height());
  send_message(f.combo, cb::showdropdown, 1, 0);
  EXPECT_EQ(window_rect(combobox_list(f.combo)), (rect{20, 280 - (78 / line * line + 2), 160, 280}));
  EXPECT_TRUE(listbox_scroll_info(combobox_list(f.combo), false).shown);

  // A dialog's larger font makes the field and the list's lines taller.
  send_message(f.combo, cb::showdropdown, 0, 0);
  set_control_font(f.combo, font::create({L"Tahoma", -16, 400}));
  EXPECT_GT(window_rect(f.combo).height(), field.height());
  EXPECT_GT(send_message(combobox_list(f.combo), lb::getitemheight, 0, 0), line);
}

TEST(DropDownList, OpenBesideAListBoxAtBothScreenSizes) {
  for (const int s : {1, 2}) {
    drop_down_fixture f;  // starts from an empty window system at 240 x 320
    set_screen_size({240 * s, 320 * s});
    move_window(f.parent, {0, 0, 240 * s, 320 * s});
    destroy_window(f.combo);
    f.combo = create_window({combobox_class, L"", ws::child | ws::visible | cbs::dropdownlist | lbs::vscroll, 0,
                             {10 * s, 150 * s, 150 * s, 250 * s}, f.parent, 200});
    const hwnd list = create_window({listbox_class, L"", ws::child | ws::visible | lbs::vscroll | lbs::hscroll, 0,
                                     {10 * s, 10 * s, 150 * s, 110 * s}, f.parent, 100});
    for (const wchar_t* text : {L"Living Room TV", L"Bedroom DVD player with a long name", L"Amplifier",
                                L"Satellite receiver", L"Projector", L"Air conditioner", L"Fan", L"Lights"}) {
      send_message(list, lb::addstring, 0, reinterpret_cast<lparam_t>(text));
      send_message(f.combo, cb::addstring, 0, reinterpret_cast<lparam_t>(text));
    }
    send_message(list, lb::sethorizontalextent, static_cast<wparam_t>(200 * s), 0);
    send_message(list, lb::setcursel, 1, 0);
    send_message(f.combo, cb::setcursel, 2, 0);
    set_focus(list);
    send_message(f.combo, cb::showdropdown, 1, 0);
    headless::settle();
    EXPECT_TRUE(zqtest::matches_golden(screen_surface(),
                                       s == 1 ? "drop_down_open_240x320" : "drop_down_open_480x640"));
  }
}

}  // namespace
