// The frame pair Sharp and Denon share: 15 pulse-distance bits, least significant first (5-bit
// device, 8-bit function, 2 extra bits that tell the makers apart) and a stop burst, then after a
// gap the same frame with the function and the extra bits inverted, which lets a receiver check
// it. The pair repeats while the button is held.
#pragma once

#include <cstdint>
#include <span>

#include "ir/signal_data.h"

namespace redeye::protocols {

struct sharp_family_timing {
  std::int32_t mark;
  std::int32_t zero_space;
  std::int32_t one_space;
  std::int32_t gap;  // after each frame's stop burst
};

void encode_sharp_family(const sharp_family_timing& timing, std::uint32_t device, std::uint32_t function,
                         std::uint32_t extra, signal_data& out);

// True when durations start with a frame pair whose first frame carries `extra` and whose second
// is its checked inverse.
bool decode_sharp_family(const sharp_family_timing& timing, std::uint32_t extra, std::span<const std::int32_t> durations,
                         std::uint32_t& device, std::uint32_t& function);

}  // namespace redeye::protocols
