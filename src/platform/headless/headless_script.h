// The input script of a headless run (ZEQUON_SCRIPT): one command per line, "#" starts a comment
// line, blank lines are skipped. Coordinates are screen pixels of the emulated device.
//
//   tap X Y | down X Y | move X Y | up X Y      the stylus
//   key NAME | keydown NAME | keyup NAME        a hardware key: Left, Right, Up, Down, Select, 40C1 ...
//   type TEXT                                   typed characters (the rest of the line, UTF-8)
//   wait MS                                     time passes
//   shot FILE.png                               the screen as a PNG image (a host path)
//   answer ok|cancel|yes|no                     presses that button of the open message box
//   resume                                      the handheld wakes up
//   rotate CODE                                 the display turns: 0, 1 (90), 2 (180), 4 (270)
//   quit                                        the program is asked to end (so is it at the end)
//
// The parser checks every line completely before anything runs: a script with one bad line is
// refused as a whole, naming the line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/hardware_key_names.h"
#include "platform/message_box_answer.h"

namespace platform::headless {

enum class script_op_t { tap, down, move, up, key, key_down, key_up, type, wait, shot, answer, resume, rotate, quit };

struct script_command {
  script_op_t op = script_op_t::quit;
  std::uint32_t line = 0;  // 1-based line of the script
  point at;                // tap, down, move, up
  hardware_key key;        // key, keydown, keyup
  std::wstring text;       // type
  std::uint32_t ms = 0;    // wait
  std::string file;        // shot: the host path as written (UTF-8)
  message_box_button_t button = message_box_button_t::ok;
  std::int32_t orientation = 0;  // rotate
};

// Limits that keep a script's numbers meaningful.
inline constexpr std::int32_t max_script_coordinate = 4095;
inline constexpr std::uint32_t max_script_wait_ms = 24u * 60 * 60 * 1000;
inline constexpr std::size_t max_script_size = 1024 * 1024;

struct script_error {
  std::uint32_t line = 0;  // 0: the script as a whole (too large)
  std::string reason;
};

// False with error set when any line is malformed; out is then empty.
bool parse_script(std::string_view text, std::vector<script_command>& out, script_error& error);

}  // namespace platform::headless
