// LIRC's lircd.conf with raw codes, as irrecord writes it for remotes it cannot decode:
//
//   begin remote
//     name  tv
//     flags RAW_CODES|CONST_LENGTH
//     eps   30
//     aeps  100
//     frequency 38000
//     gap   108000
//     begin raw_codes
//       name KEY_POWER
//          9024  4512   579   552   579   552
//           579
//     end raw_codes
//   end remote
//
// Raw codes are pulse and space lengths in microseconds, starting and (in LIRC) ending with a pulse;
// LIRC follows each code with the remote's gap and sends code and gap again while a button is held.
//
// Reading: every raw code of every remote is one signal: its durations, then the remote's gap as a
// final space (when not 0), carrier from the remote's frequency (38 kHz when none is given, as
// LIRC assumes; frequency 0 gives no carrier), repeated whole (repeat index 0). Comment lines
// ("#" first), blank lines, header fields other than frequency and gap, and words from a "#" to
// the end of a line are skipped. Keywords are matched without regard to case, as LIRC does.
// Remotes with decoded codes ("begin codes") are not read (1097).
//
// What lircd.conf cannot hold, and what writing does then:
// - the repeat index: LIRC repeats the whole code, so it is not written and reads back as 0;
// - a second reading: only the first is written;
// - a final space inside a code: it is written as the gap of a remote, so signals are grouped
//   into one remote per carrier and final space, in the order they first appear;
// - blanks in names (LIRC names are single words): each blank or tab is written as "_";
// - a duration longer than 2147483647 microseconds: 1096.
// A signal that starts with a space is written with a zero pulse in front, which reading drops.
#pragma once

#include <string_view>
#include <vector>

#include "base/result.h"
#include "ir/interchange/interchange_signal.h"

namespace redeye {

// 1093 for "begin", "end" or a code out of its place or a block left open, 1091 for a code
// without a "name" line before it or a "name" without a value, 1092 for a number that is not a
// decimal of at most 2147483647 (a frequency: at most 1000000), 1094 for a "name" without
// durations, 1097 for decoded codes, 1095 when the text holds no raw code.
interchange_read read_lircd_conf(std::string_view text);

// One or more remotes named remote_name (blanks written as "_"), "_2", "_3"... added after the
// first.
interchange_write write_lircd_conf(std::string_view remote_name, const std::vector<named_signal>& signals);

}  // namespace redeye
