// What the learning screens tell the user, in one place: the prompts of each capture step (with
// their string-table ids) and the texts between the two readings of double mode. The forms that
// show them use these and nothing else.
#pragma once

#include <string_view>

namespace redeye {

struct learn_text {
  int id = 0;  // string-table id, 0 for texts that are not in the table
  std::string_view text;
};

// The learn form's capture screens.
inline constexpr learn_text learn_instructions_single{
    17000,
    "Press and hold the button on the remote until the handheld produces a beep. After hearing the beep, release "
    "the button on the remote.\r\n\r\nIf Zequa won't receive any IR signals in 20 sec, learning will be canceled. In "
    "this case, the button will be left without any IR signals."};
inline constexpr learn_text learn_instructions_first{17001, learn_instructions_single.text};
inline constexpr learn_text learn_instructions_second{
    17002,
    "Press and hold the button on the remote ONCE AGAIN until the handheld produces a beep. Next, release the "
    "button on the remote.\r\n\r\nIf Zequa won't receive any IR signals in 20 sec, learning will be canceled. In "
    "this case, the button will be left without any IR signals."};
inline constexpr learn_text learn_head_single{17003, "Reading IR signal"};
inline constexpr learn_text learn_head_first{17004, "Reading first IR signal"};
inline constexpr learn_text learn_head_second{17005, "Reading second IR signal"};
inline constexpr learn_text learn_head_button{17006, "of the button '%s'"};

// Between the two readings of double mode: the event the learn form receives, and the box it shows.
inline constexpr std::string_view second_reading_event = "second_singal";
inline constexpr learn_text first_reading_done{
    10102,
    "You've successfully read the first infrared signal of the button. Be sure that you've released the button on "
    "the remote and press OK."};

// The signal wizard's learning step: titles (with the signal name) and instructions.
inline constexpr std::string_view wizard_title_single = "Reading IR Signal %s";
inline constexpr std::string_view wizard_title_first = "Reading First IR Signal %s";
inline constexpr std::string_view wizard_title_second = "Reading Second IR Signal %s";
inline constexpr std::string_view wizard_instructions =
    "Press and hold the button on the remote until the handheld produces a beep. After hearing the beep, release the "
    "button on the remote.\r\n\r\nIf Zequa won't receive any IR signals in 20 sec, learning will be canceled.";
inline constexpr std::string_view wizard_instructions_second =
    "Press and hold the button on the remote ONCE AGAIN until the handheld produces a beep. Next, release the button "
    "on the remote.\r\n\r\nIf Zequa won't receive any IR signals in 20 sec, learning will be canceled.";

}  // namespace redeye
