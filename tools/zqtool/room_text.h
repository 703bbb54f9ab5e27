// The text form of a room, as `zqtool profile show` prints it and `zqtool profile put` reads it.
// One item per line; texts in double quotes (\" and \\ inside), pages as decimal numbers:
//
//   room "Default Room"
//   hot 1 "TV" "Living TV" 2         slot 1..8, label, codebase, last page
//   hard "Left" "@@current" "Vol-"   a hard-button assignment: key, codebase, command
//   remote "Living TV" 2             the codebase on screen and its page
//
// Blank lines and lines starting with # are ignored; items not given keep their defaults.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "storage/room_state.h"

namespace zqtool {

std::string format_room(const remote::room_state& room);

struct room_text_error {
  std::size_t line = 0;
  std::string message;
};

// false with the first faulty line and what is wrong with it.
[[nodiscard]] bool parse_room(std::string_view text, remote::room_state& room, room_text_error& error);

}  // namespace zqtool
