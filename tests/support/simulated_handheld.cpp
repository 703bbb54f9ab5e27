#include "support/simulated_handheld.h"

#include "ir/driver_registry.h"
#include "ir/drivers/chosen_uart.h"
#include "ir/send_signal.h"
#include "platform/clock.h"
#include "platform/input_purge.h"
#include "platform/key_state.h"
#include "platform/serial_port.h"
#include "platform/thread_priority.h"

namespace zqtest {

void reset_platform_state() {
  redeye::release_driver();
  redeye::chosen_ir_uart = 0;
  redeye::send_alternation().forget();
  platform::reset_serial_ports();
  platform::reset_thread_scheduling();
  platform::reset_key_states();
  platform::clear_input_purge_log();
  platform::set_input_purge_hook({});
}

simulated_handheld::simulated_handheld(hwsim::device_description description) {
  reset_platform_state();
  platform::clock::use_virtual(0);
  device_ = std::make_unique<hwsim::device>(std::move(description));
  device_->install();
}

simulated_handheld::~simulated_handheld() {
  reset_platform_state();
  device_.reset();
  platform::clock::use_real();
}

}  // namespace zqtest
