// Menu resources: the program's own menus as embedded, and texts that must be refused.
#include "platform/menu_resource.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/module_program.h"

namespace {

using namespace platform;

zq::result_t parse(const std::string& text, menu& out, std::size_t& line) {
  return parse_menu({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, out, &line);
}

TEST(MenuResource, TheFrameMenuHoldsItsPopupsWithTheirIdsAndSeparators) {
  menu bar;
  ASSERT_EQ(load_menu(program_module(), 128, bar), zq::rc::ok);
  ASSERT_EQ(bar.count(), 2);
  EXPECT_EQ(bar.item(0).text, L"Options");
  EXPECT_EQ(bar.item(1).text, L"Preferences");
  const menu& options = *bar.sub_menu(0);
  ASSERT_EQ(options.count(), 11);
  EXPECT_EQ(options.item(0).id, 32782u);
  EXPECT_TRUE(options.item(1).is_separator());
  EXPECT_EQ(options.item(10).text, L"Exit");
  EXPECT_EQ(options.item(10).id, 32803u);
  const menu& preferences = *bar.sub_menu(1);
  ASSERT_EQ(preferences.count(), 9);
  EXPECT_EQ(preferences.item(8).id, 32789u);
  EXPECT_EQ(bar.sub_menu(2), nullptr);

  menu edit;
  ASSERT_EQ(load_menu(program_module(), 257, edit), zq::rc::ok);
  EXPECT_EQ(edit.sub_menu(0)->item(5).text, L"Select All");
  EXPECT_EQ(load_menu(program_module(), 999, edit), zq::rc::resource_not_found);
}

TEST(MenuResource, FlagsEscapesAndTopLevelItems) {
  menu m;
  std::size_t line = 0;
  ASSERT_EQ(parse("\r\n  # note\nitem \"Say \\\"hi\\\" \\\\ \xC3\xBC\" 7 checked grayed\r\nseparator\n", m, line),
            zq::rc::ok);
  ASSERT_EQ(m.count(), 2);
  EXPECT_EQ(m.item(0).text, L"Say \"hi\" \\ \u00FC");
  EXPECT_EQ(m.item(0).flags, mf::checked | mf::grayed);
  EXPECT_EQ(m.item(0).id, 7u);
  EXPECT_TRUE(m.item(1).is_separator());
}

TEST(MenuResource, RefusesMalformedTextAtItsLine) {
  struct bad {
    std::string text;
    zq::result_t code;
    std::size_t line;
  };
  const std::string long_text(menu_resource_max_text + 1, 'x');
  std::string many = "popup \"P\"\n";
  for (std::size_t i = 0; i <= menu_resource_max_items; ++i) many += "separator\n";
  const bad cases[] = {
      {"button \"A\" 1\n", zq::rc::menu_resource_malformed, 1},
      {"popup \"A\"\npopup \"B\"\n", zq::rc::menu_resource_malformed, 2},
      {"popup \"A\"\nitem \"B\" 1\n", zq::rc::menu_resource_malformed, 2},  // no end
      {"end\n", zq::rc::menu_resource_malformed, 1},
      {"item \"A\" 0\n", zq::rc::menu_resource_malformed, 1},
      {"item \"A\" 65536\n", zq::rc::menu_resource_malformed, 1},
      {"item \"A\" 12x\n", zq::rc::menu_resource_malformed, 1},
      {"item \"A\"\n", zq::rc::menu_resource_malformed, 1},
      {"item \"A 1\n", zq::rc::menu_resource_malformed, 1},
      {"item \"A\\n\" 1\n", zq::rc::menu_resource_malformed, 1},
      {"item \"A\" 1 bold\n", zq::rc::menu_resource_malformed, 1},
      {"separator x\n", zq::rc::menu_resource_malformed, 1},
      {std::string("item \"A\0\" 1\n", 12), zq::rc::menu_resource_malformed, 1},
      {"item \"" + long_text + "\" 1\n", zq::rc::menu_resource_too_large, 1},
      {many, zq::rc::menu_resource_too_large, menu_resource_max_items + 2},
      {std::string(menu_resource_max_bytes + 1, '\n'), zq::rc::menu_resource_too_large, 0},
  };
  for (const bad& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    menu m;
    m.append(mf::string, 1, L"stale");
    std::size_t line = 99;
    EXPECT_EQ(parse(c.text, m, line), c.code);
    EXPECT_EQ(line, c.line);
    EXPECT_EQ(m.count(), 0);
  }
}

}  // namespace
