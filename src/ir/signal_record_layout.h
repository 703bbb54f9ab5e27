// The stored layout of a signal record, read field by field with every field bounds-checked.
//
// Format version 2 (all 16-bit fields big-endian):
//   Offset | Size        | Field
//   0      | 1           | 0x00
//   1      | 1           | 0x02, the format version
//   2      | L+1 (+1)    | name, L bytes, a NUL, and a pad byte when the next field would start odd
//   next   | 2           | R, the number of readings
//   next   | 6+2n each   | R readings: carrier period, item count n, repeat index, n signed items
//
// Format version 1 (read only; the first byte is not 0):
//   0      | L+1 (+1)    | name, a NUL, and a pad byte when the next byte would lie at an odd offset
//   next   | 1           | ignored
//   next   | 1           | carrier period, shared by the readings
//   next   | 2+2n        | first reading: repeat index (1 byte), item count n (1 byte), n items
//   next   | 2+2n        | second reading, present only when it starts before the last two bytes of
//          |             | the record and its count byte is not 0
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/result.h"

namespace redeye {

enum class signal_format_t { version1, version2 };

struct signal_record_header {
  signal_format_t format = signal_format_t::version2;
  std::string_view name;               // points into the record
  std::size_t first_reading = 0;       // offset of the first reading
  std::uint16_t stored_readings = 0;   // version 2: R as stored
  std::uint8_t shared_carrier = 0;     // version 1: the carrier period of every reading
};

// One reading as it lies in the record.
struct signal_reading_view {
  std::uint16_t carrier_period = 0;
  std::uint16_t repeat_index = 0;
  std::uint16_t item_count = 0;
  std::span<const std::uint8_t> items;  // item_count big-endian signed 16-bit items
  std::size_t end = 0;                  // offset just past the reading
};

// Reads the format, name and header fields. -1 when the record is not a signal record, or when
// its name, pad or header fields run past its end.
[[nodiscard]] zq::result_t read_signal_header(std::span<const std::uint8_t> record, signal_record_header& out);

// Reads the reading that starts at offset. 1061 when any of its fields runs past the end.
[[nodiscard]] zq::result_t read_signal_reading(std::span<const std::uint8_t> record,
                                               const signal_record_header& header, std::size_t offset,
                                               signal_reading_view& out);

// Format version 1: whether a second reading starts at offset (just past the first reading).
bool version1_second_reading_present(std::span<const std::uint8_t> record, std::size_t offset);

}  // namespace redeye
