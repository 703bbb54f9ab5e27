// A list of named one-line codes, the form in which Pronto hex and Global Cache sendir codes are
// passed around: a name on one line and its code on the next, pairs separated by any number of
// blank lines. A text that holds a single code line and nothing else is one signal named by the
// caller (a code copied from a web page or a device's manual, named after its file).
//
// Names are taken with blanks and tabs at either end removed. Only the first reading of a signal
// is written: none of these codes holds a second one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "ir/interchange/interchange_signal.h"
#include "ir/signal_data.h"

namespace redeye {

// Reads one code line into a signal; a failure's code is reported with the line's number.
using code_line_reader = zq::result_t (*)(std::string_view line, signal_data& out);
// Writes one signal as a code line (without line break); 1096 when the format cannot hold it.
using code_line_writer = zq::result_t (*)(const signal_data& signal, std::string& out);

// 1093 for a name line without a code after it, 1091 for a name that is empty or holds a NUL
// byte, 1095 for a text without any line.
interchange_read read_named_code_list(std::string_view text, std::string_view default_name, code_line_reader read);

// Writes "NAME\nCODE\n" for every signal, with a blank line between them. A name holding a line
// break or a NUL byte, an empty name, or a signal without readings is 1096.
interchange_write write_named_code_list(const std::vector<named_signal>& signals, code_line_writer write);

}  // namespace redeye
