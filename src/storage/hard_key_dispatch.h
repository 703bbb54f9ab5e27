// Turns a hard-key press on the remote screen into an action, from the assignment table. The
// screen, the main window and the IR player are reached through callbacks, so the rule stays free
// of them; an unset callback does nothing.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/hard_button_assignment.h"

namespace outworld {

struct hard_key_targets {
  // The main window's commands "homedevices" (Setup form) and "remote" (list of codebases).
  std::function<void(std::string_view command)> main_window_command;
  // An action command such as "@page+", run through the remote screen's command chain.
  std::function<void(std::string_view command)> action_command;
  // A signal of the codebase on screen; nothing is sent when no codebase is shown.
  std::function<void(std::string_view signal)> send_current_signal;
  // A signal or a macro (its name without the "$") of a codebase opened for this one use.
  std::function<void(std::string_view codebase, std::string_view signal)> send_signal;
  std::function<void(std::string_view codebase, std::string_view macro)> run_macro;
};

enum class key_outcome_t {
  passed_on,  // the key goes to the system
  handled,    // the key is consumed
};

// Rules, by the key's assignment:
//   no entry, the system default, or no codebase          passed on
//   "@@action": "Disable" nothing; "HomeDevices" and "DeviceList" the main window's "homedevices"
//               and "remote"; anything else an action command          handled
//   "@@current": the signal from the codebase on screen                handled
//   a codebase: "$" + name runs that macro, else the signal is sent    handled
// An empty command under "@@current" or a codebase means nothing is chosen yet: nothing is sent,
// and the key is handled.
key_outcome_t dispatch_hard_key(const assignment_table& table, std::string_view key, const hard_key_targets& targets);

// The keys the remote screen captures: those that dispatch_hard_key does not pass on.
std::vector<std::string> keys_to_capture(const assignment_table& table);

}  // namespace outworld
