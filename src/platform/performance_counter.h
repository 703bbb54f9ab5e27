// The high-resolution counter: a free-running count at a fixed frequency, derived from the
// program's clock (so it follows the virtual clock when that is in use).
#pragma once

#include <cstdint>

namespace platform {

// Counts per second: 10 MHz, one count per 100 ns.
inline constexpr std::uint64_t performance_frequency = 10000000;

inline std::uint64_t performance_counter_frequency() { return performance_frequency; }
// The current count.
std::uint64_t performance_counter();

}  // namespace platform
