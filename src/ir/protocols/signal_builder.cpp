#include "ir/protocols/signal_builder.h"

#include <algorithm>
#include <cassert>

namespace redeye::protocols {

void signal_builder::mark(std::int32_t microseconds) { add(microseconds); }

void signal_builder::space(std::int32_t microseconds) {
  if (signal_.durations.empty()) return;
  add(-microseconds);
}

void signal_builder::distance_bits(std::int32_t mark_length, std::int32_t zero, std::int32_t one,
                                   std::uint64_t value, unsigned count) {
  for (unsigned i = 0; i < count; ++i) {
    mark(mark_length);
    space((value >> i) & 1U ? one : zero);
  }
}

void signal_builder::add(std::int32_t signed_duration) {
  assert(signed_duration != 0);
  std::vector<std::int32_t>& durations = signal_.durations;
  if (!durations.empty() && (durations.back() < 0) == (signed_duration < 0)) {
    durations.back() += signed_duration;
  } else {
    durations.push_back(signed_duration);
  }
  elapsed_ += signed_duration < 0 ? -std::int64_t{signed_duration} : signed_duration;
}

void signal_builder::end_frame(std::int32_t period, std::int32_t min_gap) {
  const std::int64_t rest = period - (elapsed_ - frame_start_);
  space(static_cast<std::int32_t>(std::max<std::int64_t>(rest, min_gap)));
}

signal_data signal_builder::finish(std::uint16_t carrier_period) {
  signal_.carrier_period = carrier_period;
  signal_.repeat_index = repeat_index_;
  signal_data done = std::move(signal_);
  *this = signal_builder{};
  return done;
}

}  // namespace redeye::protocols
