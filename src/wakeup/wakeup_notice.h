// What zqxwakeup does: find the running program's main window through the shared block and post
// it the wake-up message, when that window is visible and in the foreground.
#pragma once

namespace wakeup {

// The program's exit codes.
namespace exit_code {
inline constexpr int done = 0;            // the block was read (and the window told when it was in front)
inline constexpr int cannot_open = -1;    // the block could not be opened or created
inline constexpr int not_running = -2;    // no block: the program is not running (none is left behind)
inline constexpr int cannot_map = -3;     // the block exists but could not be mapped
}  // namespace exit_code

int notify_running_program();

}  // namespace wakeup
