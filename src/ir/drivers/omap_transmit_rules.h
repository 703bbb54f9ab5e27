// What the two OMAP drivers share in turning a loaded signal into a transmission: load converts
// every duration to timer ticks once, so the loops only count ticks; passes run at real-time
// priority 0 when their number is fixed and at 1 while a held key decides.
#pragma once

#include <cstdint>
#include <limits>
#include <span>

#include "ir/transmit_time.h"

namespace redeye {

// Each duration becomes d * ticks_per_ms / 1000 ticks (truncated, sign kept), held within the
// 32-bit range.
inline void scale_to_ticks(std::span<std::int32_t> durations, std::uint32_t ticks_per_ms) {
  constexpr std::int64_t largest = std::numeric_limits<std::int32_t>::max();
  for (std::int32_t& d : durations) {
    std::int64_t ticks = std::int64_t{d} * ticks_per_ms / 1000;
    if (ticks > largest) ticks = largest;
    if (ticks < -largest) ticks = -largest;
    d = static_cast<std::int32_t>(ticks);
  }
}

// The transmit frame's fixed mode (no hold key, or an explicit number of passes) runs at priority
// 0, hold mode at 1.
inline int omap_pass_priority(std::uint16_t pass_count, int hold_key) {
  const bool fixed = hold_key == 0 || (pass_count != passes_default && pass_count != passes_once);
  return fixed ? 0 : 1;
}

}  // namespace redeye
