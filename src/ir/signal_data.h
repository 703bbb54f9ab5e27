// A decoded IR signal and the stored signal record it comes from.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace redeye {

// Durations in microseconds: marks positive (zero counts as a mark), spaces negative. The first
// pass plays every duration, each later pass plays repeat_index..count-1; a repeat index at or past
// the count means the signal has no repeated part.
struct signal_data {
  std::vector<std::int32_t> durations;
  std::uint16_t carrier_period = 0;  // microseconds per carrier cycle; 0 = no carrier
  std::uint16_t repeat_index = 0;

  std::uint16_t count() const { return static_cast<std::uint16_t>(durations.size()); }
};

// The name of a signal record of either format version, or nothing when the record is neither
// (too short, no terminating NUL, or the first two bytes mark another kind of record).
std::optional<std::string_view> signal_record_name(std::span<const std::uint8_t> record);

// Number of readings the record holds (0 when it is not a readable signal record). Only readings
// that lie wholly inside the record count: for format version 2 at most the stored count R, for
// format version 1 one or two.
unsigned signal_reading_count(std::span<const std::uint8_t> record);

// Decodes reading 0 or 1 (the first when the record holds only one) of a stored record.
// 1061 for a reading without items, -1 for a record of an unknown format, 1061 for one that is
// damaged (a field running past the end of the record).
// -1 also when the name or the header fields run past the end. For format version 2 a selector at
// or past the stored count R takes the first reading. Neighbouring items of the same sign come
// back as one duration. out is changed only on success.
[[nodiscard]] zq::result_t decode_signal_record(std::span<const std::uint8_t> record, unsigned reading,
                                                signal_data& out);

// Encodes a new record (format version 2, one reading). 1061 when the signal has no items or
// needs more items than a reading can count.
// A reading counts at most 65535 items, and a signal of more than 65535 durations is refused too.
// 1061 also for a name holding a NUL byte. out is replaced only on success; name may point into it.
[[nodiscard]] zq::result_t encode_signal_record(std::string_view name, const signal_data& signal,
                                                std::vector<std::uint8_t>& out);

// The existing record (either format version) with the signal appended as one more reading,
// written as format version 2. 1061 as for encoding, or when the existing record is unreadable.
// Unreadable: not a signal record, a damaged name or header, any reading running past the end, or
// already 65535 readings. Bytes after the last reading are not carried over. out is replaced only
// on success and may be the vector record views.
[[nodiscard]] zq::result_t append_signal_reading(std::span<const std::uint8_t> record, const signal_data& signal,
                                                 std::vector<std::uint8_t>& out);

}  // namespace redeye
