// What the program hands the environment for the IR engine: its sounds (the key click only while
// Use Sounds is on, the learning beep always, both its own wave resources) and the texts of its
// string table.
#pragma once

#include "shell/environment.h"

namespace xman {
class settings;
}

namespace shell {

inline constexpr std::uint16_t key_click_sound = 165;
inline constexpr std::uint16_t learned_beep_sound = 201;

// settings must outlive the environment's use of the callbacks.
void install_program_callbacks(outworld::environment& environment, const xman::settings& settings);

}  // namespace shell
