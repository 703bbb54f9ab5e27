// NEC: a 9 ms burst and a 4.5 ms space, then 32 pulse-distance bits (least significant first):
// address, second address byte, command, inverted command, and a stop burst; the frame lasts
// 108 ms. While the button is held the remote sends only the short repeat frame (9 ms burst,
// 2.25 ms space, stop burst) every 108 ms. The classic form sends the inverted address as the
// second byte; the extended form uses both bytes as a 16-bit address.
#include "ir/protocols/duration_reader.h"
#include "ir/protocols/protocol_list.h"
#include "ir/protocols/signal_builder.h"

namespace redeye::protocols {
namespace {

constexpr std::int32_t lead_mark = 9000;
constexpr std::int32_t lead_space = 4500;
constexpr std::int32_t repeat_space = 2250;
constexpr std::int32_t bit_mark = 562;
constexpr std::int32_t zero_space = 562;
constexpr std::int32_t one_space = 1687;
constexpr std::int32_t period = 108000;

void encode_frames(std::uint32_t address_low, std::uint32_t address_high, std::uint32_t command, signal_data& out) {
  signal_builder builder;
  builder.mark(lead_mark);
  builder.space(lead_space);
  builder.distance_bits(bit_mark, zero_space, one_space,
                        address_low | address_high << 8 | command << 16 | (~command & 0xFFU) << 24, 32);
  builder.mark(bit_mark);
  builder.end_frame(period, frame_gap);
  builder.start_repeat();
  builder.start_frame();
  builder.mark(lead_mark);
  builder.space(repeat_space);
  builder.mark(bit_mark);
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
  duration_reader reader(durations);
  std::uint64_t bits = 0;
  if (!reader.mark(lead_mark) || !reader.space(lead_space) ||
      !reader.distance_bits(bit_mark, zero_space, one_space, 32, bits) || !reader.mark(bit_mark) ||
      !reader.frame_end()) {
    return false;
  }
  if ((byte_of(bits, 2) ^ byte_of(bits, 3)) != 0xFF) return false;
  const bool classic = (byte_of(bits, 0) ^ byte_of(bits, 1)) == 0xFF;
  out = protocol_parameters{std::string(classic ? nec.name : nec_extended.name), 0, byte_of(bits, 0),
                            classic ? 0 : byte_of(bits, 1), byte_of(bits, 2)};
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
