// The SA-11x0 peripheral pin controller: the direction register (offset 0x00, set = output) and
// the pin-state register (offset 0x04) of the serial and LCD pins; the others only keep their
// values.
//
// Wiring: the LED follows TXD2 (bit 14) while that pin is an output, from what was last written
// to the pin-state register. Reading the pin-state register costs pin_read_ns of virtual time;
// outputs read what was written, RXD2 (bit 15) reads the receiver's output while it is an input,
// other inputs read low.
#pragma once

#include <cstdint>

#include "hwsim/ir_receiver.h"
#include "hwsim/led_recorder.h"
#include "hwsim/register_file.h"

namespace hwsim {

class sa11xx_pin_controller final : public register_file {
 public:
  static constexpr std::uint32_t direction_offset = 0x00;
  static constexpr std::uint32_t state_offset = 0x04;
  // Power-on state of the simulated board: the LCD pins (0-11) and the transmit pins of serial
  // ports 1, 2 and 3 (12, 14, 16) are outputs; the idle serial ports 1 and 3 hold their lines
  // high, the IrDA transmit line of port 2 is low.
  static constexpr std::uint32_t initial_direction = 0x00015FFF;
  static constexpr std::uint32_t initial_state = 0x00011000;

  // wired: whether the transceiver hangs on serial port 2's pins.
  sa11xx_pin_controller(led_recorder& led, const ir_receiver& receiver, bool wired);

  std::uint32_t read32(std::uint32_t offset) override;
  void write32(std::uint32_t offset, std::uint32_t value) override;

  // What was last written to the pin-state register.
  std::uint32_t latch() const { return stored(state_offset); }

 private:
  void update_led();

  led_recorder& led_;
  const ir_receiver& receiver_;
  bool wired_;
};

}  // namespace hwsim
