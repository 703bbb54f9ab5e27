#include "platform/simulated_hardware.h"

namespace platform {

namespace {
simulated_hardware* installed = nullptr;
}

void install_simulated_hardware(simulated_hardware* device) { installed = device; }

simulated_hardware* installed_simulated_hardware() { return installed; }

}  // namespace platform
