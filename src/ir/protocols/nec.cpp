// NEC: a 9 ms burst and a 4.5 ms space, then the shared 32-bit frame (see nec_family.h). While
// the button is held the remote sends only the short repeat frame (9 ms burst, 2.25 ms space,
// stop burst) every 108 ms. The classic form sends the inverted address as the second byte; the
// extended form uses both bytes as a 16-bit address.
#include "ir/protocols/duration_reader.h"
#include "ir/protocols/nec_family.h"
#include "ir/protocols/protocol_list.h"

namespace redeye::protocols {
namespace {

constexpr nec_family_lead lead{9000, 4500};
constexpr std::int32_t repeat_space = 2250;
constexpr std::int32_t stop_mark = 562;
constexpr std::int32_t period = 108000;

void encode_frames(std::uint32_t address_low, std::uint32_t address_high, std::uint32_t function, signal_data& out) {
  signal_builder builder;
  write_nec_family_frame(builder, lead, address_low, address_high, function);
  builder.start_repeat();
  builder.start_frame();
  builder.mark(lead.mark);
  builder.space(repeat_space);
  builder.mark(stop_mark);
  builder.end_frame(period, frame_gap);
  out = builder.finish(carrier_38khz);
}

void encode_classic(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_frames(parameters.device, ~parameters.device & 0xFFU, parameters.function, out);
}

void encode_extended(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_frames(parameters.device, parameters.subdevice, parameters.function, out);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  std::uint32_t function = 0;
  if (!read_nec_family_frame(durations, lead, low, high, function)) return false;
  const bool classic = (low ^ high) == 0xFF;
  out = protocol_parameters{std::string(classic ? nec.name : nec_extended.name), 0, low, classic ? 0 : high, function};
  return true;
}

}  // namespace

const protocol nec{"NEC", {{{field_t::device, 8}, {field_t::function, 8}}}, 2, false, encode_classic, decode};
const protocol nec_extended{"NECext",
                            {{{field_t::device, 8}, {field_t::subdevice, 8}, {field_t::function, 8}}},
                            3,
                            false,
                            encode_extended,
                            nullptr};

}  // namespace redeye::protocols
