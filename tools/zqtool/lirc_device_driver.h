// The IR driver for a Linux IR device named on the command line ("/dev/lirc0" or "lirc0"): the
// program's own driver, which processor detection makes the LIRC family on a host that has such
// devices and no handheld processor, with the device's port name ("LIRC0:") chosen.
#pragma once

#include <string>

#include "ir/ir_driver.h"

namespace zqtool {

// The driver, or null after printing why there is none (a device text that names no LIRC device
// is a usage error: status 2; no LIRC family on this host: status 1).
redeye::CIrDrvr* lirc_device_driver(const std::string& device, int& failure_status);

}  // namespace zqtool
