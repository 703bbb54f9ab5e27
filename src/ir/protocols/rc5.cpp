// RC5: 14 bi-phase bits of 889 microseconds per half, most significant first: start bit 1, a
// second start bit that carries the inverted seventh command bit, the toggle bit, a 5-bit address
// and 6 command bits. A one is a space then a mark, so the frame's first half-bit is silent and
// the signal starts in the middle of the first bit. The frame repeats every 113.8 ms, toggle
// unchanged, while the button is held; the toggle changes with each new press.
#include "ir/protocols/manchester_cells.h"
#include "ir/protocols/protocol_list.h"

namespace redeye::protocols {
namespace {

constexpr std::int32_t half_bit = 889;
constexpr std::int32_t period = 113792;
constexpr std::size_t frame_cells = 28;

void encode(const protocol_parameters& parameters, unsigned toggle, signal_data& out) {
  const std::uint32_t bits = 1U << 13 | ((~parameters.function >> 6) & 1U) << 12 | (toggle & 1U) << 11 |
                             parameters.device << 6 | (parameters.function & 0x3FU);
  std::vector<bool> cells;
  for (int i = 13; i >= 0; --i) {
    const bool bit = (bits >> i) & 1U;
    cells.push_back(!bit);
    cells.push_back(bit);
  }
  signal_builder builder;
  write_cells(builder, cells, half_bit);
  builder.end_frame(period - half_bit, frame_gap);
  out = builder.finish(carrier_36khz);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  duration_reader reader(durations);
  std::vector<bool> cells{false};  // the silent first half of the first start bit
  if (reader.peek() <= 0 || !read_cells(reader, half_bit, 2, frame_cells, cells)) return false;
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < frame_cells; i += 2) {
    bool bit = false;
    if (!cell_pair_bit(cells[i], cells[i + 1], false, bit)) return false;
    bits = bits << 1 | (bit ? 1U : 0U);
  }
  if ((bits >> 13) == 0) return false;
  const std::uint32_t seventh = ((bits >> 12) & 1U) ^ 1U;
  out = protocol_parameters{std::string(rc5.name), 0, (bits >> 6) & 0x1FU, 0, seventh << 6 | (bits & 0x3FU)};
  return true;
}

}  // namespace

const protocol rc5{"RC5", {{{field_t::device, 5}, {field_t::function, 7}}}, 2, true, encode, decode};

}  // namespace redeye::protocols
