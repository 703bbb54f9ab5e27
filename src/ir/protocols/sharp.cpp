// Sharp: the shared frame pair (see sharp_family.h) with 320-microsecond bursts, bits of 1 ms
// (zero) and 2 ms (one), 40 ms between frames, and the extra bits 1, 0 in the first frame.
#include "ir/protocols/protocol_list.h"
#include "ir/protocols/sharp_family.h"

namespace redeye::protocols {
namespace {

constexpr sharp_family_form form{320, 680, 1680, 40000, 0b01};

void encode(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_sharp_family(form, parameters, out);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  return decode_sharp_family(form, sharp, durations, out);
}

}  // namespace

const protocol sharp{"Sharp", {{{field_t::device, 5}, {field_t::function, 8}}}, 2, false, encode, decode};

}  // namespace redeye::protocols
