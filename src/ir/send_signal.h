// Sending one named signal of a codebase: look it up, decode the reading the alternation rule
// picks (find_signal, into the context's send unit), load it into the processor's driver, raise
// the signal events around the transmission, close the port (send). Every failure lands in the
// context's error record; a context that already holds an error does nothing.
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

// Fills ctx.sending with the named signal of codebase and its pass count. A name the codebase
// does not hold is category 8, a record that cannot be decoded category 3 with its code.
void find_signal(context& ctx, const xman::codebase& codebase, std::string_view name, pass_choice passes);

// Transmits ctx.sending. hold_key: 0 none, else the virtual key whose held state prolongs the send
// (1 the stylus). A driver failure is category 4 with the driver's code, no driver category 5.
void send(context& ctx, int hold_key);

// find_signal, then send.
void send_signal(context& ctx, const xman::codebase& codebase, std::string_view name, pass_choice passes,
                 int hold_key);

// The memory of the last send that the alternation between two readings uses; one for the program.
reading_alternation& send_alternation();

}  // namespace redeye
