// The list view in report mode on the headless backend: rows selected by the stylus and the pad,
// the parent told with the row's data, columns, scrolling a row into view and by the scroll bar.
#include "platform/control_list_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

constexpr std::uint32_t list_id = 1001;

// A top-level window holding a list view of 20 rows over its top half (16 rows do not fit).
struct list_fixture {
  zqtest::message_recorder log;
  hwnd parent = log.create("P", ws::overlapped | ws::visible, {0, 0, 240, 320});
  hwnd list = no_window;
  std::vector<std::pair<int, int>> notes;  // (code, item) as the parent heard them
  std::vector<std::uintptr_t> data_heard;
  bool destroy_on_change = false;  // the parent destroys the list when told of a new selection

  list_fixture() {
    list_view::register_class();
    list = create_window({list_view::class_name, L"", ws::child | ws::visible, 0, {0, 0, 240, 160}, parent, list_id});
    list_view::insert_column(list, 0, L"Button", 80);
    list_view::insert_column(list, 1, L"Assignment", 240 - 80 - 15);
    for (int i = 0; i < 20; ++i) {
      const int row = list_view::insert_item(list, i, L"Key " + std::to_wstring(i), -1, 0x40C0 + static_cast<unsigned>(i));
      list_view::set_item_text(list, row, 1, L"Action " + std::to_wstring(i));
    }
    log.on = [this](hwnd, std::uint32_t m, wparam_t w, lparam_t l) -> std::optional<lresult_t> {
      if (m != wm_notify || w != list_id) return std::nullopt;
      const auto* n = reinterpret_cast<const list_view::notify*>(l);
      EXPECT_EQ(n->header.from, list);
      notes.emplace_back(n->header.code, n->item);
      data_heard.push_back(n->data);
      if (destroy_on_change && n->header.code == list_view::item_changed) destroy_window(list);
      return 0;
    };
    log.pump();
  }
  point middle_of(int item) const {
    const rect r = list_view::item_rect(list, item);
    return client_to_screen(list, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
};

TEST(ListView, TapSelectsTheWholeRowAndTellsTheParentItsData) {
  list_fixture f;
  headless::tap(f.middle_of(2));
  f.log.pump();
  EXPECT_EQ(list_view::selected_item(f.list), 2);
  EXPECT_EQ(focus_window(), f.list);
  EXPECT_EQ(f.notes, (std::vector<std::pair<int, int>>{{list_view::item_changed, 2}, {list_view::clicked, 2}}));
  EXPECT_EQ(f.data_heard, (std::vector<std::uintptr_t>{0x40C2, 0x40C2}));

  // A tap in the second column selects the same full row; below the last row nothing changes.
  f.notes.clear();
  const rect second = list_view::item_rect(f.list, 5);
  headless::tap(client_to_screen(f.list, {second.right - 20, second.top + 2}));
  headless::key(vk_nav_up);
  f.log.pump();
  EXPECT_EQ(list_view::selected_item(f.list), 4);
  EXPECT_EQ(f.notes, (std::vector<std::pair<int, int>>{
                         {list_view::item_changed, 5}, {list_view::clicked, 5}, {list_view::item_changed, 4}}));
  EXPECT_EQ(list_view::item_data(f.list, list_view::selected_item(f.list)), 0x40C4u);
  EXPECT_EQ(list_view::find_item_by_data(f.list, 0x40CF), 15);
  EXPECT_EQ(list_view::find_item_by_data(f.list, 0x1234), -1);
}

TEST(ListView, ColumnsKeepTheirTextsWhenOneIsInsertedBefore) {
  list_fixture f;
  EXPECT_EQ(list_view::column_count(f.list), 2);
  EXPECT_EQ(list_view::column_width(f.list, 1), 145);
  EXPECT_EQ(list_view::insert_column(f.list, 0, L"No.", 20), 0);
  EXPECT_EQ(list_view::item_text(f.list, 3, 1), L"Key 3");
  EXPECT_EQ(list_view::item_text(f.list, 3, 2), L"Action 3");
  EXPECT_EQ(list_view::item_text(f.list, 3, 0), L"");
  EXPECT_FALSE(list_view::set_item_text(f.list, 3, 3, L"beyond the columns"));
  EXPECT_FALSE(list_view::set_item_text(f.list, 20, 0, L"beyond the rows"));
  EXPECT_EQ(list_view::item_text(f.list, 99, 0), L"");
}

TEST(ListView, SelectionFollowsInsertsAndDeletesAndAMissingRowClearsIt) {
  list_fixture f;
  list_view::select_item(f.list, 3);
  list_view::insert_item(f.list, 0, L"First", -1, 7);
  EXPECT_EQ(list_view::selected_item(f.list), 4);
  EXPECT_EQ(list_view::item_data(f.list, 4), 0x40C3u);
  f.notes.clear();
  list_view::delete_item(f.list, 4);
  EXPECT_EQ(list_view::selected_item(f.list), -1);
  EXPECT_EQ(f.notes, (std::vector<std::pair<int, int>>{{list_view::item_changed, -1}}));
  EXPECT_EQ(list_view::item_count(f.list), 20);
}

TEST(ListView, EnsureVisibleScrollsTheLeastAndThePadKeepsTheSelectionInView) {
  list_fixture f;
  const int page = list_view::rows_per_page(f.list);
  ASSERT_LT(page, 20);
  EXPECT_EQ(list_view::top_index(f.list), 0);
  list_view::ensure_visible(f.list, 17);
  EXPECT_EQ(list_view::top_index(f.list), 17 - page + 1);
  list_view::ensure_visible(f.list, 18 - page);  // already shown: no scrolling
  EXPECT_EQ(list_view::top_index(f.list), 17 - page + 1);
  list_view::ensure_visible(f.list, 1);
  EXPECT_EQ(list_view::top_index(f.list), 1);

  list_view::select_item(f.list, 0);
  set_focus(f.list);
  for (int i = 0; i < 19; ++i) headless::key(vk_nav_down);
  headless::key(vk_nav_down);  // past the last row: stays
  f.log.pump();
  EXPECT_EQ(list_view::selected_item(f.list), 19);
  EXPECT_EQ(list_view::top_index(f.list), 20 - page);
  const rect last = list_view::item_rect(f.list, 19);
  EXPECT_LE(last.bottom, client_rect(f.list).bottom);
}

TEST(ListView, AParentThatDestroysTheListWhenToldOfTheChangeEndsTheTapAndTheKey) {
  for (const bool by_key : {false, true}) {
    list_fixture f;
    f.destroy_on_change = true;
    set_focus(f.list);
    if (by_key) {
      headless::key(vk_nav_down);
    } else {
      headless::tap(f.middle_of(2));
    }
    f.log.pump();
    EXPECT_FALSE(is_window(f.list));
    EXPECT_EQ(f.notes, (std::vector<std::pair<int, int>>{{list_view::item_changed, by_key ? 0 : 2}}));
    EXPECT_FALSE(list_view::select_item(f.list, 1));
  }
}

TEST(ListView, DeletingTheSelectedRowsEndsWhenTheParentDestroysTheList) {
  for (const bool all : {false, true}) {
    list_fixture f;
    ASSERT_TRUE(list_view::select_item(f.list, 3));
    f.log.pump();
    f.destroy_on_change = true;
    // Told that the selection went, the parent destroys the list: nothing is touched afterwards.
    if (all) {
      list_view::delete_all_items(f.list);
    } else {
      EXPECT_TRUE(list_view::delete_item(f.list, 3));
    }
    EXPECT_FALSE(is_window(f.list)) << all;
  }
}

TEST(ListView, TheScrollBarPagesAndItsArrowsMoveOneRow) {
  list_fixture f;
  const int page = list_view::rows_per_page(f.list);
  const rect client = client_rect(f.list);
  // The bar sits at the right edge; its down arrow at the bottom, the track above it.
  headless::tap(client_to_screen(f.list, {client.right - 3, client.bottom - 3}));
  f.log.pump();
  EXPECT_EQ(list_view::top_index(f.list), 1);
  headless::tap(client_to_screen(f.list, {client.right - 3, client.bottom - 30}));
  f.log.pump();
  EXPECT_EQ(list_view::top_index(f.list), 1 + page);  // a page down
  headless::tap(client_to_screen(f.list, {client.right - 3, client.bottom - 30}));
  f.log.pump();
  EXPECT_EQ(list_view::top_index(f.list), 20 - page);  // held at the end
  EXPECT_EQ(list_view::selected_item(f.list), -1);     // the bar selects nothing
  EXPECT_TRUE(f.notes.empty());
}

}  // namespace
