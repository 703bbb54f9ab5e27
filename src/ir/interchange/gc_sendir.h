// Global Cache "sendir" commands, as the iTach and GC-100 units take them and their IR database
// hands them out:
//
//   sendir,1:1,1,38000,1,69,341,170,21,21,21,64,...,21,1517
//
// module:connector, command id, carrier frequency in Hz, repeat count, offset, then on and off
// times in carrier cycles. The offset (1-based, odd) is where the part sent again on each repeat
// starts. Codes are exchanged as a list of a name line followed by a sendir line
// (named_code_list.h).
//
// Reading: the repeated part starts at offset - 1; a code sent once from its start (repeat 1,
// offset 1) has no repeated part. Durations are cycles times the period, to the nearest microsecond.
// The compressed form (letters standing for earlier pairs) is not read (1097).
//
// What sendir cannot hold, and what writing does then:
// - durations that are not whole carrier cycles: rounded to the nearest cycle (a non-zero duration
//   to at least one), so they read back within one carrier period;
// - the number of passes: a signal with a repeated part is written with repeat 3 (the default
//   three passes), one without with repeat 1 and offset 1;
// - a second reading: only the first is written;
// - a carrier outside 15 to 500 kHz (no carrier among them), a duration of more than 65535 cycles,
//   or a repeated part that starts at a space: 1096.
// A leading space gets a zero on-time in front and a trailing mark a zero off-time after it, which
// reading drops and merges again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "ir/interchange/interchange_signal.h"
#include "ir/signal_data.h"

namespace redeye {

// One sendir line. 1091 for a line that is not a sendir command, 1092 for a field out of range
// (frequency 15000..500000, repeat 1..50, offset odd and inside the code, times 0..65535), 1094
// for an odd number of times or none, 1097 for the compressed form.
[[nodiscard]] zq::result_t read_gc_sendir(std::string_view line, signal_data& out);
[[nodiscard]] zq::result_t write_gc_sendir(const signal_data& signal, std::string& out);

// Every named code of the text; a single sendir line is named default_name.
interchange_read read_gc_sendir_list(std::string_view text, std::string_view default_name);
interchange_write write_gc_sendir_list(const std::vector<named_signal>& signals);

}  // namespace redeye
