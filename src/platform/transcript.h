// The transcript of what the program showed and did that a screenshot cannot tell: one line per
// message box and its answer, per sound played, per shell open and per program run. The headless
// backend writes it to the file ZEQUON_TRANSCRIPT names; without one every call here does nothing.
//
//   msgbox ICON "TEXT"     a message box opened (ICON: stop, error, warning, information, ...)
//   answer BUTTON          it was answered (ok, cancel, yes, no)
//   sound ID               a sound was played
//   open PATH              the shell was asked to open a path
//   run PATH               a program was started for an event (the wake-up)
//
// Texts are UTF-8; a quote, a backslash and a line break inside quotes are written \" \\ \n.
// A control character in a PATH is written as "?".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/message_box_answer.h"

namespace platform::transcript {

// Starts the transcript in a new file (a handheld path): 0 or the file seam's error.
[[nodiscard]] int open(std::wstring_view path);
void close();
bool is_open();

void message_box(message_box_icon_t icon, std::wstring_view text);
void answer(message_box_button_t button);
void sound(std::uint32_t id);
void shell_open(std::wstring_view path);
void program_run(std::wstring_view path);

// The text between quotes, escaped as above.
std::string quoted(std::wstring_view text);

}  // namespace platform::transcript
