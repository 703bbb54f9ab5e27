// The OMAP850 GPIO page (0xFFFBC000) with the IrDA transceiver on the bank at offset 0x800: its
// data-input register (+0x00), data-output register (+0x04) and direction register (+0x08; a set
// bit makes the pin an input). The transceiver's transmit input hangs on bit 5, its receive output
// (active low during carrier pulses) on bit 6. The other registers only keep their values.
//
// The LED is lit while bit 5 is an output and its output bit is set. Reading the data-input
// register costs pin_read_ns of virtual time; an input pin reads the receiver on bit 6 (a long
// steady stretch polled in coarser steps, see ir_receiver::sample) and 0 elsewhere, an output pin
// reads its output bit.
#pragma once

#include <cstdint>

#include "hwsim/ir_receiver.h"
#include "hwsim/led_recorder.h"
#include "hwsim/register_file.h"
#include "platform/clock.h"

namespace hwsim {

class omap850_gpio final : public register_file {
 public:
  static constexpr std::uint32_t page = 0xFFFBC000;
  static constexpr std::uint32_t data_input = 0x800;
  static constexpr std::uint32_t data_output = 0x804;
  static constexpr std::uint32_t direction = 0x808;
  static constexpr std::uint32_t led_bit = 1u << 5;
  static constexpr std::uint32_t receive_bit = 1u << 6;
  // The simulated board at power-on: both transceiver pins outputs driven low (the transceiver
  // idle), every other pin of the bank an input.
  static constexpr std::uint32_t initial_direction = ~(led_bit | receive_bit);

  omap850_gpio(led_recorder& led, const ir_receiver& receiver) : led_(led), receiver_(receiver) {
    store(direction, initial_direction);
  }

  std::uint32_t read32(std::uint32_t offset) override {
    if (offset != data_input) return register_file::read32(offset);
    platform::clock::advance_by(pin_read_ns);
    const std::uint32_t inputs = stored(direction);
    std::uint32_t level = stored(data_output) & ~inputs;
    if ((inputs & receive_bit) != 0 && receiver_.sample()) level |= receive_bit;
    return level;
  }
  void write32(std::uint32_t offset, std::uint32_t value) override {
    if (offset == data_input) return;  // read-only
    register_file::write32(offset, value);
    led_.set((stored(direction) & led_bit) == 0 && (stored(data_output) & led_bit) != 0);
  }

 private:
  led_recorder& led_;
  const ir_receiver& receiver_;
};

}  // namespace hwsim
