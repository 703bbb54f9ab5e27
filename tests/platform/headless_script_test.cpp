// The headless input script: parsing line by line, and playing it through the real message loop.
#include "platform/headless/headless_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/clock.h"
#include "platform/control_edit.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_script_runner.h"
#include "platform/key_state.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window_messages.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;
using namespace platform::headless;
using lines = std::vector<std::string>;

std::vector<script_command> parsed(std::string_view text) {
  std::vector<script_command> commands;
  script_error error;
  EXPECT_TRUE(parse_script(text, commands, error)) << error.line << ": " << error.reason;
  return commands;
}

TEST(HeadlessScript, ReadsEveryCommandWithItsArguments) {
  const auto commands = parsed(
      "# a comment\n"
      "tap 10 20\r\n"
      "\n"
      "  down 0 319  \n"
      "move 5 6\nup 7 8\n"
      "key Select\nkeydown 40C1\nkeyup Left\n"
      "wait 250\n"
      "shot out dir/screen 1.png\n"
      "answer yes\nresume\nrotate 4\nquit\n"
      "type  Caf\xC3\xA9 TV \n");
  ASSERT_EQ(commands.size(), 14u);
  EXPECT_EQ(commands[13].op, script_op_t::type);
  EXPECT_EQ(commands[13].text, L"Caf\u00E9 TV");
  EXPECT_EQ(commands[0].op, script_op_t::tap);
  EXPECT_EQ(commands[0].at, (point{10, 20}));
  EXPECT_EQ(commands[0].line, 2u);
  EXPECT_EQ(commands[1].op, script_op_t::down);
  EXPECT_EQ(commands[1].at, (point{0, 319}));
  EXPECT_EQ(commands[1].line, 4u);
  EXPECT_EQ(commands[4].key.virtual_key, vk_nav_select);
  EXPECT_EQ(commands[5].op, script_op_t::key_down);
  EXPECT_EQ(commands[5].key.virtual_key, 0xC1u);
  EXPECT_EQ(commands[5].key.modifiers, application_key_modifiers);
  EXPECT_EQ(commands[6].key.virtual_key, vk_nav_left);
  EXPECT_EQ(commands[7].ms, 250u);
  EXPECT_EQ(commands[8].file, "out dir/screen 1.png");
  EXPECT_EQ(commands[9].button, message_box_button_t::yes);
  EXPECT_EQ(commands[10].op, script_op_t::resume);
  EXPECT_EQ(commands[11].orientation, 4);
  EXPECT_EQ(commands[12].op, script_op_t::quit);
}

TEST(HeadlessScript, RefusesTheWholeScriptNamingTheBadLine) {
  struct bad_case {
    const char* line;
    const char* reason_part;
  };
  const bad_case cases[] = {
      {"tap 10", "X Y"},           {"tap 10 20 30", "X Y"},       {"tap -1 5", "X Y"},
      {"tap 4096 5", "X Y"},       {"tap 1x 5", "X Y"},           {"move 99999999999999999999 1", "X Y"},
      {"key select", "key name"},  {"key 40C0", "key name"},      {"key 40c1", "key name"},
      {"keydown", "key name"},     {"wait", "milliseconds"},      {"wait -5", "milliseconds"},
      {"wait 86400001", "milliseconds"}, {"shot", "FILE.png"},    {"shot a.jpg", "FILE.png"},
      {"shot .png", "FILE.png"},   {"answer maybe", "ok, cancel"}, {"rotate 3", "orientation"},
      {"rotate 90", "orientation"}, {"quit now", "no arguments"}, {"tapp 1 2", "unknown command"},
      {"shot a\x01.png", "control"}, {"type", "text to type"}, {"type a\tb", "control"},
  };
  for (const bad_case& c : cases) {
    std::vector<script_command> commands;
    script_error error;
    EXPECT_FALSE(parse_script(std::string("tap 1 1\n# fine\n") + c.line + "\nquit\n", commands, error)) << c.line;
    EXPECT_EQ(error.line, 3u) << c.line;
    EXPECT_NE(error.reason.find(c.reason_part), std::string::npos) << c.line << " -> " << error.reason;
    EXPECT_TRUE(commands.empty());
  }
}

// Runs a script through the program's own loop until it quits; the recorder's windows receive
// what it causes.
int play(std::string_view text) {
  script_runner runner(parsed(text), {});
  install_script_runner(&runner);
  const int exit_code = run_message_loop();
  install_script_runner(nullptr);
  EXPECT_TRUE(runner.finished());
  return exit_code;
}

// The runner takes the queue's idle source; the headless backend gets it back afterwards.
class HeadlessScriptRunner : public ::testing::Test {
 protected:
  void TearDown() override {
    install_script_runner(nullptr);
    EXPECT_TRUE(platform::headless::start());
  }
};

TEST_F(HeadlessScriptRunner, DeliversInputInOrderAndEndsAHeldPressOnTime) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  ASSERT_NE(a, no_window);
  log.pump();
  log.take();
  std::vector<std::string> seen;
  const std::uint64_t start = clock::now_ns();
  const auto at_ms = [&] { return std::to_string((clock::now_ns() - start) / 1000000) + " ms"; };
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m == wm::lbuttondown) {
      // A transmission while the stylus is held: it watches the key state, not the messages.
      while (key_is_down(vk_stylus)) clock::sleep(10);
      seen.push_back("stylus lifted at " + at_ms());
    }
    if (m == wm::keydown) seen.push_back("keydown at " + at_ms());
    return std::nullopt;
  };
  EXPECT_EQ(play("down 30 40\nwait 120\nmove 31 41\nwait 30\nup 32 42\nkey Up\ntap 5 6\n"), 0);
  const lines input = log.take();
  const lines expected{"A post lbuttondown 30,40", "A post mousemove 31,41", "A post lbuttonup 32,42",
                       "A post keydown 0x26",      "A post keyup 0x26",       "A post lbuttondown 5,6",
                       "A post lbuttonup 5,6"};
  lines taken;
  for (const std::string& line : input) {
    if (line.find(" post ") != std::string::npos && line.find("paint") == std::string::npos) taken.push_back(line);
  }
  EXPECT_EQ(taken, expected);
  EXPECT_EQ(seen, (lines{"stylus lifted at 150 ms", "keydown at 180 ms", "stylus lifted at 180 ms"}));

  // Once the script is done, input queued by the program's own code arrives again.
  headless::key(0x26);
  log.pump();
  EXPECT_EQ(log.take(), (lines{"A post keydown 0x26", "A post keyup 0x26"}));
}

TEST_F(HeadlessScriptRunner, TypeSendsItsCharactersToTheFocusField) {
  zqtest::message_recorder log;
  const hwnd a = log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  register_edit_class();
  const hwnd field = create_window({edit_class, L"", ws::child | ws::visible, 0, {0, 0, 200, 22}, a, 1});
  EXPECT_EQ(play("tap 10 10\ntype Living room\n"), 0);
  EXPECT_EQ(window_text(field), L"Living room");
}

TEST_F(HeadlessScriptRunner, ShotWritesTheScreenAsItIsAfterThePaints) {
  zqtest::message_recorder log;
  const zqtest::temp_folder folder;
  const hwnd a = log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  ASSERT_NE(a, no_window);
  const std::string shot = (folder.path() / "screen.png").string();
  EXPECT_EQ(play("shot " + shot + "\n"), 0);
  // The window's white background was painted before the shot, so the image is not the desktop.
  EXPECT_EQ(screen_surface().at(100, 100), 0xFFFFFFu);
  EXPECT_GT(std::filesystem::file_size(shot), 100u);
}

TEST_F(HeadlessScriptRunner, AnswerPressesTheButtonOfTheOpenBoxAndFailsWithoutOne) {
  zqtest::message_recorder log;
  std::vector<message_box_button_t> pressed;
  bool box_open = false;
  const hwnd a = log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  // A tap opens a "message box": a nested loop that ends when the box is answered.
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::lbuttondown || box_open) return std::nullopt;
    box_open = true;
    bool answered = false;
    const message_box_answering answering([&](message_box_button_t b) {
      if (b == message_box_button_t::cancel) return false;  // a Yes/No box
      pressed.push_back(b);
      answered = true;
      return true;
    });
    run_nested_loop([&] { return answered; });
    box_open = false;
    return 0;
  };
  ASSERT_NE(a, no_window);
  EXPECT_EQ(play("tap 5 5\nanswer no\n"), 0);
  EXPECT_EQ(pressed, (std::vector{message_box_button_t::no}));
  EXPECT_FALSE(message_box_is_open());

  script_runner runner(parsed("tap 5 5\nanswer cancel\n"), {});
  install_script_runner(&runner);
  EXPECT_EQ(run_message_loop(), 1);
  ASSERT_TRUE(runner.failure().has_value());
  EXPECT_EQ(runner.failure()->line, 2u);

  script_runner no_box(parsed("wait 1\nanswer ok\ntap 1 1\n"), {});
  install_script_runner(&no_box);
  EXPECT_EQ(run_message_loop(), 1);
  install_script_runner(nullptr);
  ASSERT_TRUE(no_box.failure().has_value());
  EXPECT_EQ(no_box.failure()->reason, "no message box is open");
}

TEST_F(HeadlessScriptRunner, ResumeAndRotateGoToTheirHooksAndFailWithoutThem) {
  zqtest::message_recorder log;
  std::vector<std::string> calls;
  script_hooks hooks;
  hooks.resume = [&] { calls.push_back("resume"); };
  hooks.rotate = [&](std::int32_t code) {
    calls.push_back("rotate " + std::to_string(code));
    return code != 2;
  };
  script_runner runner(parsed("resume\nrotate 1\nrotate 2\nresume\n"), hooks);
  install_script_runner(&runner);
  EXPECT_EQ(run_message_loop(), 1);
  EXPECT_EQ(calls, (lines{"resume", "rotate 1", "rotate 2"}));
  EXPECT_EQ(runner.failure()->line, 3u);

  script_runner bare(parsed("resume\n"), {});
  install_script_runner(&bare);
  EXPECT_EQ(run_message_loop(), 1);
  install_script_runner(nullptr);
  EXPECT_EQ(bare.failure()->line, 1u);
}

TEST_F(HeadlessScriptRunner, ATapOutsideTheScreenFailsAndQuitEndsEarly) {
  zqtest::message_recorder log;
  script_runner outside(parsed("tap 240 10\n"), {});
  install_script_runner(&outside);
  EXPECT_EQ(run_message_loop(), 1);
  EXPECT_EQ(outside.failure()->reason, "point outside the screen");

  script_runner early(parsed("quit\ntap 300 10\n"), {});
  install_script_runner(&early);
  EXPECT_EQ(run_message_loop(), 0);
  install_script_runner(nullptr);
  EXPECT_FALSE(early.failure().has_value());
}

}  // namespace
