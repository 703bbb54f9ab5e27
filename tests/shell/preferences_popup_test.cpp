// The Preferences popup of the program's own menu 128 as it opens.
#include "shell/preferences_popup.h"

#include <gtest/gtest.h>

#include "platform/menu_resource.h"
#include "platform/module_program.h"
#include "shell/menu_commands.h"

namespace {

using namespace platform;

menu preferences_popup() {
  menu bar;
  EXPECT_EQ(load_menu(program_module(), shell::frame_menu_id, bar), 0);
  menu* popup = bar.sub_menu(1);
  EXPECT_NE(popup, nullptr);
  return popup != nullptr ? std::move(*popup) : menu{};
}

std::vector<std::pair<std::uint32_t, std::wstring>> items_of(const menu& popup) {
  std::vector<std::pair<std::uint32_t, std::wstring>> items;
  for (const menu_item& item : popup.items()) items.emplace_back(item.is_separator() ? 0 : item.id, item.text);
  return items;
}

TEST(PreferencesPopup, RecentNamesFollowLoadEachShownAsItIsAndTheListIsRenewedEachTime) {
  menu popup = preferences_popup();
  ASSERT_TRUE(shell::is_preferences_popup(popup));
  const std::vector<std::string> five = {"Evening", "Tom & Jerry", "Kids", "Movie", "Radio"};
  shell::prepare_preferences_popup(popup, true, true, five);
  const auto items = items_of(popup);
  ASSERT_EQ(items.size(), 13u);
  EXPECT_EQ(items[0].first, shell::command::flip_screen);
  EXPECT_EQ(items[6].first, shell::command::load_preferences);
  EXPECT_EQ(items[7].first, 0u);  // a separator
  for (std::uint32_t i = 0; i < 5; ++i) EXPECT_EQ(items[8 + i].first, 32789 + i);
  EXPECT_EQ(items[9].second, L"Tom && Jerry");
  EXPECT_EQ(popup.item(3).flags & mf::checked, mf::checked);  // Use Sounds is on

  // Opened again with fewer names and sounds off: the old names are gone.
  shell::prepare_preferences_popup(popup, true, false, {"Kids", "", "", "", ""});
  const auto again = items_of(popup);
  ASSERT_EQ(again.size(), 9u);
  EXPECT_EQ(again[8], (std::pair<std::uint32_t, std::wstring>{32789, L"Kids"}));
  EXPECT_EQ(popup.item(3).flags & mf::checked, 0u);
}

TEST(PreferencesPopup, WithoutATurningDisplayThePopupStartsWithIrSetupAndEndsAtLoad) {
  menu popup = preferences_popup();
  shell::prepare_preferences_popup(popup, false, false, {});
  ASSERT_EQ(popup.count(), 6);
  EXPECT_EQ(popup.item(0).id, shell::command::ir_setup);
  EXPECT_EQ(popup.item(5).id, shell::command::load_preferences);
  EXPECT_TRUE(shell::is_preferences_popup(popup));
}

}  // namespace
