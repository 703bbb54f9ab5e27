// Pronto hex codes as other IR tools exchange them: a name line followed by a line of four-digit
// hexadecimal words (see named_code_list.h and ir/pronto_parser.h).
//
// What Pronto hex cannot hold, and what writing does then:
// - durations that are not whole carrier cycles: each is rounded to the nearest cycle (a non-zero
//   duration to at least one), so it reads back within one carrier period;
// - a second reading: only the first is written;
// - a carrier period no frequency word gives (0, no carrier, among them), a duration of more than
//   65535 cycles, a repeated part starting at a space, or more than 65534 durations: 1096.
// A signal that starts with a space is written with a zero on-time in front, and one that ends
// with a mark with a zero off-time at the end; reading drops and merges them again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "ir/interchange/interchange_signal.h"
#include "ir/signal_data.h"

namespace redeye {

// One code line. The Pronto parser's own codes (ir/pronto_parser.h) for a text it rejects.
[[nodiscard]] zq::result_t read_pronto_code(std::string_view line, signal_data& out);
[[nodiscard]] zq::result_t write_pronto_code(const signal_data& signal, std::string& out);

// Every named code of the text; a single code line is named default_name.
interchange_read read_pronto_list(std::string_view text, std::string_view default_name);
interchange_write write_pronto_list(const std::vector<named_signal>& signals);

}  // namespace redeye
