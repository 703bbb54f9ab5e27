// The PXA OS timer: a 32-bit counter (OSCR, offset 0x10) counting up from the device's start
// value and wrapping. Reading it moves virtual time to its next tick (see tick_clock.h); writing
// it sets the count from now on. The match, status, watchdog and interrupt-enable registers
// (0x00-0x0C, 0x14-0x1C) only keep their values.
#pragma once

#include <cstdint>

#include "hwsim/register_file.h"
#include "hwsim/tick_clock.h"

namespace hwsim {

class pxa_os_timer final : public register_file {
 public:
  static constexpr std::uint32_t counter_offset = 0x10;

  pxa_os_timer(std::uint32_t hz, std::uint32_t start) : ticks_(hz), start_(start) {}

  std::uint32_t read32(std::uint32_t offset) override {
    if (offset == counter_offset) return start_ + static_cast<std::uint32_t>(ticks_.next());
    return register_file::read32(offset);
  }
  void write32(std::uint32_t offset, std::uint32_t value) override {
    if (offset == counter_offset) {
      start_ = value - static_cast<std::uint32_t>(ticks_.current());
      return;
    }
    register_file::write32(offset, value);
  }

  // The count now, without moving time.
  std::uint32_t count() { return start_ + static_cast<std::uint32_t>(ticks_.current()); }
  std::uint64_t hz() const { return ticks_.hz(); }

 private:
  tick_clock ticks_;
  std::uint32_t start_;
};

}  // namespace hwsim
