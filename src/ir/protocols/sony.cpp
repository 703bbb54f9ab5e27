// Sony SIRC: a 2.4 ms burst and a 0.6 ms space, then pulse-width bits, least significant first:
// a 1.2 ms (one) or 0.6 ms (zero) burst, each followed by a 0.6 ms space. Seven function bits,
// then the device: 5 bits (12-bit form), 8 bits (15-bit form), or 5 device and 8 subdevice bits
// (20-bit form). Frames follow each other every 45 ms.
#include "ir/protocols/duration_reader.h"
#include "ir/protocols/protocol_list.h"
#include "ir/protocols/signal_builder.h"

namespace redeye::protocols {
namespace {

constexpr std::int32_t lead_mark = 2400;
constexpr std::int32_t unit = 600;
constexpr std::int32_t period = 45000;
// Sony remotes send at least three frames for a tap, and some Sony devices act only on a repeated
// frame; the last one is what repeats while the button is held.
constexpr unsigned frames_per_press = 3;

void encode_bits(std::uint32_t bits, unsigned count, signal_data& out) {
  signal_builder builder;
  for (unsigned frame = 0; frame < frames_per_press; ++frame) {
    if (frame + 1 == frames_per_press) builder.start_repeat();
    builder.start_frame();
    builder.mark(lead_mark);
    builder.space(unit);
    for (unsigned i = 0; i < count; ++i) {
      builder.mark((bits >> i) & 1U ? 2 * unit : unit);
      builder.space(unit);
    }
    builder.end_frame(period, frame_gap);
  }
  out = builder.finish(carrier_40khz);
}

void encode12(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_bits(parameters.function | parameters.device << 7, 12, out);
}

void encode15(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_bits(parameters.function | parameters.device << 7, 15, out);
}

void encode20(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_bits(parameters.function | parameters.device << 7 | parameters.subdevice << 12, 20, out);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  duration_reader reader(durations);
  if (!reader.mark(lead_mark) || !reader.space(unit)) return false;
  std::uint32_t bits = 0;
  unsigned count = 0;
  for (;;) {
    bool bit = false;
    if (count == 20 || !reader.mark_bit(unit, 2 * unit, bit)) return false;
    bits |= (bit ? 1U : 0U) << count++;
    // A shorter form ending with the durations could be a longer one cut short: only a gap
    // (the remote sends every frame at least three times) or all 20 bits end the frame.
    if (reader.at_end()) {
      if (count != 20) return false;
      break;
    }
    if (reader.frame_end()) break;
    if (!reader.space(unit)) return false;
  }
  const std::uint32_t function = bits & 0x7FU;
  switch (count) {
    case 12: out = protocol_parameters{std::string(sony12.name), 0, bits >> 7, 0, function}; return true;
    case 15: out = protocol_parameters{std::string(sony15.name), 0, bits >> 7, 0, function}; return true;
    case 20:
      out = protocol_parameters{std::string(sony20.name), 0, (bits >> 7) & 0x1FU, bits >> 12, function};
      return true;
    default: return false;
  }
}

}  // namespace

const protocol sony12{"Sony12", {{{field_t::device, 5}, {field_t::function, 7}}}, 2, false, encode12, decode};
const protocol sony15{"Sony15", {{{field_t::device, 8}, {field_t::function, 7}}}, 2, false, encode15, nullptr};
const protocol sony20{"Sony20",
                      {{{field_t::device, 5}, {field_t::subdevice, 8}, {field_t::function, 7}}},
                      3,
                      false,
                      encode20,
                      nullptr};

}  // namespace redeye::protocols
