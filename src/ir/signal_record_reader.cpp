// Reading stored signal records: the name, the number of readings and the decoded durations of one
// reading.
#include <utility>

#include "base/byte_order.h"
#include "ir/signal_data.h"
#include "ir/signal_items.h"
#include "ir/signal_record_layout.h"

namespace redeye {

namespace {

// Finds reading `index` (0-based), walking the readings before it. 1061 when any of them runs past
// the end of the record.
zq::result_t find_version2_reading(std::span<const std::uint8_t> record, const signal_record_header& header,
                                   unsigned index, signal_reading_view& out) {
  std::size_t offset = header.first_reading;
  for (unsigned i = 0;; ++i) {
    if (const zq::result_t rc = read_signal_reading(record, header, offset, out); rc != zq::rc::ok) return rc;
    if (i == index) return zq::rc::ok;
    offset = out.end;
  }
}

}  // namespace

std::optional<std::string_view> signal_record_name(std::span<const std::uint8_t> record) {
  signal_record_header header;
  if (read_signal_header(record, header) != zq::rc::ok) return std::nullopt;
  return header.name;
}

unsigned signal_reading_count(std::span<const std::uint8_t> record) {
  signal_record_header header;
  if (read_signal_header(record, header) != zq::rc::ok) return 0;
  signal_reading_view reading;
  if (header.format == signal_format_t::version1) {
    if (read_signal_reading(record, header, header.first_reading, reading) != zq::rc::ok) return 0;
    if (!version1_second_reading_present(record, reading.end)) return 1;
    return read_signal_reading(record, header, reading.end, reading) == zq::rc::ok ? 2 : 1;
  }
  // Only the stored readings that lie wholly inside the record count.
  unsigned whole = 0;
  std::size_t offset = header.first_reading;
  while (whole < header.stored_readings && read_signal_reading(record, header, offset, reading) == zq::rc::ok) {
    ++whole;
    offset = reading.end;
  }
  return whole;
}

zq::result_t decode_signal_record(std::span<const std::uint8_t> record, unsigned reading, signal_data& out) {
  signal_record_header header;
  if (const zq::result_t rc = read_signal_header(record, header); rc != zq::rc::ok) return rc;

  signal_reading_view view;
  if (header.format == signal_format_t::version2) {
    // A selector at or past the stored count takes the first reading.
    const unsigned index = reading < header.stored_readings ? reading : 0;
    if (const zq::result_t rc = find_version2_reading(record, header, index, view); rc != zq::rc::ok) return rc;
  } else {
    if (const zq::result_t rc = read_signal_reading(record, header, header.first_reading, view); rc != zq::rc::ok) {
      return rc;
    }
    if (reading > 0 && version1_second_reading_present(record, view.end)) {
      if (const zq::result_t rc = read_signal_reading(record, header, view.end, view); rc != zq::rc::ok) return rc;
    }
  }
  if (view.item_count == 0) return zq::rc::signal_without_items;

  signal_data decoded;
  decoded.carrier_period = view.carrier_period;
  decoded.repeat_index = view.repeat_index;
  decoded.durations.reserve(view.item_count);
  for (std::size_t i = 0; i < view.items.size(); i += 2) {
    merge_item(decoded.durations, static_cast<std::int16_t>(zq::load_be16(view.items.data() + i)));
  }
  out = std::move(decoded);
  return zq::rc::ok;
}

}  // namespace redeye
