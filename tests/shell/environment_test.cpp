// Key capture on a real window of the headless backend: the chosen keys arrive at the input
// listener while the window is active, everything else keeps its way, and the keys go back to
// the system when the window is deactivated or let go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_script.h"
#include "platform/headless/headless_script_runner.h"
#include "platform/hot_key.h"
#include "platform/hot_key_release.h"
#include "platform/message_loop.h"
#include "platform/registry.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_input.h"
#include "shell/environment.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;

constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;

constexpr std::string_view device_keys = R"(REGEDIT4
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40C1]
"Name"="Calendar"
"Icon"="\\Windows\\calendar.exe,0"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40C2]
"Name"="Contacts"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40C3]
"Name"="Inbox"
)";

class EnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_text_error error;
    ASSERT_EQ(load_registry_text(device_keys, error), zq::rc::ok) << error.reason;
  }
  void TearDown() override { replace_registry({}); }

  // Records what reaches the listener as "name 0xcode".
  void listen(outworld::environment& env) {
    env.set_input_listener([this](const outworld::input_event& e) {
      char code[16];
      std::snprintf(code, sizeof code, " 0x%x", e.key_code);
      heard.push_back(std::string(e.key_name.view()) + code);
      return true;
    });
  }

  // The main window, with env listening and holding it.
  hwnd attached_main(outworld::environment& env) {
    const hwnd main = log.create("Main", top_visible, {0, 0, 240, 320});
    listen(env);
    EXPECT_EQ(env.attach(main), 1);
    return main;
  }

  zqtest::message_recorder log;  // first: it starts the window system the windows below live in
  lines heard;
};

TEST_F(EnvironmentTest, ChosenKeysReachTheListenerAndTheActionKeyIsHeldButNeverHandedOn) {
  const hwnd main = log.create("Main", top_visible, {0, 0, 240, 320});
  ASSERT_EQ(active_window(), main);
  outworld::environment env;
  listen(env);
  env.choose_key(L"40C2");  // before attaching: taken when attached
  ASSERT_EQ(env.attach(main), 1);
  env.choose_key(L"Left");   // attached: taken at once
  env.choose_key(L"40c1");   // names compare exactly
  env.choose_key(L"Button");
  EXPECT_EQ(env.captured_ids(), (std::vector<int>{3, 5}));
  log.pump();
  log.take();

  headless::key(0xC2, mod::win);
  headless::key(vk_nav_left);
  headless::key(13);                  // the action key
  headless::key(0xC1, mod::win);      // not chosen
  headless::key(vk_nav_up);           // not chosen
  headless::settle();
  EXPECT_EQ(heard, (lines{"40C2 0xc2", "Left 0x25"}));
  EXPECT_EQ(env.current_event().key_name.view(), "Left");
  EXPECT_EQ(env.current_event().key_code, vk_nav_left);
  EXPECT_EQ(env.current_event().key_name.ownership(), meta::string::ownership_t::owned);
  // The presses of held keys never reach the window; their releases and the other keys do.
  EXPECT_EQ(log.take(), (lines{"Main post keyup 0xc2", "Main post keyup 0x25", "Main post keyup 0xd",
                               "Main post keydown 0xc1", "Main post keyup 0xc1", "Main post keydown 0x26",
                               "Main post keyup 0x26"}));
}

TEST_F(EnvironmentTest, ScriptedKeyPressesArriveAsTheDesktopSendsThem) {
  outworld::environment env;
  attached_main(env);
  env.choose_key(L"40C3");
  env.choose_key(L"Select");
  std::vector<headless::script_command> commands;
  headless::script_error error;
  ASSERT_TRUE(headless::parse_script("key 40C3\nkey Select\nkey 40C1\nkey 40C3\n", commands, error)) << error.reason;
  headless::script_runner runner(std::move(commands), {});
  headless::install_script_runner(&runner);
  EXPECT_EQ(run_message_loop(), 0);
  headless::install_script_runner(nullptr);
  EXPECT_EQ(heard, (lines{"40C3 0xc3", "Select 0x86", "40C3 0xc3"}));
}

TEST_F(EnvironmentTest, HotKeysQueuedTogetherGiveOneDispatch) {
  outworld::environment env;
  attached_main(env);
  env.choose_key(L"40C1");
  env.choose_key(L"40C2");
  log.pump();
  log.take();

  // Presses made while the program was busy (sending a signal): all queued before any is handled.
  deliver_key(0xC1, true, mod::win);
  deliver_key(0xC1, false, mod::win);
  deliver_key(0xC2, true, mod::win);
  deliver_key(0xC2, false, mod::win);
  deliver_key(0xC1, true, mod::win);
  deliver_key(0xC1, false, mod::win);
  log.pump();
  EXPECT_EQ(heard, (lines{"40C1 0xc1"}));
  EXPECT_EQ(log.take(), (lines{"Main post keyup 0xc1", "Main post keyup 0xc2", "Main post keyup 0xc1"}));

  // The purge took only those: the next press is handled again.
  headless::key(0xC2, mod::win);
  headless::settle();
  EXPECT_EQ(heard, (lines{"40C1 0xc1", "40C2 0xc2"}));
}

TEST_F(EnvironmentTest, KeysGoBackWhenTheWindowIsDeactivatedAndAreTakenAgainOnActivation) {
  outworld::environment env;
  const hwnd main = attached_main(env);
  env.choose_key(L"40C1");

  const hwnd other = log.create("Other", top_visible, {0, 0, 240, 320});
  ASSERT_EQ(active_window(), other);
  log.pump();
  log.take();
  headless::key(0xC1, mod::win);
  headless::key(13);
  headless::settle();
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(log.take(), (lines{"Other post keydown 0xc1", "Other post keyup 0xc1", "Other post keydown 0xd",
                               "Other post keyup 0xd"}));
  // Free for any other program meanwhile.
  EXPECT_TRUE(register_hot_key(other, 7, mod::win, 0xC1));
  EXPECT_TRUE(unregister_hot_key(other, 7));

  set_active_window(main);
  log.pump();
  log.take();
  headless::key(0xC1, mod::win);
  headless::key(13);
  headless::settle();
  EXPECT_EQ(heard, (lines{"40C1 0xc1"}));
  EXPECT_EQ(log.take(), (lines{"Main post keyup 0xc1", "Main post keyup 0xd"}));
  EXPECT_FALSE(register_hot_key(other, 7, mod::win, 0xC1));

  // Activated by a tap just as well.
  set_active_window(other);
  set_active_window(main, wa::clickactive);
  log.pump();
  log.take();
  headless::key(0xC1, mod::win);
  headless::settle();
  EXPECT_EQ(heard, (lines{"40C1 0xc1", "40C1 0xc1"}));
}

TEST_F(EnvironmentTest, TheShellsKeysAreFreedThroughItsReleaseFunction) {
  shell_hold_hot_key(mod::win, 0xC3);
  shell_hold_hot_key(0, 13);
  outworld::environment env;
  attached_main(env);
  env.choose_key(L"40C3");
  EXPECT_FALSE(shell_holds_hot_key(mod::win, 0xC3));
  EXPECT_FALSE(shell_holds_hot_key(0, 13));
  headless::key(0xC3, mod::win);
  headless::settle();
  EXPECT_EQ(heard, (lines{"40C3 0xc3"}));
}

TEST_F(EnvironmentTest, WithoutTheReleaseFunctionTheShellKeepsWhatItHolds) {
  shell_hold_hot_key(mod::win, 0xC3);
  set_system_export_available("UnregisterFunc1", false);
  const hwnd main = log.create("Main", top_visible, {0, 0, 240, 320});
  outworld::environment env;
  listen(env);
  ASSERT_EQ(env.attach(main), 1);  // the keys the shell does not hold are registered all the same
  env.choose_key(L"40C3");
  env.choose_key(L"40C2");
  EXPECT_TRUE(shell_holds_hot_key(mod::win, 0xC3));
  log.pump();
  log.take();
  headless::key(0xC3, mod::win);
  headless::key(0xC2, mod::win);
  headless::settle();
  EXPECT_EQ(heard, (lines{"40C2 0xc2"}));
  EXPECT_EQ(log.take(), (lines{"Main post keyup 0xc3", "Main post keyup 0xc2"}));
}

TEST_F(EnvironmentTest, DetachGivesBackTheProcedureAndTheKeys) {
  const hwnd main = log.create("Main", top_visible, {0, 0, 240, 320});
  const window_proc own = get_window_proc(main);
  outworld::environment env;
  listen(env);
  EXPECT_EQ(env.attach(hwnd_of(0x7777)), 0);  // no such window
  EXPECT_EQ(env.attached_window(), no_window);
  ASSERT_EQ(env.attach(main), 1);
  env.choose_key(L"40C1");
  env.detach();
  EXPECT_TRUE(env.captured_ids().empty());
  EXPECT_EQ(env.attached_window(), no_window);
  EXPECT_TRUE(register_hot_key(main, 50, 0, 13));
  EXPECT_TRUE(register_hot_key(main, 51, mod::win, 0xC1));
  EXPECT_TRUE(unregister_hot_key(main, 50));
  EXPECT_TRUE(unregister_hot_key(main, 51));

  // Attaching anew does not bring back the keys chosen before.
  ASSERT_EQ(env.attach(main), 1);
  log.pump();
  log.take();
  headless::key(0xC1, mod::win);
  headless::settle();
  EXPECT_TRUE(heard.empty());
  EXPECT_EQ(log.take(), (lines{"Main post keydown 0xc1", "Main post keyup 0xc1"}));
  env.detach();

  // The window's own procedure is back: the hot-key message reaches it.
  ASSERT_TRUE(get_window_proc(main));
  EXPECT_EQ(get_window_proc(main).target_type(), own.target_type());
  ASSERT_TRUE(register_hot_key(main, 60, mod::win, 0xC2));
  headless::key(0xC2, mod::win);
  headless::settle();
  EXPECT_EQ(log.take(), (lines{"Main post hotkey 60 0xc20008", "Main post keyup 0xc2"}));
}

TEST_F(EnvironmentTest, AWindowDestroyedWhileAttachedIsForgotten) {
  const hwnd first = log.create("First", top_visible, {0, 0, 240, 320});
  outworld::environment env;
  listen(env);
  ASSERT_EQ(env.attach(first), 1);
  env.choose_key(L"40C1");
  destroy_window(first);
  EXPECT_EQ(env.attached_window(), no_window);

  const hwnd second = log.create("Second", top_visible, {0, 0, 240, 320});
  ASSERT_EQ(env.attach(second), 1);
  headless::key(0xC1, mod::win);
  headless::settle();
  EXPECT_EQ(heard, (lines{"40C1 0xc1"}));
}

}  // namespace
