#include "hwsim/s3c_interrupt_controller.h"

#include "platform/clock.h"

namespace hwsim {

std::uint32_t s3c_interrupt_controller::source_pending() {
  std::uint32_t bits = stored(source_pending_offset);
  for (int n = 0; n < s3c_pwm_timers::timers; ++n)
    if (timers_.underflow_pending(n)) bits |= timer_bit(n);
  return bits;
}

std::uint32_t s3c_interrupt_controller::read32(std::uint32_t offset) {
  if (offset == source_pending_offset) {
    std::uint32_t bits = source_pending();
    if (bits == last_polled_) {
      timers_.wait_for_underflow();
      bits = source_pending();
    }
    last_polled_ = bits;
    return bits;
  }
  if (offset == interrupt_pending_offset) return source_pending() & ~stored(mask_offset) & ~stored(mode_offset);
  return register_file::read32(offset);
}

void s3c_interrupt_controller::write32(std::uint32_t offset, std::uint32_t value) {
  if (offset == source_pending_offset) {
    store(offset, stored(offset) & ~value);
    for (int n = 0; n < s3c_pwm_timers::timers; ++n)
      if (value & timer_bit(n)) timers_.acknowledge(n);
    return;
  }
  // The interrupt-pending bits follow the source-pending ones.
  if (offset == interrupt_pending_offset) return;
  if (offset == mask_offset) writes_.push_back({platform::clock::now_ns(), value});
  register_file::write32(offset, value);
}

}  // namespace hwsim
