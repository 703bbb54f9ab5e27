// The frame pair Sharp and Denon share: 15 pulse-distance bits, least significant first (5-bit
// device, 8-bit function, 2 extra bits that tell the makers apart) and a stop burst, then after a
// gap the same frame with the function and the extra bits inverted, which lets a receiver check
// it. The pair repeats while the button is held.
#pragma once

#include <cstdint>
#include <span>

#include "ir/protocols/protocol.h"

namespace redeye::protocols {

struct sharp_family_form {
  std::int32_t mark;
  std::int32_t zero_space;
  std::int32_t one_space;
  std::int32_t gap;        // after each frame's stop burst
  std::uint32_t extra;     // the extra bits of the first frame
};

void encode_sharp_family(const sharp_family_form& form, const protocol_parameters& parameters, signal_data& out);

// True when durations start with a frame pair of the form whose second frame is the checked
// inverse of the first; `out` then holds the device and function as parameters of `which`.
bool decode_sharp_family(const sharp_family_form& form, const protocol& which, std::span<const std::int32_t> durations,
                         protocol_parameters& out);

}  // namespace redeye::protocols
