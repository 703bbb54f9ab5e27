#include "lirc_device_driver.h"

#include <cstdio>
#include <optional>

#include "ir/driver_registry.h"
#include "ir/processor_family.h"
#include "platform/lirc_device.h"
#include "platform/lirc_port_name.h"

namespace zqtool {

redeye::CIrDrvr* lirc_device_driver(const std::string& device, int& failure_status) {
  const std::optional<unsigned> number = platform::lirc_device_number(device);
  const std::wstring port = number ? platform::lirc_port_name(*number) : std::wstring();
  if (port.empty()) {
    std::fprintf(stderr, "zqtool: %s is no Linux IR device (/dev/lircN, N up to %u)\n", device.c_str(),
                 platform::max_lirc_port_number);
    failure_status = 2;
    return nullptr;
  }
  failure_status = 1;
  if (redeye::detect_processor_family() != redeye::processor_family_t::lirc) {
    if (platform::lirc_device_numbers().empty())
      std::fprintf(stderr, "zqtool: this host has no Linux IR device\n");
    else
      std::fprintf(stderr, "zqtool: this host's processor has an IR driver of its own\n");
    return nullptr;
  }
  redeye::CIrDrvr* driver = redeye::get_driver();
  if (driver == nullptr) {
    std::fprintf(stderr, "error: no IR driver for this processor\n");
    return nullptr;
  }
  driver->set_port_name(port);
  return driver;
}

}  // namespace zqtool
