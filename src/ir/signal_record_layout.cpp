#include "ir/signal_record_layout.h"

#include <algorithm>

#include "base/byte_order.h"

namespace redeye {

namespace {

// Finds the NUL that ends a name starting at offset; the name and the offset of the next field,
// moved to an even offset past a pad byte. False when the NUL is missing.
bool read_name(std::span<const std::uint8_t> record, std::size_t offset, std::string_view& name,
               std::size_t& next) {
  const auto begin = record.begin() + static_cast<std::ptrdiff_t>(offset);
  const auto nul = std::find(begin, record.end(), std::uint8_t{0});
  if (nul == record.end()) return false;
  const auto length = static_cast<std::size_t>(nul - begin);
  name = std::string_view(reinterpret_cast<const char*>(record.data() + offset), length);
  next = offset + length + 1;
  if (next % 2 != 0) ++next;
  return true;
}

}  // namespace

zq::result_t read_signal_header(std::span<const std::uint8_t> record, signal_record_header& out) {
  signal_record_header header;
  std::size_t next = 0;
  if (record.empty()) return zq::rc::bad_signal_record;
  if (record[0] != 0) {
    header.format = signal_format_t::version1;
    if (!read_name(record, 0, header.name, next)) return zq::rc::bad_signal_record;
    // One ignored byte, then the carrier period byte.
    if (record.size() < next + 2) return zq::rc::bad_signal_record;
    header.shared_carrier = record[next + 1];
    header.first_reading = next + 2;
  } else {
    if (record.size() < 2 || record[1] != 2) return zq::rc::bad_signal_record;
    header.format = signal_format_t::version2;
    if (!read_name(record, 2, header.name, next)) return zq::rc::bad_signal_record;
    if (record.size() < next + 2) return zq::rc::bad_signal_record;
    header.stored_readings = zq::load_be16(record.data() + next);
    header.first_reading = next + 2;
  }
  out = header;
  return zq::rc::ok;
}

zq::result_t read_signal_reading(std::span<const std::uint8_t> record, const signal_record_header& header,
                                 std::size_t offset, signal_reading_view& out) {
  signal_reading_view reading;
  std::size_t items_offset = 0;
  if (header.format == signal_format_t::version2) {
    if (offset > record.size() || record.size() - offset < 6) return zq::rc::signal_without_items;
    const std::uint8_t* p = record.data() + offset;
    reading.carrier_period = zq::load_be16(p);
    reading.item_count = zq::load_be16(p + 2);
    reading.repeat_index = zq::load_be16(p + 4);
    items_offset = offset + 6;
  } else {
    if (offset > record.size() || record.size() - offset < 2) return zq::rc::signal_without_items;
    reading.carrier_period = header.shared_carrier;
    reading.repeat_index = record[offset];
    reading.item_count = record[offset + 1];
    items_offset = offset + 2;
  }
  const std::size_t items_size = std::size_t{reading.item_count} * 2;
  if (record.size() - items_offset < items_size) return zq::rc::signal_without_items;
  reading.items = record.subspan(items_offset, items_size);
  reading.end = items_offset + items_size;
  out = reading;
  return zq::rc::ok;
}

bool version1_second_reading_present(std::span<const std::uint8_t> record, std::size_t offset) {
  return offset + 2 < record.size() && record[offset + 1] != 0;
}

}  // namespace redeye
