#include "hwsim/sa11xx_pin_controller.h"

#include "hwsim/sa11xx_blocks.h"
#include "platform/clock.h"

namespace hwsim {

sa11xx_pin_controller::sa11xx_pin_controller(led_recorder& led, const ir_receiver& receiver, bool wired)
    : led_(led), receiver_(receiver), wired_(wired) {
  store(direction_offset, initial_direction);
  store(state_offset, initial_state);
  update_led();
}

std::uint32_t sa11xx_pin_controller::read32(std::uint32_t offset) {
  if (offset != state_offset) return register_file::read32(offset);
  platform::clock::advance_by(pin_read_ns);
  const std::uint32_t outputs = stored(direction_offset);
  std::uint32_t level = stored(state_offset) & outputs;
  if (wired_ && (outputs & sa11xx::rxd2_bit) == 0 && receiver_.level_at(platform::clock::now_ns()))
    level |= sa11xx::rxd2_bit;
  return level;
}

void sa11xx_pin_controller::write32(std::uint32_t offset, std::uint32_t value) {
  register_file::write32(offset, value);
  update_led();
}

void sa11xx_pin_controller::update_led() {
  if (!wired_) return;
  const std::uint32_t driven = stored(direction_offset) & stored(state_offset);
  led_.set((driven & sa11xx::txd2_bit) != 0);
}

}  // namespace hwsim
