// Writing signal records: a new record with one reading, and an existing record of either format
// version with one more reading, both written as format version 2.
#include <utility>

#include "base/byte_order.h"
#include "ir/signal_data.h"
#include "ir/signal_items.h"
#include "ir/signal_record_layout.h"

namespace redeye {

namespace {

constexpr std::uint64_t max_items_per_reading = 0xFFFF;
constexpr std::size_t max_durations = 0xFFFF;
constexpr std::uint32_t max_readings = 0xFFFF;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  const std::size_t at = out.size();
  out.resize(at + 2);
  zq::store_be16(out.data() + at, v);
}

// 0x00 0x02, the name, its NUL, the pad byte that puts the next field at an even offset, and R.
void write_header(std::vector<std::uint8_t>& out, std::string_view name, std::uint16_t readings) {
  out.push_back(0x00);
  out.push_back(0x02);
  out.insert(out.end(), name.begin(), name.end());
  out.push_back(0x00);
  if (out.size() % 2 != 0) out.push_back(0x00);
  put16(out, readings);
}

// The number of items the signal needs, or 0 when it cannot be stored: no durations, more
// durations than a signal counts, or more items than a reading counts.
std::uint16_t storable_item_count(const signal_data& signal) {
  if (signal.durations.empty() || signal.durations.size() > max_durations) return 0;
  const std::uint64_t items = items_for_durations(signal.durations);
  return items > max_items_per_reading ? 0 : static_cast<std::uint16_t>(items);
}

void write_reading(std::vector<std::uint8_t>& out, const signal_data& signal, std::uint16_t item_count) {
  put16(out, signal.carrier_period);
  put16(out, item_count);
  put16(out, signal.repeat_index);
  out.reserve(out.size() + std::size_t{item_count} * 2);
  for (const std::int32_t d : signal.durations) {
    for_each_item(d, [&out](std::int16_t item) { put16(out, static_cast<std::uint16_t>(item)); });
  }
}

// A reading copied from a record of either format version, written in the layout of version 2.
void copy_reading(std::vector<std::uint8_t>& out, const signal_reading_view& reading) {
  put16(out, reading.carrier_period);
  put16(out, reading.item_count);
  put16(out, reading.repeat_index);
  out.insert(out.end(), reading.items.begin(), reading.items.end());
}

// Every reading the record holds: R for version 2, one or two for version 1. 1061 when one of them
// runs past the end of the record.
zq::result_t collect_readings(std::span<const std::uint8_t> record, const signal_record_header& header,
                              std::vector<signal_reading_view>& readings) {
  signal_reading_view reading;
  std::size_t offset = header.first_reading;
  if (header.format == signal_format_t::version1) {
    if (const zq::result_t rc = read_signal_reading(record, header, offset, reading); rc != zq::rc::ok) return rc;
    readings.push_back(reading);
    if (version1_second_reading_present(record, reading.end)) {
      if (const zq::result_t rc = read_signal_reading(record, header, reading.end, reading); rc != zq::rc::ok) {
        return rc;
      }
      readings.push_back(reading);
    }
    return zq::rc::ok;
  }
  for (unsigned i = 0; i < header.stored_readings; ++i) {
    if (const zq::result_t rc = read_signal_reading(record, header, offset, reading); rc != zq::rc::ok) return rc;
    readings.push_back(reading);
    offset = reading.end;
  }
  return zq::rc::ok;
}

}  // namespace

zq::result_t encode_signal_record(std::string_view name, const signal_data& signal, std::vector<std::uint8_t>& out) {
  // A NUL inside the name would end it early and make the record unreadable under that name.
  if (name.find('\0') != std::string_view::npos) return zq::rc::signal_without_items;
  const std::uint16_t items = storable_item_count(signal);
  if (items == 0) return zq::rc::signal_without_items;

  // Built aside, so that name may point into out.
  std::vector<std::uint8_t> record;
  record.reserve(name.size() + 10 + std::size_t{items} * 2);
  write_header(record, name, 1);
  write_reading(record, signal, items);
  out = std::move(record);
  return zq::rc::ok;
}

zq::result_t append_signal_reading(std::span<const std::uint8_t> record, const signal_data& signal,
                                   std::vector<std::uint8_t>& out) {
  const std::uint16_t items = storable_item_count(signal);
  if (items == 0) return zq::rc::signal_without_items;

  signal_record_header header;
  if (read_signal_header(record, header) != zq::rc::ok) return zq::rc::signal_without_items;
  std::vector<signal_reading_view> readings;
  if (collect_readings(record, header, readings) != zq::rc::ok) return zq::rc::signal_without_items;
  if (readings.size() >= max_readings) return zq::rc::signal_without_items;

  // Built aside, so that record may be the contents of out.
  std::vector<std::uint8_t> appended;
  appended.reserve(record.size() + 16 + std::size_t{items} * 2);
  write_header(appended, header.name, static_cast<std::uint16_t>(readings.size() + 1));
  for (const signal_reading_view& reading : readings) copy_reading(appended, reading);
  write_reading(appended, signal, items);
  out = std::move(appended);
  return zq::rc::ok;
}

}  // namespace redeye
