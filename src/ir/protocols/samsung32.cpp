// Samsung32: a 4.5 ms burst and a 4.5 ms space, then 32 pulse-distance bits (least significant
// first): device, subdevice (mostly the device again), function, inverted function, and a stop
// burst. The whole frame repeats every 108 ms while the button is held.
#include "ir/protocols/duration_reader.h"
#include "ir/protocols/protocol_list.h"
#include "ir/protocols/signal_builder.h"

namespace redeye::protocols {
namespace {

constexpr std::int32_t lead_mark = 4500;
constexpr std::int32_t lead_space = 4500;
constexpr std::int32_t bit_mark = 560;
constexpr std::int32_t zero_space = 560;
constexpr std::int32_t one_space = 1690;
constexpr std::int32_t period = 108000;

void encode(const protocol_parameters& parameters, unsigned, signal_data& out) {
  const std::uint32_t bits = parameters.device | parameters.subdevice << 8 | parameters.function << 16 |
                             (~parameters.function & 0xFFU) << 24;
  signal_builder builder;
  builder.mark(lead_mark);
  builder.space(lead_space);
  builder.distance_bits(bit_mark, zero_space, one_space, bits, 32);
  builder.mark(bit_mark);
  builder.end_frame(period, frame_gap);
  out = builder.finish(carrier_38khz);
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
  out = protocol_parameters{std::string(samsung32.name), 0, byte_of(bits, 0), byte_of(bits, 1), byte_of(bits, 2)};
  return true;
}

}  // namespace

const protocol samsung32{"Samsung32",
                         {{{field_t::device, 8}, {field_t::subdevice, 8}, {field_t::function, 8}}},
                         3,
                         false,
                         encode,
                         decode};

}  // namespace redeye::protocols
