// One IR operation's context: the codebase it works on, its error record and the callbacks
// through which it tells the application what happens. The callbacks are optional.
#pragma once

#include <functional>

#include "ir/ir_error.h"
#include "ir/signal_event.h"
#include "ir/sound.h"

namespace xman {
class codebase;
}

namespace redeye {

struct context {
  const xman::codebase* codebase = nullptr;
  error_t error;
  std::function<void(outworld::signal_event_t)> signal_event;
  std::function<void(outworld::sound_t)> sound;

  void raise(outworld::signal_event_t event) const {
    if (signal_event) signal_event(event);
  }
  void play(outworld::sound_t which) const {
    if (sound) sound(which);
  }
};

}  // namespace redeye
