#include "ir/transmit_time.h"

#include <algorithm>

namespace redeye {

namespace {

// The walk stops once the pass counter exceeds this.
constexpr std::uint32_t max_counted_passes = 5000;

std::uint64_t magnitude(std::int32_t d) {
  const std::int64_t v = d;
  return static_cast<std::uint64_t>(v < 0 ? -v : v);
}

}  // namespace

unsigned passes_of(std::uint16_t pass_count) {
  if (pass_count == passes_default) return default_pass_total;
  if (pass_count == passes_once) return 1;
  return pass_count;
}

std::uint16_t default_pass_count(std::string_view signal_name) {
  return signal_name == "Vol+" || signal_name == "Vol-" ? passes_once : passes_default;
}

std::uint16_t passes_for_time(std::span<const std::int32_t> durations, std::uint16_t repeat_index,
                              std::uint32_t milliseconds) {
  const std::size_t count = durations.size();
  if (repeat_index >= count || milliseconds == 0) return 1;
  const std::uint64_t target = std::uint64_t{milliseconds} * 1000;

  // The first pass: reaching the time anywhere in it (even at its last duration) gives one pass.
  std::uint64_t sum = 0;
  for (const std::int32_t d : durations) {
    sum += magnitude(d);
    if (sum >= target) return 1;
  }
  std::uint32_t passes = 1;

  // Whole repeated passes that end below the time are counted at once rather than walked, so a
  // long time with short passes costs no more than one pass.
  std::uint64_t repeat_sum = 0;
  for (std::size_t i = repeat_index; i < count; ++i) repeat_sum += magnitude(durations[i]);
  const std::uint64_t room = max_counted_passes + 1 - passes;
  const std::uint64_t below = repeat_sum == 0 ? room : std::min(room, (target - sum - 1) / repeat_sum);
  passes += static_cast<std::uint32_t>(below);
  sum += below * repeat_sum;
  if (passes > max_counted_passes) return static_cast<std::uint16_t>(passes);

  // The pass during which the time is reached; it counts when the time is reached at its end.
  for (std::size_t i = repeat_index; i < count; ++i) {
    sum += magnitude(durations[i]);
    if (i + 1 == count) ++passes;
    if (sum >= target) break;
  }
  return static_cast<std::uint16_t>(passes);
}

}  // namespace redeye
