#include "ir/ir_driver.h"

#include <algorithm>

#include "platform/input_purge.h"
#include "platform/performance_counter.h"

namespace redeye {

carrier_ticks CIrDrvr::shared_carrier_{};

CIrDrvr::CIrDrvr()
    : counter_rate_(static_cast<std::uint32_t>(platform::performance_counter_frequency() / 1000)) {}

CIrDrvr::~CIrDrvr() { CIrDrvr::close(); }

void CIrDrvr::close() {
  if (port_is_open()) {
    (void)platform::escape_serial_function(port_, platform::serial_escape_t::clear_ir);
    platform::close_serial_port(port_);
  }
  port_ = platform::invalid_port_handle;
}

zq::result_t CIrDrvr::load(const std::int32_t* durations, std::uint16_t count, std::uint16_t repeat_index,
                           std::uint16_t carrier_period) {
  if (durations == nullptr || count == 0) return zq::rc::no_durations;
  driver_waveform waveform;
  const zq::result_t rc = load_for_driver(std::span<const std::int32_t>(durations, count), repeat_index,
                                          carrier_period, ticks_per_us_3_6864, waveform);
  if (rc != zq::rc::ok) return rc;
  std::copy(waveform.durations.begin(), waveform.durations.end(), durations_.begin());
  count_ = waveform.count();
  start_index_ = 0;
  repeat_index_ = waveform.repeat_index;
  carrier_period_ = waveform.carrier_period;
  shared_carrier_ = waveform.carrier;
  return open();
}

zq::result_t CIrDrvr::open() {
  remember_thread();
  return open_port();
}

void CIrDrvr::remember_thread() {
  if (thread_ != 0) return;
  thread_ = platform::current_thread();
  saved_priority_ = platform::thread_priority(thread_);
  saved_quantum_ = platform::thread_quantum(thread_);
}

zq::result_t CIrDrvr::open_port() {
  if (port_is_open()) return zq::rc::ok;
  if (port_name_.empty()) return zq::rc::no_port_name;
  platform::port_handle port = platform::invalid_port_handle;
  if (platform::open_serial_port(port_name_, port) != 0) return zq::rc::port_open_failed;
  port_ = port;

  platform::serial_timeouts timeouts;
  timeouts.read_interval = platform::max_timeout;
  (void)platform::set_serial_timeouts(port_, timeouts);

  platform::serial_settings settings;
  (void)platform::get_serial_settings(port_, settings);
  settings.baud_rate = 2400;
  settings.flags = platform::serial_flag::binary | platform::serial_flag::tx_continue_on_xoff;
  settings.data_bits = 8;
  settings.parity = platform::no_parity;
  settings.stop_bits = platform::one_and_a_half_stop_bits;
  (void)platform::set_serial_settings(port_, settings);

  (void)platform::escape_serial_function(port_, platform::serial_escape_t::set_ir);
  return zq::rc::ok;
}

zq::result_t CIrDrvr::check_ready(bool blocks_mapped) const {
  if (!blocks_mapped) return zq::rc::registers_unmapped;
  if (saved_priority_ == 0) return zq::rc::driver_not_open;
  if (carrier_period_ == 0) return zq::rc::no_carrier;
  return zq::rc::ok;
}

void CIrDrvr::purge_input() {
  platform::purge_pending_input(platform::pending_input_t::stylus);
  platform::purge_pending_input(platform::pending_input_t::keys);
}

signal_data CIrDrvr::captured_signal() const {
  signal_data signal;
  signal.durations.assign(durations_.begin(), durations_.begin() + count_);
  signal.repeat_index = std::min(repeat_index_, count_);
  signal.carrier_period = carrier_period_;
  return signal;
}

}  // namespace redeye
