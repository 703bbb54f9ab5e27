// remote::room_state: what the main profile keeps of the remote screen (the room): its name, the
// hot-button table, the hard-button assignments, and the codebase and page on screen. The remote
// screen's model fills it before a save and takes it over after a load.
#pragma once

#include <cstdint>
#include <string>

#include "storage/hard_button_assignment.h"
#include "storage/hot_button_table.h"

namespace remote {

// The name every saved room carries.
inline constexpr const char* kDefaultRoomName = "Default Room";

struct room_state {
  std::string name = kDefaultRoomName;
  hot_button_table hot_buttons;
  outworld::assignment_table hard_buttons;
  std::string current;     // the codebase on the remote screen; empty when none
  std::int16_t page = 0;   // its page on screen

  friend bool operator==(const room_state&, const room_state&) = default;
};

}  // namespace remote
