// Putting the port chosen in the IR port setup in force: the driver sends through it from now on
// and the settings file keeps it for the next start.
#pragma once

#include <string_view>

#include "base/result.h"

namespace xman {
class settings;
}

namespace redeye {

struct chosen_port_outcome {
  // False when no driver serves this processor: the port is stored all the same, and the caller
  // reports the missing driver (error category 5).
  bool driver_found = false;
  // The settings file's write: 0 or the system's error number (the port is in force for this run
  // either way).
  zq::result_t stored = zq::rc::ok;
};

// Cuts the port name out of a port-list entry (up to and including its first ":"), gives it to
// the program's driver when there is one, and stores it as the IR port setting.
chosen_port_outcome apply_chosen_port(std::wstring_view entry, xman::settings& settings);

}  // namespace redeye
