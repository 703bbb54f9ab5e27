#include "hwsim/pxa_gpio.h"

#include "platform/clock.h"

namespace hwsim {

namespace {

// The power-on state of bank 1 on the simulated board: every UART pin given to its UART
// (FF RXD 34 AF1, FF TXD 39 AF2, BT RXD 42 AF1, BT TXD 43 AF2, ST RXD 46 AF2, ST TXD 47 AF1) and
// the transmit pins outputs.
constexpr std::uint32_t bank1_alternate_lower = 0x60908010;
constexpr std::uint32_t bank1_direction = 0x00008880;

}  // namespace

pxa_gpio::pxa_gpio(led_recorder& led, const ir_receiver& receiver, int led_gpio, int receive_gpio)
    : led_(led), receiver_(receiver), led_gpio_(led_gpio), receive_gpio_(receive_gpio) {
  store(direction_offset + 4, bank1_direction);
  store(alternate_offset + 8, bank1_alternate_lower);
  update_led();
}

unsigned pxa_gpio::alternate_function(int gpio) const {
  const std::uint32_t reg = alternate_offset + static_cast<std::uint32_t>(gpio / 16) * 4;
  return (stored(reg) >> (2 * (gpio % 16))) & 3u;
}

bool pxa_gpio::is_output(int gpio) const {
  return (stored(direction_offset + static_cast<std::uint32_t>(gpio / 32) * 4) >> (gpio % 32) & 1u) != 0;
}

std::uint32_t pxa_gpio::read32(std::uint32_t offset) {
  if (offset < direction_offset) {
    const int bank = static_cast<int>(offset / 4);
    platform::clock::advance_by(pin_read_ns);
    const std::uint32_t outputs = stored(direction_offset + offset);
    std::uint32_t level = latch_[static_cast<std::size_t>(bank)] & outputs;
    // Inputs read low, except the receiver's pin, which reads the receiver.
    if (receive_gpio_ >= 0 && receive_gpio_ / 32 == bank) {
      const std::uint32_t bit = 1u << (receive_gpio_ % 32);
      if ((outputs & bit) == 0 && receiver_.sample()) level |= bit;
    }
    return level;
  }
  // The set and clear registers read as 0.
  if (offset >= set_offset && offset < clear_offset + 12) return 0;
  return register_file::read32(offset);
}

void pxa_gpio::write32(std::uint32_t offset, std::uint32_t value) {
  if (offset < direction_offset) return;  // levels are read-only
  if (offset >= set_offset && offset < clear_offset) {
    latch_[(offset - set_offset) / 4] |= value;
  } else if (offset >= clear_offset && offset < clear_offset + 12) {
    latch_[(offset - clear_offset) / 4] &= ~value;
  } else {
    register_file::write32(offset, value);
  }
  update_led();
}

void pxa_gpio::update_led() {
  if (led_gpio_ < 0) return;
  const bool driven = is_output(led_gpio_) && alternate_function(led_gpio_) == 0;
  led_.set(driven && ((latch_[static_cast<std::size_t>(led_gpio_ / 32)] >> (led_gpio_ % 32)) & 1u) != 0);
}

}  // namespace hwsim
