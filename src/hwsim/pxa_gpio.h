// The PXA GPIO controller, banks 0 to 2 (GPIO 0-31, 32-63, 64-95; bank 1 holds the UART pins):
// level (0x00 + 4b), direction (0x0C + 4b, set = output), set (0x18 + 4b) and clear (0x24 + 4b)
// registers, and the alternate-function registers (0x54 + 8b lower half, 0x58 + 8b upper half;
// two bits per pin, 0 = plain GPIO). The other registers only keep their values.
//
// Wiring: the LED follows the IrDA transceiver's transmit pin while that pin is a plain output
// (its output latch); while the UART owns the pin, the idle UART keeps the LED off. Reading a
// level register costs pin_read_ns of virtual time; the transceiver's receive pin reads the
// receiver's output there when it is an input (ir_receiver::sample: a long steady stretch is
// polled in coarser steps).
#pragma once

#include <array>
#include <cstdint>

#include "hwsim/ir_receiver.h"
#include "hwsim/led_recorder.h"
#include "hwsim/register_file.h"

namespace hwsim {

class pxa_gpio final : public register_file {
 public:
  static constexpr std::uint32_t level_offset = 0x00;
  static constexpr std::uint32_t direction_offset = 0x0C;
  static constexpr std::uint32_t set_offset = 0x18;
  static constexpr std::uint32_t clear_offset = 0x24;
  static constexpr std::uint32_t alternate_offset = 0x54;
  static constexpr int banks = 3;

  // led_gpio / receive_gpio: -1 when not wired.
  pxa_gpio(led_recorder& led, const ir_receiver& receiver, int led_gpio, int receive_gpio);

  std::uint32_t read32(std::uint32_t offset) override;
  void write32(std::uint32_t offset, std::uint32_t value) override;

  // Output latch of a bank (what set and clear have made of it).
  std::uint32_t latch(int bank) const { return latch_[static_cast<std::size_t>(bank)]; }
  // Alternate function of a pin (0 plain GPIO).
  unsigned alternate_function(int gpio) const;
  bool is_output(int gpio) const;

 private:
  void update_led();

  led_recorder& led_;
  const ir_receiver& receiver_;
  int led_gpio_;
  int receive_gpio_;
  std::array<std::uint32_t, banks> latch_{};
};

}  // namespace hwsim
