// Builds a signal from marks and spaces the way a protocol describes it: neighbours of the same
// kind merge into one duration, a leading space is dropped (a signal starts with its first burst),
// and frames are padded to their repetition period.
#pragma once

#include <cstdint>

#include "ir/signal_data.h"

namespace redeye::protocols {

class signal_builder {
 public:
  void mark(std::int32_t microseconds);
  void space(std::int32_t microseconds);
  // Pulse-distance bits, least significant first: each a mark, then a `zero` or `one` space.
  void distance_bits(std::int32_t mark_length, std::int32_t zero, std::int32_t one, std::uint64_t value,
                     unsigned count);

  // Remembers where a frame starts, for end_frame.
  void start_frame() { frame_start_ = elapsed_; }
  // Adds the space that makes the frame last `period` microseconds from start_frame, but at
  // least min_gap.
  void end_frame(std::int32_t period, std::int32_t min_gap);
  // The repeated part starts with the next duration. Call it between frames (after a space).
  void start_repeat() { repeat_index_ = static_cast<std::uint16_t>(signal_.durations.size()); }

  signal_data finish(std::uint16_t carrier_period);

 private:
  void add(std::int32_t signed_duration);

  signal_data signal_;
  std::int64_t elapsed_ = 0;
  std::int64_t frame_start_ = 0;
  std::uint16_t repeat_index_ = 0;
};

}  // namespace redeye::protocols
