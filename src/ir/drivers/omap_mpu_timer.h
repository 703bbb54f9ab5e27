// The OMAP MPU timers as both OMAP drivers use them: three 32-bit down-counters on the page at
// 0xFFFEC000 (offsets 0x500, 0x600, 0x700), each with a control, a load and a read register. A
// driver takes the first timer of its own order that is not running (control bit 0 clear), so
// that it never disturbs a timer the system uses.
#pragma once

#include <cstdint>
#include <span>

#include "platform/register_page.h"

namespace redeye::omap_mpu_timer {

inline constexpr std::uint32_t page = 0xFFFEC000;
// Register offsets from a timer's offset.
inline constexpr std::uint32_t control = 0x00;
inline constexpr std::uint32_t load = 0x04;
inline constexpr std::uint32_t read = 0x08;
// Control bits.
inline constexpr std::uint32_t start = 1u << 0;
inline constexpr std::uint32_t auto_reload = 1u << 1;
inline constexpr std::uint32_t clock_enable = 1u << 5;

// The first timer in order whose start bit is clear; the first of the order when all run.
inline std::uint32_t first_free(const platform::register_page& timers, std::span<const std::uint32_t> order) {
  for (const std::uint32_t timer : order)
    if ((timers.read32(timer + control) & start) == 0) return timer;
  return order.front();
}

// Loads a timer and starts it: one-shot (stops at 0) or reloading for ever.
inline void start_timer(const platform::register_page& timers, std::uint32_t timer, std::uint32_t ticks,
                        bool reload) {
  timers.write32(timer + control, clock_enable);
  timers.write32(timer + load, ticks);
  timers.write32(timer + control, clock_enable | start | (reload ? auto_reload : 0));
}

}  // namespace redeye::omap_mpu_timer
