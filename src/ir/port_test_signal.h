// The fixed signal the IR port setup sends to test a port: carrier period 27 microseconds,
// repeat index 0 (every pass plays all 20 durations).
#pragma once

#include "ir/signal_data.h"

namespace redeye {

signal_data port_test_signal();

}  // namespace redeye
