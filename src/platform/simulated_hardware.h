// The seam between the platform and a simulated handheld. When one is installed, the platform
// answers processor information, register-page mapping and the serial ports from it instead of
// from the host. The simulation itself lives in hwsim/, which implements this interface; nothing
// above the platform needs to know whether the hardware is real.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/processor_info.h"
#include "platform/register_block.h"

namespace platform {

class simulated_hardware {
 public:
  virtual ~simulated_hardware() = default;

  virtual bool processor(processor_info& out) = 0;
  // The block behind a 4 KB-aligned physical page address, or null when the device has none there.
  virtual register_block* register_block_at(std::uint32_t page_address) = 0;

  // Serial ports: whether a device of that name exists, and the infrared-mode switch of one.
  virtual bool serial_port_exists(std::wstring_view name) = 0;
  virtual void serial_ir_mode(std::wstring_view name, bool on) = 0;
};

// Installs the device (null uninstalls). The caller keeps ownership; the device must stay alive
// while installed.
void install_simulated_hardware(simulated_hardware* device);
simulated_hardware* installed_simulated_hardware();

}  // namespace platform
