#include "simulated_session.h"

#include "ir/driver_registry.h"
#include "platform/clock.h"
#include "platform/key_state.h"
#include "platform/serial_port.h"

namespace zqtool {

namespace {

// The device's timers read the clock as they are built, so it is virtual before the device.
hwsim::device_description on_virtual_clock(hwsim::device_description description) {
  platform::clock::use_virtual(0);
  return description;
}

}  // namespace

simulated_session::simulated_session(hwsim::device_description description)
    : device_(on_virtual_clock(std::move(description))) {
  redeye::release_driver();
  platform::reset_key_states();
  device_.install();
}

simulated_session::~simulated_session() {
  redeye::release_driver();
  platform::reset_serial_ports();
  platform::reset_key_states();
  device_.uninstall();
  platform::clock::use_real();
}

}  // namespace zqtool
