#include "ir/signal_items.h"

namespace redeye {

std::uint32_t items_for_duration(std::int32_t duration) {
  const std::int64_t v = duration;
  if (v > max_item) return static_cast<std::uint32_t>((v - 32768) / max_item + 2);
  if (v < -max_item) return static_cast<std::uint32_t>((-32768 - v) / max_item + 2);
  return 1;
}

std::uint64_t items_for_durations(std::span<const std::int32_t> durations) {
  std::uint64_t total = 0;
  for (const std::int32_t d : durations) total += items_for_duration(d);
  return total;
}

}  // namespace redeye
