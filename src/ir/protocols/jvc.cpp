// JVC: an 8.4 ms burst and a 4.2 ms space once, then 16 pulse-distance bits (least significant
// first: 8-bit device, 8-bit function) and a stop burst, in frames of 59.08 ms. While the button
// is held only the frame without the leading burst repeats.
#include "ir/protocols/duration_reader.h"
#include "ir/protocols/protocol_list.h"
#include "ir/protocols/signal_builder.h"

namespace redeye::protocols {
namespace {

constexpr std::int32_t lead_mark = 8400;
constexpr std::int32_t lead_space = 4200;
constexpr std::int32_t bit_mark = 525;
constexpr std::int32_t zero_space = 525;
constexpr std::int32_t one_space = 1575;
constexpr std::int32_t period = 59080;
constexpr std::int32_t nec_lead_mark = 9000;

void encode(const protocol_parameters& parameters, unsigned, signal_data& out) {
  signal_builder builder;
  builder.mark(lead_mark);
  builder.space(lead_space);
  builder.start_repeat();
  builder.start_frame();
  builder.distance_bits(bit_mark, zero_space, one_space, parameters.device | parameters.function << 8, 16);
  builder.mark(bit_mark);
  builder.end_frame(period, frame_gap);
  out = builder.finish(carrier_38khz);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  duration_reader reader(durations);
  const std::int32_t measured_lead = reader.peek();
  std::uint64_t bits = 0;
  if (!reader.mark(lead_mark) || !reader.space(lead_space) ||
      !reader.distance_bits(bit_mark, zero_space, one_space, 16, bits) || !reader.mark(bit_mark)) {
    return false;
  }
  // Without a gap after it, this frame is also what an NEC frame cut after 16 bits looks like;
  // then only a leading burst nearer 8.4 ms than NEC's 9 ms tells them apart.
  if (reader.at_end()) {
    if (measured_lead >= (lead_mark + nec_lead_mark) / 2) return false;
  } else if (!reader.frame_end()) {
    return false;
  }
  out = protocol_parameters{std::string(jvc.name), 0, byte_of(bits, 0), 0, byte_of(bits, 1)};
  return true;
}

}  // namespace

const protocol jvc{"JVC", {{{field_t::device, 8}, {field_t::function, 8}}}, 2, false, encode, decode};

}  // namespace redeye::protocols
