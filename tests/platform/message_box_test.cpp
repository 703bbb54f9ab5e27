// Message boxes on the headless backend: the real nested loop driven by queued stylus and key
// input and by the script's answer; the owner disabled meanwhile; the transcript; the picture.
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_script.h"
#include "platform/headless/headless_script_runner.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/transcript.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/golden_image.h"
#include "support/message_recorder.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;
using button = message_box_button_t;
constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;
constexpr std::uint32_t vk_escape = 0x1B;

hwnd open_box() { return find_window(L"ZqMessageBox", L""); }

// The middle of the button row: the buttons are 22 pixels high, 8 above the box's bottom edge.
point middle_button(hwnd box) {
  const rect r = window_rect(box);
  return {(r.left + r.right) / 2, r.bottom - 8 - 11};
}

TEST(MessageBox, StylusPressesTheButtonItIsLiftedOnWhileTheOwnerTakesNoInput) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
  bool owner_disabled = false;
  // The box's own loop dispatches this, with the box open.
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    owner_disabled = !is_window_enabled(owner) && active_window() == open_box();
    const point no = middle_button(open_box());
    headless::tap({5, 5});                      // on the disabled owner: nothing
    headless::down(no);                         // down on No, slid off and lifted: nothing
    headless::move({no.x, no.y - 40});
    headless::up({no.x, no.y - 40});
    headless::tap(no);
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  EXPECT_EQ(message_box(owner, L"Delete the page?", L"Zequon", message_box_icon_t::question,
                        message_box_buttons_t::yes_no_cancel),
            button::no);
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(is_window_enabled(owner));
  EXPECT_EQ(active_window(), owner);
  EXPECT_EQ(open_box(), no_window);
  for (const std::string& line : log.take()) EXPECT_EQ(line.find("lbutton"), std::string::npos) << line;
}

TEST(MessageBox, SelectPressesTheDefaultButtonAndEscapeOnlyCancelOrALoneOk) {
  struct key_case {
    message_box_buttons_t buttons;
    std::vector<std::uint32_t> keys;
    button expected;
  };
  const key_case cases[] = {
      {message_box_buttons_t::yes_no, {vk_escape, vk_nav_select}, button::yes},  // no Cancel: Escape does nothing
      {message_box_buttons_t::ok_cancel, {vk_escape}, button::cancel},
      {message_box_buttons_t::yes_no_cancel, {vk_escape}, button::cancel},
      {message_box_buttons_t::ok, {vk_escape}, button::ok},
      {message_box_buttons_t::ok_cancel, {0x0D}, button::ok},
  };
  for (const key_case& c : cases) {
    zqtest::message_recorder log;
    const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
    for (std::uint32_t key : c.keys) headless::key(key);
    EXPECT_EQ(message_box(owner, L"Text", L"Title", message_box_icon_t::warning, c.buttons), c.expected);
  }
}

TEST(MessageBox, SpansTheScreenLessItsMarginsAndStaysInFrontOfTheMenuBar) {
  for (const size screen : {size{240, 320}, size{480, 640}}) {
    zqtest::message_recorder log;
    set_screen_size(screen);
    const hwnd owner = log.create("A", top_visible, {0, 0, screen.cx, screen.cy});
    const hwnd bar = log.create("B", ws::popup | ws::visible, {0, screen.cy - 26, screen.cx, screen.cy}, owner,
                                ws_ex::topmost | ws_ex::noactivate);
    rect box;
    log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
      if (m != wm::user) return std::nullopt;
      box = window_rect(open_box());
      EXPECT_EQ(children_of(no_window).front(), open_box());
      EXPECT_EQ(children_of(no_window).at(1), bar);
      answer_message_box(button::ok);
      return 0;
    };
    post_message(owner, wm::user, 0, 0);
    message_box(owner, std::wstring(400, L'w'), L"Zequon", message_box_icon_t::stop, message_box_buttons_t::ok);
    const int margin = screen.cx == 240 ? 8 : 16;
    EXPECT_EQ(box.left, margin);
    EXPECT_EQ(box.right, screen.cx - margin);
    EXPECT_GE(box.top, margin);
    EXPECT_LE(box.bottom, screen.cy - margin);
  }
}

TEST(MessageBox, TheScriptAnswersTheOpenBoxAndTheTranscriptHasBoth) {
  zqtest::message_recorder log;
  const zqtest::temp_folder folder;
  ASSERT_EQ(transcript::open(folder.device_path("transcript.txt")), 0);
  const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
  std::vector<button> answers;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::lbuttondown) return std::nullopt;
    answers.push_back(message_box(owner, L"Save \"TV\"?", L"Zequon", message_box_icon_t::warning,
                                  message_box_buttons_t::yes_no));
    return 0;
  };
  std::vector<headless::script_command> commands;
  headless::script_error error;
  ASSERT_TRUE(headless::parse_script("tap 5 5\nanswer no\ntap 5 5\nanswer ok\n", commands, error));
  headless::script_runner runner(commands, {});
  headless::install_script_runner(&runner);
  EXPECT_EQ(run_message_loop(), 1);  // a Yes/No box has no OK: the script fails there
  headless::install_script_runner(nullptr);
  transcript::close();
  ASSERT_TRUE(runner.failure().has_value());
  EXPECT_EQ(runner.failure()->line, 4u);
  // The failed script's quit closes the second box as Escape would, which is no in a Yes/No box.
  EXPECT_EQ(answers, (std::vector{button::no, button::no}));
  EXPECT_EQ(zqtest::read_text(folder.path() / "transcript.txt"),
            "msgbox warning \"Save \\\"TV\\\"?\"\nanswer no\n"
            "msgbox warning \"Save \\\"TV\\\"?\"\nanswer no\n");
}

TEST(MessageBox, InformationWithThreeButtonsAndWrappedText) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
  pixel_surface shot;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    process_pending_messages();  // the paints
    shot = screen_surface();
    answer_message_box(button::cancel);
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  EXPECT_EQ(message_box(owner,
                        L"You are about to exit the Button Layouts Editor. Do you want to save the changes you "
                        L"made to the pages of this device before you go?",
                        L"Zequon", message_box_icon_t::information, message_box_buttons_t::yes_no_cancel),
            button::cancel);
  EXPECT_TRUE(zqtest::matches_golden(shot, "message_box_information_yes_no_cancel"));
}

}  // namespace
