// LIRC's mode2 text: what the mode2 program prints while it listens to a receiver, one pulse or
// space a line, in microseconds, sometimes with the carrier it measured:
//
//   carrier 38000
//   pulse 9024
//   space 4512
//   pulse 579
//   ...
//
// One text is one signal. Reading: spaces before the first pulse are the silence before the
// button was pressed and are dropped; "timeout N" counts as a space; neighbouring lines of one
// kind add up; the carrier is 38 kHz (LIRC's default) when no "carrier" line is given, none for
// "carrier 0"; the signal repeats whole (repeat index 0), as a capture holds no repeat mark.
// Comment lines ("#" first), blank lines and the lines mode2 prints about its driver and device
// ("Using ...", "Trying ...") are skipped.
//
// What mode2 text cannot hold, and what writing does then: the repeat index (not written; reads
// back as 0) and a second reading (only the first is written). A signal that starts with a space
// is written with "pulse 0" in front, which reading drops.
#pragma once

#include <string>
#include <string_view>

#include "base/result.h"
#include "ir/interchange/interchange_signal.h"
#include "ir/signal_data.h"

namespace redeye {

// The signal, named `name`. 1091 for a line of another kind or a name that is empty or holds a
// NUL byte, 1092 for a value that is not a decimal of at most 2147483647 (carrier: 1000000),
// 1095 when the text holds no pulse, 1094 for more durations than a signal holds.
interchange_read read_mode2(std::string_view text, std::string_view name);

// The signal's first reading as mode2 text: a carrier line, then one line a duration.
std::string write_mode2(const signal_data& signal);

}  // namespace redeye
