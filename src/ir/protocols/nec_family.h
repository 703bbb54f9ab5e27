// The frame NEC and Samsung32 share: a leading burst and space, 32 pulse-distance bits of
// 562-microsecond units (least significant first: two address bytes, the function, the inverted
// function) and a stop burst, padded to 108 ms. They differ in the leading burst.
#pragma once

#include <cstdint>
#include <span>

#include "ir/protocols/signal_builder.h"

namespace redeye::protocols {

struct nec_family_lead {
  std::int32_t mark;
  std::int32_t space;
};

void write_nec_family_frame(signal_builder& builder, const nec_family_lead& lead, std::uint32_t address_low,
                            std::uint32_t address_high, std::uint32_t function);

// True when durations start with such a frame whose fourth byte is the inverse of the third.
bool read_nec_family_frame(std::span<const std::int32_t> durations, const nec_family_lead& lead,
                           std::uint32_t& address_low, std::uint32_t& address_high, std::uint32_t& function);

}  // namespace redeye::protocols
