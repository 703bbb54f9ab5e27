// A PXA UART as the IR drivers see it: the interrupt-enable register (IER, offset 0x04; bit 6
// enables the unit) and the infrared-selection register (ISR, offset 0x20; bit 0 transmit and
// bit 1 receive in infrared mode). Infrared mode is the unit enabled with the receiver in IR mode.
#pragma once

#include <cstdint>

#include "hwsim/register_file.h"

namespace hwsim {

class pxa_uart final : public register_file {
 public:
  static constexpr std::uint32_t ier_offset = 0x04;
  static constexpr std::uint32_t isr_offset = 0x20;
  static constexpr std::uint32_t unit_enable = 1u << 6;
  static constexpr std::uint32_t transmit_ir = 1u << 0;
  static constexpr std::uint32_t receive_ir = 1u << 1;

  // Every UART starts enabled as a plain serial port.
  pxa_uart() { store(ier_offset, unit_enable); }

  void set_ir_mode(bool on) {
    if (on) {
      store(ier_offset, stored(ier_offset) | unit_enable);
      store(isr_offset, stored(isr_offset) | receive_ir);
    } else {
      store(isr_offset, stored(isr_offset) & ~(transmit_ir | receive_ir));
    }
  }
  bool in_ir_mode() const {
    return (stored(ier_offset) & unit_enable) != 0 && (stored(isr_offset) & (transmit_ir | receive_ir)) != 0;
  }
};

}  // namespace hwsim
