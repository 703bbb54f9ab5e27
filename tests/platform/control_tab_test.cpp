// The tab control on the headless backend: a tab tapped or reached with the pad is selected only
// when the parent lets the current one go, and the parent hears both steps.
#include "platform/control_tab.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

struct heard {
  int code;
  int tab;
  int next;
  friend bool operator==(const heard&, const heard&) = default;
};

TEST(TabControl, TheParentMayKeepTheCurrentTabBeforeAnotherIsSelected) {
  zqtest::message_recorder log;
  const hwnd parent = log.create("P", ws::overlapped | ws::visible, {0, 0, 240, 320});
  tab_control::register_class();
  const hwnd tabs = create_window({tab_control::class_name, L"", ws::child | ws::visible, 0, {0, 20, 240, 300}, parent, 7});
  for (const wchar_t* text : {L"Action", L"Graphics", L"Position"}) tab_control::insert_tab(tabs, 99, text);
  std::vector<heard> notes;
  bool keep = true;
  log.on = [&](hwnd, std::uint32_t m, wparam_t w, lparam_t l) -> std::optional<lresult_t> {
    if (m != wm_notify || w != 7) return std::nullopt;
    const auto* n = reinterpret_cast<const tab_control::notify*>(l);
    notes.push_back({n->header.code, n->tab, n->next});
    return n->header.code == tab_control::selection_changing && keep ? 1 : 0;
  };
  EXPECT_EQ(tab_control::selected_tab(tabs), 0);
  EXPECT_EQ(tab_control::tab_text(tabs, 2), L"Position");
  const rect graphics = tab_control::tab_rect(tabs, 1);
  const point on_graphics = client_to_screen(tabs, {(graphics.left + graphics.right) / 2, graphics.bottom - 4});
  // The display area lies below every tab.
  EXPECT_GE(tab_control::display_area(tabs).top, graphics.bottom);

  headless::tap(on_graphics);  // refused: the page is incomplete
  log.pump();
  EXPECT_EQ(tab_control::selected_tab(tabs), 0);
  keep = false;
  headless::tap(on_graphics);
  headless::tap(on_graphics);  // the selected tab again: nothing
  headless::key(vk_nav_right);
  headless::key(vk_nav_right);  // past the last tab: nothing
  log.pump();
  EXPECT_EQ(tab_control::selected_tab(tabs), 2);
  const int changing = tab_control::selection_changing;
  const int changed = tab_control::selection_changed;
  EXPECT_EQ(notes, (std::vector<heard>{{changing, 0, 1}, {changing, 0, 1}, {changed, 1, -1}, {changing, 1, 2}, {changed, 2, -1}}));
  // Selecting from the program asks nothing.
  notes.clear();
  EXPECT_TRUE(tab_control::select_tab(tabs, 0));
  EXPECT_TRUE(notes.empty());
}

TEST(TabControl, AParentThatDestroysTheControlWhenAskedEndsTheChange) {
  zqtest::message_recorder log;
  const hwnd parent = log.create("P", ws::overlapped | ws::visible, {0, 0, 240, 320});
  tab_control::register_class();
  const hwnd tabs = create_window({tab_control::class_name, L"", ws::child | ws::visible, 0, {0, 20, 240, 300}, parent, 7});
  for (const wchar_t* text : {L"Action", L"Graphics"}) tab_control::insert_tab(tabs, 99, text);
  std::vector<heard> notes;
  log.on = [&](hwnd, std::uint32_t m, wparam_t w, lparam_t l) -> std::optional<lresult_t> {
    if (m != wm_notify || w != 7) return std::nullopt;
    const auto* n = reinterpret_cast<const tab_control::notify*>(l);
    notes.push_back({n->header.code, n->tab, n->next});
    destroy_window(tabs);
    return 0;
  };
  set_focus(tabs);
  headless::key(vk_nav_right);
  log.pump();
  EXPECT_FALSE(is_window(tabs));
  EXPECT_EQ(notes, (std::vector<heard>{{tab_control::selection_changing, 0, 1}}));
}

}  // namespace
