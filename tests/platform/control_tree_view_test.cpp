// The tree view on the headless backend, used as a folder browser uses it: children filled when
// the parent hears an item expanding, sorted by name; selection and item data by stylus and pad.
#include "platform/control_tree_view.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/window.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using tree_view::item_id;

constexpr std::uint32_t tree_id = 1002;

struct heard {
  int code;
  std::wstring item;
  std::uintptr_t data;
  friend bool operator==(const heard&, const heard&) = default;
};

// A folder tree: each folder's subfolders are filled when it first expands (unsorted, then sorted
// by the tree); the item data says whether the folder has subfolders.
struct tree_fixture {
  zqtest::message_recorder log;
  hwnd parent = log.create("P", ws::overlapped | ws::visible, {0, 0, 240, 320});
  hwnd tree = no_window;
  std::map<std::wstring, std::vector<std::wstring>> folders{
      {L"\\", {L"windows", L"My Documents", L"apps", L"Storage Card"}},
      {L"windows", {L"fonts", L"Desktop"}},
      {L"apps", {}},
  };
  std::map<item_id, bool> filled;
  std::vector<heard> notes;
  bool refuse = false;
  bool destroy = false;  // the parent destroys the tree when asked to expand
  item_id top = tree_view::root;

  tree_fixture() {
    tree_view::register_class();
    tree = create_window({tree_view::class_name, L"", ws::child | ws::visible, 0, {0, 0, 240, 200}, parent, tree_id});
    log.on = [this](hwnd, std::uint32_t m, wparam_t w, lparam_t l) -> std::optional<lresult_t> {
      if (m != wm_notify || w != tree_id) return std::nullopt;
      const auto* n = reinterpret_cast<const tree_view::notify*>(l);
      notes.push_back({n->header.code, tree_view::item_text(tree, n->item), n->data});
      if (n->header.code == tree_view::item_expanding && n->action == tree_view::action_t::expand) {
        if (destroy) destroy_window(tree);
        if (refuse) return 1;
        if (!filled[n->item]) {
          filled[n->item] = true;
          for (const std::wstring& name : folders[tree_view::item_text(tree, n->item)]) {
            const bool has_sub = folders.count(name) != 0;
            tree_view::insert_item(tree, n->item, name, -1, has_sub ? 1 : 0, has_sub);
          }
          tree_view::sort_children(tree, n->item);
        }
      }
      return 0;
    };
    top = tree_view::insert_item(tree, tree_view::root, L"\\", -1, 1, true);
    log.pump();
  }
  std::vector<std::wstring> names_below(item_id item) const {
    std::vector<std::wstring> names;
    for (item_id child : tree_view::children(tree, item)) names.push_back(tree_view::item_text(tree, child));
    return names;
  }
  item_id child_named(item_id item, const std::wstring& name) const {
    for (item_id child : tree_view::children(tree, item)) {
      if (tree_view::item_text(tree, child) == name) return child;
    }
    return tree_view::root;
  }
  point row_point(item_id item, int x) const {
    const rect r = tree_view::item_rect(tree, item);
    return client_to_screen(tree, {r.left + x, (r.top + r.bottom) / 2});
  }
};

TEST(TreeView, TheButtonAsksTheParentWhichFillsChildrenThatAreSortedByName) {
  tree_fixture f;
  EXPECT_TRUE(tree_view::has_button(f.tree, f.top));
  headless::tap(f.row_point(f.top, 8));  // on the expand button
  f.log.pump();
  EXPECT_EQ(f.notes, (std::vector<heard>{{tree_view::item_expanding, L"\\", 1}, {tree_view::item_expanded, L"\\", 1}}));
  EXPECT_TRUE(tree_view::is_expanded(f.tree, f.top));
  EXPECT_EQ(f.names_below(f.top), (std::vector<std::wstring>{L"apps", L"My Documents", L"Storage Card", L"windows"}));
  EXPECT_EQ(tree_view::shown_count(f.tree), 5);
  EXPECT_EQ(tree_view::selected_item(f.tree), tree_view::root);  // the button does not select

  // A folder whose subfolders turn out to be none loses its button and stays collapsed.
  const item_id apps = f.child_named(f.top, L"apps");
  EXPECT_TRUE(tree_view::has_button(f.tree, apps));
  headless::tap(f.row_point(apps, 12 + 8));
  f.log.pump();
  EXPECT_FALSE(tree_view::has_button(f.tree, apps));
  EXPECT_FALSE(tree_view::is_expanded(f.tree, apps));
  EXPECT_FALSE(tree_view::has_button(f.tree, f.child_named(f.top, L"My Documents")));

  // Inserting in sorted place, and collapsing again with the button.
  tree_view::insert_item(f.tree, f.top, L"Backup", -1, 0, false, tree_view::insert_at_t::sorted);
  EXPECT_EQ(f.names_below(f.top)[1], L"Backup");
  headless::tap(f.row_point(f.top, 8));
  f.log.pump();
  EXPECT_FALSE(tree_view::is_expanded(f.tree, f.top));
  EXPECT_EQ(tree_view::shown_count(f.tree), 1);
}

TEST(TreeView, ARefusedExpansionStaysCollapsed) {
  tree_fixture f;
  f.refuse = true;
  EXPECT_FALSE(tree_view::expand(f.tree, f.top, tree_view::action_t::expand));
  EXPECT_FALSE(tree_view::is_expanded(f.tree, f.top));
  EXPECT_EQ(f.notes, (std::vector<heard>{{tree_view::item_expanding, L"\\", 1}}));
}

TEST(TreeView, AParentThatDestroysTheTreeWhenAskedEndsTheExpansion) {
  tree_fixture f;
  f.destroy = true;
  EXPECT_FALSE(tree_view::expand(f.tree, f.top, tree_view::action_t::expand));
  EXPECT_FALSE(is_window(f.tree));
  EXPECT_EQ(f.notes, (std::vector<heard>{{tree_view::item_expanding, L"\\", 1}}));
}

TEST(TreeView, StylusAndPadSelectItemsAndCollapsingMovesAHiddenSelectionUp) {
  tree_fixture f;
  tree_view::expand(f.tree, f.top, tree_view::action_t::expand);
  const item_id windows = f.child_named(f.top, L"windows");
  f.notes.clear();
  headless::tap(f.row_point(windows, 60));  // on its text
  headless::key(vk_nav_right);              // expands windows
  headless::key(vk_nav_right);              // to its first child
  f.log.pump();
  const item_id desktop = f.child_named(windows, L"Desktop");
  EXPECT_EQ(tree_view::selected_item(f.tree), desktop);
  EXPECT_EQ(f.notes, (std::vector<heard>{{tree_view::selection_changed, L"windows", 1},
                                         {tree_view::item_expanding, L"windows", 1},
                                         {tree_view::item_expanded, L"windows", 1},
                                         {tree_view::selection_changed, L"Desktop", 0}}));
  f.notes.clear();
  headless::key(vk_nav_down);  // fonts
  headless::key(vk_nav_up);    // Desktop
  headless::key(vk_nav_left);  // the parent, windows
  f.log.pump();
  EXPECT_EQ(tree_view::selected_item(f.tree), windows);
  EXPECT_EQ(f.notes.size(), 3u);

  tree_view::select_item(f.tree, desktop);
  tree_view::expand(f.tree, f.top, tree_view::action_t::collapse);
  EXPECT_EQ(tree_view::selected_item(f.tree), f.top);
  EXPECT_EQ(tree_view::item_data(f.tree, tree_view::selected_item(f.tree)), 1u);
  // Selecting a hidden item shows it again, its ancestors expanded without asking.
  f.notes.clear();
  tree_view::select_item(f.tree, desktop);
  EXPECT_TRUE(tree_view::is_expanded(f.tree, windows));
  EXPECT_FALSE(tree_view::item_rect(f.tree, desktop).empty());
  EXPECT_EQ(f.notes, (std::vector<heard>{{tree_view::selection_changed, L"Desktop", 0}}));
  tree_view::delete_item(f.tree, windows);
  EXPECT_EQ(tree_view::selected_item(f.tree), tree_view::root);
  EXPECT_EQ(tree_view::item_text(f.tree, desktop), L"");
}

}  // namespace
