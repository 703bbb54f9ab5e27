#include "ir/drivers/ir_driver_lirc.h"

#include "ir/capture_loop.h"
#include "ir/drivers/driver_factory.h"
#include "ir/drivers/lirc_capture.h"
#include "ir/drivers/lirc_pass_writer.h"
#include "platform/lirc_port_name.h"

namespace redeye {

namespace {

namespace lirc = platform::lirc;
using platform::lirc_request_t;

}  // namespace

std::unique_ptr<CIrDrvr> make_lirc_driver() { return std::make_unique<CIrDrvrLirc>(); }

CIrDrvrLirc::CIrDrvrLirc() = default;

CIrDrvrLirc::~CIrDrvrLirc() { CIrDrvrLirc::close(); }

void CIrDrvrLirc::close() {
  device_.reset();
  CIrDrvr::close();
}

zq::result_t CIrDrvrLirc::open() {
  remember_thread();
  if (device_) return zq::rc::ok;
  if (port_name_.empty()) return zq::rc::no_port_name;
  const std::optional<unsigned> number = platform::lirc_port_number(port_name_);
  if (!number) return zq::rc::port_open_failed;
  std::unique_ptr<platform::lirc_device> device;
  std::uint32_t features = 0;
  if (platform::open_lirc_device(*number, device) != 0 || !device ||
      platform::lirc_get(*device, lirc_request_t::get_features, features) != 0)
    return zq::rc::port_open_failed;
  device_ = std::move(device);
  features_ = features;
  return zq::rc::ok;
}

zq::result_t CIrDrvrLirc::transmit(std::uint16_t pass_count, int hold_key) {
  if (!device_) return zq::rc::driver_not_open;
  if (const zq::result_t rc = check_ready(true); rc != zq::rc::ok) return rc;
  if ((features_ & lirc::can_send_pulse) == 0 ||
      platform::lirc_set(*device_, lirc_request_t::set_send_mode, lirc::mode_pulse) != 0)
    return zq::rc::no_ir_uart;
  // A device that refuses the frequency or duty cycle still sends, at its own.
  if ((features_ & lirc::can_set_send_carrier) != 0)
    (void)platform::lirc_set(*device_, lirc_request_t::set_send_carrier, carrier_hz(carrier_period_));
  if ((features_ & lirc::can_set_send_duty_cycle) != 0)
    (void)platform::lirc_set(*device_, lirc_request_t::set_send_duty_cycle, duty_cycle_percent);

  // The passes, as the common frame counts them; the kernel does the timing, so no priority.
  // Fixed mode streams every pass through one writer, so that the gaps between passes are timed
  // by the kernel too; hold mode sends each pass whole before it tests the key.
  lirc_pass_writer writer(*device_);
  const unsigned minimum = passes_of(pass_count);
  const bool fixed = hold_key == 0 || (pass_count != passes_default && pass_count != passes_once);
  int error = 0;
  for (unsigned pass = 0; error == 0 && (pass < minimum || (!fixed && platform::key_is_down(hold_key))); ++pass) {
    if (start_index_ >= count_) {
      if (!fixed) platform::clock::idle_spin();  // nothing to repeat: a held key keeps the loop turning
      continue;
    }
    for (std::uint16_t i = start_index_; i < count_; ++i) {
      current_duration_ = durations_[i];
      if (current_duration_ >= 0)
        writer.mark(current_duration_);
      else
        writer.space(current_duration_);
    }
    if (!fixed) error = writer.finish();
    start_index_ = repeat_index_;
  }
  if (fixed) error = writer.finish();
  purge_input();
  return error == 0 ? zq::rc::ok : zq::rc::port_open_failed;
}

zq::result_t CIrDrvrLirc::receive() {
  if (const zq::result_t rc = open(); rc != zq::rc::ok) return rc;
  zq::result_t refused = zq::rc::ok;
  if (!device_ || saved_priority_ == 0)
    refused = zq::rc::driver_not_open;
  else if ((features_ & lirc::can_rec_mode2) == 0 ||
           platform::lirc_set(*device_, lirc_request_t::set_rec_mode, lirc::mode_mode2) != 0)
    refused = zq::rc::no_ir_uart;
  if (refused != zq::rc::ok) {
    close();
    return refused;
  }

  const bool measuring = (features_ & lirc::can_measure_carrier) != 0 &&
                         platform::lirc_set(*device_, lirc_request_t::set_measure_carrier_mode, 1) == 0;
  capture_run run;
  capture_mode2(*device_, run);
  if (measuring) (void)platform::lirc_set(*device_, lirc_request_t::set_measure_carrier_mode, 0);
  return finish_capture(run);
}

}  // namespace redeye
