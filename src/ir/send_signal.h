// Sending one named signal of a codebase: look it up, decode the reading the alternation rule
// picks, load it into the processor's driver, raise the signal events around the transmission,
// close the port. Every failure lands in the context's error record; a context that already
// holds an error sends nothing.
#pragma once

#include <cstdint>
#include <string_view>

#include "ir/context.h"
#include "ir/reading_alternation.h"

namespace xman {
class codebase;
}

namespace redeye {

// How many passes a send makes.
struct pass_choice {
  enum class kind_t {
    signal_default,  // three passes, one for "Vol+" and "Vol-"
    pass_count,      // 0 three, 0xFFFF one, n n
    transmit_time,   // as many passes as fit in a time in milliseconds
  };
  kind_t kind = kind_t::signal_default;
  std::uint32_t value = 0;

  static pass_choice signal_default() { return {}; }
  static pass_choice passes(std::uint16_t pass_count) { return {kind_t::pass_count, pass_count}; }
  static pass_choice time_ms(std::uint32_t milliseconds) { return {kind_t::transmit_time, milliseconds}; }
};

// hold_key: 0 none, else the virtual key whose held state prolongs the send (1 the stylus).
void send_signal(context& ctx, const xman::codebase& codebase, std::string_view name, pass_choice passes,
                 int hold_key);

// The memory of the last send that the alternation between two readings uses; one for the program.
reading_alternation& send_alternation();

}  // namespace redeye
