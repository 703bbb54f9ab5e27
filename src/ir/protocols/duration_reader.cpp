#include "ir/protocols/duration_reader.h"

#include <algorithm>
#include <cstdlib>

namespace redeye::protocols {

bool near(std::int64_t measured, std::int32_t expected) {
  const std::int64_t difference = std::llabs(measured - expected);
  return difference <= std::max<std::int64_t>(expected / 4, 100);
}

bool duration_reader::mark(std::int32_t expected) {
  const std::int32_t next = peek();
  if (at_end() || next < 0 || !near(next, expected)) return false;
  consume();
  return true;
}

bool duration_reader::space(std::int32_t expected) {
  const std::int32_t next = peek();
  if (at_end() || next >= 0 || !near(-std::int64_t{next}, expected)) return false;
  consume();
  return true;
}

bool duration_reader::mark_bit(std::int32_t zero, std::int32_t one, bool& bit) {
  return either(&duration_reader::mark, zero, one, bit);
}

bool duration_reader::space_bit(std::int32_t zero, std::int32_t one, bool& bit) {
  return either(&duration_reader::space, zero, one, bit);
}

bool duration_reader::either(bool (duration_reader::*read)(std::int32_t), std::int32_t zero, std::int32_t one,
                             bool& bit) {
  if ((this->*read)(zero)) {
    bit = false;
    return true;
  }
  if ((this->*read)(one)) {
    bit = true;
    return true;
  }
  return false;
}

bool duration_reader::frame_end() {
  if (at_end()) return true;
  const std::int32_t next = peek();
  if (next >= 0 || next > -frame_gap) return false;
  consume();
  return true;
}

bool duration_reader::distance_bits(std::int32_t mark_length, std::int32_t zero, std::int32_t one, unsigned count,
                                    std::uint64_t& value) {
  value = 0;
  for (unsigned i = 0; i < count; ++i) {
    bool bit = false;
    if (!mark(mark_length) || !space_bit(zero, one, bit)) return false;
    if (bit) value |= std::uint64_t{1} << i;
  }
  return true;
}

}  // namespace redeye::protocols
