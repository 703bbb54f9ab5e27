#include "storage/hard_key_dispatch.h"

namespace outworld {
namespace {

template <typename F, typename... A>
void call(const F& f, A... args) {
  if (f) f(args...);
}

void run_special_action(std::string_view command, const hard_key_targets& targets) {
  if (command == disable_command) return;
  if (command == home_devices_command) return call(targets.main_window_command, std::string_view("homedevices"));
  if (command == device_list_command) return call(targets.main_window_command, std::string_view("remote"));
  call(targets.action_command, command);
}

// The system default, and an entry without codebase (a "signal" read without a "remote"), which
// names nothing the program could do.
bool keeps_system_function(const assignment& entry) { return is_system_default(entry) || entry.codebase.empty(); }

}  // namespace

key_outcome_t dispatch_hard_key(const assignment_table& table, std::string_view key, const hard_key_targets& targets) {
  const auto found = table.find(key);
  if (found == table.end()) return key_outcome_t::passed_on;
  const assignment& entry = found->second;
  // A key left to the system is normally not captured at all; should it arrive anyway it must not
  // be run as an action command.
  if (keeps_system_function(entry)) return key_outcome_t::passed_on;
  const std::string_view command = entry.command;
  if (entry.codebase == action_codebase) {
    run_special_action(command, targets);
  } else if (command.empty()) {
    // Nothing chosen yet.
  } else if (entry.codebase == current_codebase) {
    call(targets.send_current_signal, command);
  } else if (command.front() == '$') {
    call(targets.run_macro, std::string_view(entry.codebase), command.substr(1));
  } else {
    call(targets.send_signal, std::string_view(entry.codebase), command);
  }
  return key_outcome_t::handled;
}

std::vector<std::string> keys_to_capture(const assignment_table& table) {
  std::vector<std::string> keys;
  for (const auto& [key, entry] : table) {
    if (!keeps_system_function(entry)) keys.push_back(key);
  }
  return keys;
}

}  // namespace outworld
