// Bi-phase (Manchester) frames as a row of half-bit cells of one length, each a mark (true) or a
// space (false). Writing turns cells into merged durations; reading classifies each duration as
// a whole number of cells, so that a frame can be checked cell by cell.
#pragma once

#include <cstdint>
#include <vector>

#include "ir/protocols/duration_reader.h"
#include "ir/protocols/signal_builder.h"

namespace redeye::protocols {

void write_cells(signal_builder& builder, const std::vector<bool>& cells, std::int32_t cell_length);

// Appends the cells of the next durations to `cells` until it holds `wanted` cells. A frame gap
// or the end of the durations ends the frame early: the cells left over are spaces (a frame that
// ends with a space cell has it merged into the gap). No duration may be longer than max_run
// cells, and the frame must be followed by a gap or the end. False when the durations are no
// such frame.
bool read_cells(duration_reader& reader, std::int32_t cell_length, unsigned max_run, std::size_t wanted,
                std::vector<bool>& cells);

// The bit of a cell pair: `first_mark_means` when the first cell is a mark and the second a space,
// its opposite for the reverse; false (no bit) when the two cells are alike.
bool cell_pair_bit(bool first, bool second, bool first_mark_means, bool& bit);

}  // namespace redeye::protocols
