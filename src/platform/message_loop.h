// Message loops: the program's main loop and the nested loops any code may run (a modal dialog,
// a drop-down list). Each message first passes the message filters of the windows from its target
// up to its top-level window (a filter may drop it), then goes to its window.
#pragma once

#include <functional>

#include "platform/window_messages.h"

namespace platform {

// Lets the filters see the message; true when one of them took it.
bool filter_message(msg& m);

// Waits for one message and handles it; false when it was the quit message.
bool pump_message();
// Runs until the quit message; returns its exit code.
int run_message_loop();
// Runs until done() holds (checked before each wait) or the quit message arrives; the quit
// message is posted again so that the loops outside end as well. False when it ended by quit.
bool run_nested_loop(const std::function<bool()>& done);
// Handles every message that is waiting, paints included, without waiting; false when the quit
// message came (it is posted again).
bool process_pending_messages();

}  // namespace platform
