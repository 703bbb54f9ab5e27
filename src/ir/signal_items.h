// Durations and the 16-bit items a stored reading holds them as. A duration that does not fit in a
// signed 16-bit item is split into several items of the same sign; reading merges neighbouring
// items of the same sign (negative versus not negative) back into one duration.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace redeye {

inline constexpr std::int32_t max_item = 32767;

// Number of items one duration is stored as (at least 1; up to 65538 for the extreme values).
std::uint32_t items_for_duration(std::int32_t duration);

// Number of items a whole duration list is stored as.
std::uint64_t items_for_durations(std::span<const std::int32_t> durations);

// Calls emit(std::int16_t) for each item of one duration, in order. Values above 32767 become
// items of 32767 followed by the remainder; values below -32767 items of -32767 followed by the
// remainder. The remainder is never 0, so merging gives back exactly the duration.
template <typename Emit>
void for_each_item(std::int32_t duration, Emit&& emit) {
  const std::int64_t v = duration;
  if (v >= -max_item && v <= max_item) {
    emit(static_cast<std::int16_t>(v));
  } else if (v > max_item) {
    const std::int64_t full = (v - 32768) / max_item + 1;
    for (std::int64_t i = 0; i < full; ++i) emit(static_cast<std::int16_t>(max_item));
    emit(static_cast<std::int16_t>((v - 32768) % max_item + 1));
  } else {
    const std::int64_t full = (-32768 - v) / max_item + 1;
    for (std::int64_t i = 0; i < full; ++i) emit(static_cast<std::int16_t>(-max_item));
    emit(static_cast<std::int16_t>(v + max_item * full));
  }
}

// Adds one item read from a record to a duration list: it extends the last duration when both
// have the same sign (zero counts as a mark), else it starts a new one. The caller bounds the
// number of items it merges to 65535, so the sums stay within 32 bits.
inline void merge_item(std::vector<std::int32_t>& durations, std::int16_t item) {
  if (!durations.empty() && (durations.back() < 0) == (item < 0)) {
    durations.back() += item;
  } else {
    durations.push_back(item);
  }
}

}  // namespace redeye
