// Reading a Flipper ".ir" file (see flipper_ir_reader.h) into named signals: a parsed button is
// encoded by this program's protocol encoders (a toggling protocol with both readings, toggle 0
// first, as a codebase keeps it), a raw button becomes its durations at its frequency's carrier
// period, without a repeated part (flipper_ir_conversion.h).
#pragma once

#include <string_view>

#include "ir/interchange/interchange_signal.h"

namespace redeye {

// The reader's code and line for a text it refuses (1118); 1119 with the button's name for a
// parsed protocol or value this program does not encode; the codes of normalise_durations for a
// raw button a signal cannot hold; 1095 for a file without buttons.
interchange_read read_flipper_ir_signals(std::string_view text);

}  // namespace redeye
