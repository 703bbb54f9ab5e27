// RC6 mode 0: a 2.67 ms leader burst and a 0.89 ms space, then bi-phase bits of 444 microseconds
// per half, most significant first: start bit 1, three mode bits 000, the toggle bit at double
// length, an 8-bit address and an 8-bit command. A one is a mark then a space. The frame repeats
// every 107 ms, toggle unchanged, while the button is held; the toggle changes with each new press.
#include "ir/protocols/manchester_cells.h"
#include "ir/protocols/protocol_list.h"

namespace redeye::protocols {
namespace {

constexpr std::int32_t half_bit = 444;
constexpr std::int32_t leader_mark = 6 * half_bit;
constexpr std::int32_t leader_space = 2 * half_bit;
constexpr std::int32_t period = 107000;
// Start bit, three mode bits, the toggle bit over four cells, 16 data bits.
constexpr std::size_t toggle_cell = 8;
constexpr std::size_t data_cell = 12;
constexpr std::size_t frame_cells = 44;

void push_bit(std::vector<bool>& cells, bool bit, unsigned cells_per_half) {
  cells.insert(cells.end(), cells_per_half, bit);
  cells.insert(cells.end(), cells_per_half, !bit);
}

void encode(const protocol_parameters& parameters, unsigned toggle, signal_data& out) {
  std::vector<bool> cells;
  push_bit(cells, true, 1);
  for (int i = 0; i < 3; ++i) push_bit(cells, false, 1);
  push_bit(cells, (toggle & 1U) != 0, 2);
  const std::uint32_t data = parameters.device << 8 | parameters.function;
  for (int i = 15; i >= 0; --i) push_bit(cells, (data >> i) & 1U, 1);
  signal_builder builder;
  builder.mark(leader_mark);
  builder.space(leader_space);
  write_cells(builder, cells, half_bit);
  builder.end_frame(period, frame_gap);
  out = builder.finish(carrier_36khz);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  duration_reader reader(durations);
  std::vector<bool> cells;
  if (!reader.mark(leader_mark) || !reader.space(leader_space) ||
      !read_cells(reader, half_bit, 3, frame_cells, cells)) {
    return false;
  }
  bool bit = false;
  // Start bit 1, mode 0.
  if (!cell_pair_bit(cells[0], cells[1], true, bit) || !bit) return false;
  for (std::size_t i = 2; i < toggle_cell; i += 2) {
    if (!cell_pair_bit(cells[i], cells[i + 1], true, bit) || bit) return false;
  }
  if (cells[toggle_cell] != cells[toggle_cell + 1] || cells[toggle_cell + 2] != cells[toggle_cell + 3] ||
      cells[toggle_cell] == cells[toggle_cell + 2]) {
    return false;
  }
  std::uint32_t data = 0;
  for (std::size_t i = data_cell; i < frame_cells; i += 2) {
    if (!cell_pair_bit(cells[i], cells[i + 1], true, bit)) return false;
    data = data << 1 | (bit ? 1U : 0U);
  }
  out = protocol_parameters{std::string(rc6.name), 0, data >> 8, 0, data & 0xFFU};
  return true;
}

}  // namespace

const protocol rc6{"RC6", {{{field_t::device, 8}, {field_t::function, 8}}}, 2, true, encode, decode};

}  // namespace redeye::protocols
