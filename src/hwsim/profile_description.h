// The simulated handheld a device profile describes: its processor, clock and IrDA wiring, with
// the profile's other serial ports. The profile names the family it expects; a processor text
// that selects another family (or none where one is named) is refused, so that a profile never
// quietly runs without the register blocks it was written for.
#pragma once

#include <string>

#include "hwsim/device_description.h"
#include "platform/device_profile.h"

namespace hwsim {

// False with the problem when the profile's family is not the one its processor selects.
bool description_from_profile(const platform::device_profile& profile, device_description& out, std::string& problem);

}  // namespace hwsim
