// Prints a decoded signal as zqtool shows it: carrier period, repeat index, count and the signed
// durations in microseconds, one field a line.
#pragma once

#include <cstdio>

#include "ir/signal_data.h"

namespace zqtool {

// "carrier: P", "repeat: R", "count: K", "durations: d1 d2 ..." (blank-separated, on one line).
void print_signal(const redeye::signal_data& signal, std::FILE* out = stdout);

}  // namespace zqtool
