// The driver of the SA-11x0 processors. The IrDA transceiver hangs on serial port 2, which the
// platform powers and routes to it when the serial port is put into infrared mode, so this driver
// always opens the serial port (the base open). Transmit takes TXD2 from the UART as the only
// output of the pin controller and synthesises the carrier by writing the whole pin-state
// register, timed by the 3.6864 MHz OS timer; interrupts stay enabled. Receive samples RXD2.
#pragma once

#include <cstdint>

#include "ir/ir_driver.h"
#include "platform/register_page.h"

namespace redeye {

class CIrDrvrSA11XX : public CIrDrvr {
 public:
  CIrDrvrSA11XX();
  [[nodiscard]] zq::result_t transmit(std::uint16_t pass_count, int hold_key) override;
  // Opens the serial port, captures from RXD2 at priority 0 without time slicing, closes the port.
  [[nodiscard]] zq::result_t receive() override;
  ~CIrDrvrSA11XX() override;

  // Physical addresses and register offsets.
  static constexpr std::uint32_t serial2_uart_page = 0x80030000;
  static constexpr std::uint32_t serial2_hssp_page = 0x80040000;
  static constexpr std::uint32_t pin_controller_page = 0x90060000;
  static constexpr std::uint32_t os_timer_page = 0x90000000;
  static constexpr std::uint32_t interrupt_page = 0x90050000;
  static constexpr std::uint32_t uart_control0 = 0x00;  // the byte changed around a transmission
  static constexpr std::uint32_t pin_direction = 0x00;  // PPDR
  static constexpr std::uint32_t pin_state = 0x04;      // PPSR
  static constexpr std::uint32_t counter = 0x10;        // OS timer count (OSCR)

  static constexpr std::uint32_t led_bit = 0x4000;      // TXD2
  static constexpr std::uint32_t receive_bit = 0x8000;  // RXD2
  // The UART control byte while the LED is driven: (saved AND keep) OR set.
  static constexpr std::uint8_t uart_control_keep = 0xE6;
  static constexpr std::uint8_t uart_control_set = 0x01;

 private:
  bool blocks_mapped() const {
    return uart_.is_mapped() && hssp_.is_mapped() && pins_.is_mapped() && timer_.is_mapped() &&
           interrupts_.is_mapped();
  }

  platform::register_page uart_;
  platform::register_page hssp_;
  platform::register_page pins_;
  platform::register_page timer_;
  platform::register_page interrupts_;
};

}  // namespace redeye
