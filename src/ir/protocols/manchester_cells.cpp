#include "ir/protocols/manchester_cells.h"

namespace redeye::protocols {

void write_cells(signal_builder& builder, const std::vector<bool>& cells, std::int32_t cell_length) {
  for (const bool cell : cells) {
    if (cell) {
      builder.mark(cell_length);
    } else {
      builder.space(cell_length);
    }
  }
}

bool read_cells(duration_reader& reader, std::int32_t cell_length, unsigned max_run, std::size_t wanted,
                std::vector<bool>& cells) {
  bool last_was_space = false;
  while (cells.size() < wanted) {
    if (reader.at_end() || reader.frame_end()) {
      cells.resize(wanted, false);
      return true;
    }
    const std::int32_t next = reader.peek();
    const std::int64_t length = next < 0 ? -std::int64_t{next} : next;
    const std::int64_t run = (length + cell_length / 2) / cell_length;
    if (run < 1 || run > max_run || !near(length, static_cast<std::int32_t>(run * cell_length))) return false;
    reader.consume();
    cells.insert(cells.end(), static_cast<std::size_t>(run), next >= 0);
    last_was_space = next < 0;
  }
  if (cells.size() > wanted) return false;
  // A frame whose last cell is a space normally has it merged into the gap; a short space here
  // can only be the end of a cut-off capture.
  return last_was_space ? reader.at_end() : reader.frame_end();
}

bool cell_pair_bit(bool first, bool second, bool first_mark_means, bool& bit) {
  if (first == second) return false;
  bit = first ? first_mark_means : !first_mark_means;
  return true;
}

}  // namespace redeye::protocols
