// The signal a context is about to send: its name, the decoded durations with repeat index and
// carrier period, and the pass count of the transmission.
#pragma once

#include <cstdint>
#include <string>

#include "ir/signal_data.h"
#include "ir/transmit_time.h"

namespace redeye {

struct send_unit {
  std::string name;
  signal_data signal;
  std::uint16_t pass_count = passes_default;
};

}  // namespace redeye
