// Discarding the stylus and key messages that queued up while the program was busy (a
// transmission or a capture), so that taps and keys made meanwhile are not acted upon. The
// message queue installs a hook that does the removal; every purge is also recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

enum class pending_input_t {
  stylus,  // mouse-move and left-button-down messages
  keys,    // key-down through the last key message
};

void purge_pending_input(pending_input_t kind);

// The queue's remover; an empty function removes the hook.
void set_input_purge_hook(std::function<void(pending_input_t)> hook);
// The input backend's remover of input it holds back until the program waits (a scripted backend
// whose input made while the program was busy has not reached the queue yet).
void set_backend_input_purge(std::function<void(pending_input_t)> remover);

struct input_purge {
  pending_input_t kind = pending_input_t::stylus;
  std::uint64_t time_ns = 0;
};
const std::vector<input_purge>& input_purge_log();
void clear_input_purge_log();

}  // namespace platform
