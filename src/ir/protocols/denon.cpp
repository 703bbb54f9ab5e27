// Denon: the shared frame pair (see sharp_family.h) with 264-microsecond bursts, spaces of 792
// (zero) and 1848 (one) microseconds, 43.6 ms between frames, and the extra bits 0, 0 in the
// first frame.
#include "ir/protocols/protocol_list.h"
#include "ir/protocols/sharp_family.h"

namespace redeye::protocols {
namespace {

constexpr sharp_family_form form{264, 792, 1848, 43560, 0b00};

void encode(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_sharp_family(form, parameters, out);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  return decode_sharp_family(form, denon, durations, out);
}

}  // namespace

const protocol denon{"Denon", {{{field_t::device, 5}, {field_t::function, 8}}}, 2, false, encode, decode};

}  // namespace redeye::protocols
