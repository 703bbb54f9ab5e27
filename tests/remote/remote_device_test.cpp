// The device and the navigation of the remote screen over real codebases in a folder: what each
// button of a codebase page becomes, the page commands and their limits, the hot list's page
// memory, codebases that are too new or unreadable, and the empty page.
#include "remote/device.h"

#include <gtest/gtest.h>

#include "ir/macro_writer.h"
#include "platform/file_system.h"
#include "remote/layer.h"
#include "remote/navigation.h"
#include "remote/remote_texts.h"
#include "remote/skin_libraries.h"
#include "remote/window_control.h"
#include "storage/codebase_catalog.h"
#include "storage/database_catalog.h"
#include "support/codebase_image.h"
#include "support/message_recorder.h"
#include "support/remote_document.h"
#include "support/temp_folder.h"

namespace {

using remote::button;
using zqtest::button_text;

zqtest::bytes signal(std::string_view name) {
  return zqtest::signal_v2_record(name, {{0x6D, 2, {344, -172, 22, -65, 22, -22}}});
}

zqtest::bytes macro(std::string_view name, std::string_view signal_name) {
  redeye::macro_item item;
  item.name = signal_name;
  std::vector<std::uint8_t> out;
  EXPECT_EQ(redeye::write_macro(std::span(&item, 1), name, out), 0);
  return out;
}

struct device_fixture {
  zqtest::temp_folder folder;
  xman::database_catalog databases;
  xman::codebase_catalog codebases{databases};
  zqtest::message_recorder log;
  platform::hwnd parent = log.create("P", platform::ws::overlapped | platform::ws::visible, {0, 0, 240, 320});
  std::unique_ptr<remote::window_control> control;
  std::vector<std::string> forwarded;

  device_fixture() {
    layer::set_screen_class(0);
    remote::skin_libraries::instance().set_folder(platform::device_path(std::string(ZQ_SKIN_FOLDER)));
    databases.set_up(folder.device_path(), xman::codebase_catalog::filter());
    make_control();
  }
  void make_control() {
    control = std::make_unique<remote::window_control>(databases);
    control->create(parent, {0, 0, 240, 42}, {0, 42, 240, 320});
    control->on_button = [this](const button*, std::string_view action, button::event_t) {
      forwarded.emplace_back(action);
    };
  }
  void create(std::string_view name, const std::string& layout, std::vector<zqtest::bytes> records = {}) {
    ASSERT_EQ(codebases.create(name, zqtest::compiled(layout), records), 0);
  }
  remote::device& dev() { return control->remote(); }
  button* find(std::string_view action) {
    for (button& b : dev().buttons())
      if (b.action == action) return &b;
    return nullptr;
  }
  bool command(std::string_view text, redeye::error_t& error) { return control->dispatch(dev().ir(), text, error); }
  bool command(std::string_view text) {
    redeye::error_t error;
    return command(text, error);
  }
};

std::string two_page_layout() {
  return zqtest::portrait_document(
      {{button_text(10, 10, 60, 30, "Power"), button_text(80, 10, 60, 30, "@page+")},
       {button_text(10, 10, 60, 30, "Vol+")}},
      "zq-skin-metalic");
}

TEST(RemoteDevice, BindingGivesEachActionItsMeaningAndMissingNamesLookNotActive) {
  device_fixture f;
  f.create("TV",
           zqtest::portrait_document({{button_text(0, 0, 40, 20, "Power"), button_text(40, 0, 40, 20, "Eject"),
                                       button_text(80, 0, 40, 20, "$Movie"), button_text(120, 0, 40, 20, "$Odd"),
                                       button_text(160, 0, 40, 20, "@page+"), button_text(0, 40, 40, 20, "", "Text")}}),
           {signal("Power"), signal("$Odd"), macro("Movie", "Power")});
  ASSERT_EQ(f.control->load_codebase("TV", 0), 0);
  f.dev().prepare();

  const button* power = f.find("Power");
  ASSERT_NE(power, nullptr);
  EXPECT_EQ(power->kind, button::press_release);
  EXPECT_TRUE(power->is_interactive());
  EXPECT_EQ(power->state, button::state_normal);
  EXPECT_TRUE(static_cast<bool>(power->callback));

  EXPECT_FALSE(f.find("Eject")->is_interactive());
  EXPECT_EQ(f.find("Eject")->state, button::state_not_active);
  EXPECT_TRUE(f.find("$Movie")->is_interactive());
  // "$" names a macro only: a signal that happens to be called "$Odd" does not count.
  EXPECT_FALSE(f.find("$Odd")->is_interactive());
  EXPECT_EQ(f.find("$Odd")->state, button::state_not_active);
  EXPECT_TRUE(f.find("@page+")->is_interactive());
  EXPECT_EQ(f.find("@page+")->kind, button::release);  // commands keep the kind they were read with
  EXPECT_FALSE(f.dev().buttons().back().is_interactive());  // a caption without action
}

TEST(RemoteDevice, PageCommandsStayWithinThePagesAndCycleWraps) {
  device_fixture f;
  f.create("TV", two_page_layout(), {signal("Power"), signal("Vol+")});
  ASSERT_EQ(f.control->load_codebase("TV", 0), 0);
  f.dev().prepare();
  ASSERT_EQ(f.dev().page_count(), 2);

  EXPECT_TRUE(f.command("@page:3"));  // consumed, but there is no third page
  EXPECT_EQ(f.dev().current_page(), 0);
  EXPECT_TRUE(f.command("@page:2"));
  EXPECT_EQ(f.dev().current_page(), 1);
  f.command("@page:0");
  f.command("@page:-1");
  f.command("@page:x");
  EXPECT_EQ(f.dev().current_page(), 1);
  f.command("@page:1");
  EXPECT_EQ(f.dev().current_page(), 0);
  f.command("@page-");
  EXPECT_EQ(f.dev().current_page(), 0);
  f.command("@page+");
  f.command("@page+");
  EXPECT_EQ(f.dev().current_page(), 1);
  f.command("@cyclepage-");  // forward as well: from the last page to the first
  EXPECT_EQ(f.dev().current_page(), 0);
  f.command("@cyclepage+");
  EXPECT_EQ(f.dev().current_page(), 1);
}

TEST(RemoteDevice, APageAskedForBeforeTheCodebaseIsReadIsKeptAndClampedToTheLast) {
  device_fixture f;
  f.create("TV", two_page_layout(), {signal("Power")});
  ASSERT_EQ(f.control->load_codebase("TV", 0), 0);
  f.command("@page:5");
  f.dev().prepare();
  EXPECT_EQ(f.dev().current_page(), 1);
}

TEST(RemoteDevice, TheHotListRemembersThePageACodebaseWasLeftOn) {
  device_fixture f;
  f.create("TV", two_page_layout(), {signal("Power")});
  f.create("DVD", two_page_layout(), {signal("Power")});
  f.control->room().hot_buttons[0] = {"Telly", "TV", 0};
  ASSERT_EQ(f.control->load_codebase("TV", 0), 0);
  f.dev().prepare();
  f.command("@page+");
  ASSERT_EQ(f.control->load_codebase("DVD", 1), 0);  // not in the hot list: the requested page
  f.dev().prepare();
  EXPECT_EQ(f.dev().current_page(), 1);
  EXPECT_EQ(f.control->room().hot_buttons[0].last_page, 1);
  ASSERT_EQ(f.control->load_codebase("TV", 0), 0);
  f.dev().prepare();
  EXPECT_EQ(f.dev().current_page(), 1);
  EXPECT_EQ(f.control->room_to_save().page, 1);
}

TEST(RemoteDevice, ACodebaseTooNewIsRefusedAndAHotButtonSaysSo) {
  device_fixture f;
  zqtest::write_bytes(f.folder.path() / "New.pdb",
                      zqtest::database_image("New", "Rda1", 331, {zqtest::remote_layout_record()}));
  f.databases.scan();
  EXPECT_EQ(f.control->load_codebase("New", 0), 1041);
  EXPECT_EQ(f.control->current_codebase(), "");
  f.control->room().hot_buttons[1] = {"New", "New", 0};
  f.control->hot_button_click(2, nullptr);
  EXPECT_EQ(f.forwarded, std::vector<std::string>{"err_unknown_version"});
}

TEST(RemoteDevice, AnUnreadableLayoutShowsTheEmptyPageAndReportsItOnce) {
  device_fixture f;
  ASSERT_EQ(f.codebases.create("Broken", std::vector<std::uint8_t>{0x01, 0x7F, 0x00, 0x33}, {}), 0);
  ASSERT_EQ(f.control->load_codebase("Broken", 0), 0);
  f.dev().prepare();
  f.dev().prepare();
  EXPECT_EQ(f.forwarded, std::vector<std::string>{"err_corrupted"});
  EXPECT_NE(f.find("head2"), nullptr);
  EXPECT_EQ(f.control->current_codebase(), "Broken");
}

TEST(RemoteDevice, TheEmptyPageTellsWhetherAnyCodebaseIsInstalled) {
  {
    device_fixture f;
    f.dev().prepare();
    ASSERT_NE(f.find("instructions"), nullptr);
    EXPECT_EQ(f.find("head2")->title, remote::text::no_codebase_loaded);
    EXPECT_EQ(f.find("instructions")->title, remote::text::create_codebase);
    EXPECT_TRUE(f.forwarded.empty());
    // A new size reads the page again (a turned screen); its texts stay.
    f.dev().set_rect({0, 0, 320, 198});
    f.dev().prepare();
    ASSERT_NE(f.find("head2"), nullptr);
    EXPECT_EQ(f.find("head2")->title, remote::text::no_codebase_loaded);
  }
  device_fixture f;
  f.create("TV", two_page_layout());
  f.make_control();
  f.dev().prepare();
  ASSERT_NE(f.find("instructions"), nullptr);
  EXPECT_EQ(f.find("instructions")->title, remote::text::select_codebase);
}

TEST(RemoteNavigation, LoadHotReportsEmptyAndMissingSlotsAndLoadsTheOthers) {
  device_fixture f;
  f.create("TV", two_page_layout(), {signal("Power")});
  f.control->room().hot_buttons[0] = {"Telly", "TV", 0};
  f.control->room().hot_buttons[2] = {"Gone", "Gone", 0};
  for (const char* ignored : {"@loadhot:0", "@loadhot:9", "@loadhot:x"}) {
    redeye::error_t error;
    EXPECT_TRUE(f.command(ignored, error)) << ignored;
    EXPECT_FALSE(error.failed()) << ignored;
  }
  redeye::error_t empty;
  f.command("@loadhot:2", empty);
  EXPECT_EQ(empty.category, 2u);
  redeye::error_t missing;
  f.command("@loadhot:3", missing);
  EXPECT_EQ(missing.category, 6u);
  redeye::error_t none;
  f.command("@loadhot:1", none);
  EXPECT_FALSE(none.failed());
  EXPECT_EQ(f.control->current_codebase(), "TV");
}

TEST(RemoteNavigation, TheTopPanelShowsTheCodebaseNameAndTheHotButtonsState) {
  device_fixture f;
  f.create("TV", two_page_layout(), {signal("Power")});
  f.control->room().hot_buttons[0] = {"Telly", "TV", 0};
  f.control->room().hot_buttons[1] = {"Gone", "Gone", 0};
  remote::navigation& nav = f.control->nav();
  nav.refresh();
  nav.prepare();
  auto find = [&](std::string_view action) -> button& {
    for (button& b : nav.buttons())
      if (b.action == action) return b;
    ADD_FAILURE() << "no " << action;
    return nav.buttons().front();
  };
  EXPECT_EQ(find("remote").title, remote::text::no_codebase_title);
  EXPECT_EQ(find("hot:1").title, "Telly");
  EXPECT_EQ(find("hot:1").state, button::state_normal);
  EXPECT_EQ(find("hot:2").state, button::state_not_active);
  EXPECT_TRUE(find("hot:2").is_interactive());  // a tap explains the empty slot
  EXPECT_EQ(find("hot:3").state, button::state_not_active);
  ASSERT_EQ(f.control->load_codebase("TV", 0), 0);
  nav.prepare();
  EXPECT_EQ(find("remote").title, "TV");
  EXPECT_EQ(find("remote").kind, button::release);  // the device is shown: it opens the list
}

}  // namespace
