// The driver of Linux hosts with an infrared transmitter or receiver that the kernel offers as a
// LIRC character device (/dev/lircN, rc-core). The kernel produces the carrier and times the
// marks and spaces, so this driver hands it the signal's microseconds (LIRC_MODE_PULSE) and reads
// received pulses and spaces back (LIRC_MODE_MODE2). The port name chooses the device: "LIRC0:"
// is /dev/lirc0 (platform/lirc_port_name.h).
//
// Transmit keeps the common frame's pass rules (0 three passes, 0xFFFF one, n n; hold mode while
// the hold key is down) and purges the input queued meanwhile; it needs no register blocks, no
// real-time priority and no settling time. Receive keeps the capture limits and the search for
// the repeated part of every family.
#pragma once

#include <cstdint>
#include <memory>

#include "ir/ir_driver.h"
#include "platform/lirc_device.h"

namespace redeye {

class CIrDrvrLirc : public CIrDrvr {
 public:
  CIrDrvrLirc();
  // Closes the device, then as the base.
  void close() override;
  // 302 before an open; 12 for carrier 0; 303 when the device cannot send pulses; 13 when a write
  // fails (the transmission stops there). Sets the carrier frequency when the device can, and a
  // 50 % duty cycle when it can.
  [[nodiscard]] zq::result_t transmit(std::uint16_t pass_count, int hold_key) override;
  // Opens, captures (ir/drivers/lirc_capture.h), closes. 303 when the device cannot receive mode2
  // samples. Carrier measurement is switched on for the capture when the device can measure.
  [[nodiscard]] zq::result_t receive() override;
  ~CIrDrvrLirc() override;
  // Remembers the thread on the first open, then opens the device the port name chooses: 304
  // without a port name, 13 when the name is no LIRC port or the device cannot be opened.
  [[nodiscard]] zq::result_t open() override;

  // The carrier frequency sent for a carrier period: 1000000 / period, rounded.
  static constexpr std::uint32_t carrier_hz(std::uint16_t period) {
    return period == 0 ? 0 : (1000000u + period / 2u) / period;
  }
  static constexpr std::uint32_t duty_cycle_percent = 50;

 private:
  std::unique_ptr<platform::lirc_device> device_;
  std::uint32_t features_ = 0;
};

}  // namespace redeye
