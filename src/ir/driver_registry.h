// The program's single IR driver, created on first use from the processor family and kept for
// the program's lifetime.
#pragma once

#include "ir/ir_driver.h"

namespace redeye {

// The driver, created on the first call; null when no family serves this processor (nothing is
// created then, and the next call detects again).
CIrDrvr* get_driver();

// Destroys the driver so that the next get_driver detects the processor again. The program never
// calls it; tests and tools do, to start over on another (simulated) device.
void release_driver();

}  // namespace redeye
