// Denon: the shared frame pair (see sharp_family.h) with 264-microsecond bursts, spaces of 792
// (zero) and 1848 (one) microseconds, 43.6 ms between frames, and the extra bits 0, 0 in the
// first frame.
#include "ir/protocols/protocol_list.h"
#include "ir/protocols/sharp_family.h"

namespace redeye::protocols {
namespace {

constexpr sharp_family_timing timing{264, 792, 1848, 43560};
constexpr std::uint32_t extra = 0b00;

void encode(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_sharp_family(timing, parameters.device, parameters.function, extra, out);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  std::uint32_t device = 0;
  std::uint32_t function = 0;
  if (!decode_sharp_family(timing, extra, durations, device, function)) return false;
  out = protocol_parameters{std::string(denon.name), 0, device, 0, function};
  return true;
}

}  // namespace

const protocol denon{"Denon", {{{field_t::device, 5}, {field_t::function, 8}}}, 2, false, encode, decode};

}  // namespace redeye::protocols
