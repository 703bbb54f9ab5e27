// The simulated handhelds zqtool offers: a processor given as a short name ("PXA255", "S3C2440")
// or as the full text the kernel would report ("ARM920T S3C2440") becomes a device description
// with a realistic core name, processor name and clock.
#pragma once

#include <optional>
#include <string_view>

#include "hwsim/device_description.h"

namespace zqtool {

// The description for a processor text, with the processor's usual clock. A short name (any case)
// gets its core name; a text with a blank is split at its last blank and keeps its own core name.
// Nothing when the text selects no simulated processor family.
std::optional<hwsim::device_description> simulated_processor(std::string_view text);

}  // namespace zqtool
