#include "ir/interchange/gc_sendir.h"

#include <cctype>
#include <cstdint>
#include <optional>

#include "ir/interchange/named_code_list.h"

namespace redeye {
namespace {

constexpr std::uint64_t lowest_frequency = 15000;
constexpr std::uint64_t highest_frequency = 500000;
constexpr std::uint64_t most_repeats = 50;
constexpr std::uint64_t longest_time = 0xFFFF;
// Times a code may hold: an even count whose repeat offset still fits 16 bits.
constexpr std::size_t most_times = 0xFFFE;
// Passes written for a signal with a repeated part.
constexpr unsigned default_repeats = 3;

std::vector<std::string_view> split_fields(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t comma = line.find(',');
    fields.push_back(trim_blanks(line.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return fields;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// "M:C" with both parts decimal numbers.
bool is_connector_address(std::string_view field) {
  const std::size_t colon = field.find(':');
  return colon != std::string_view::npos && parse_decimal(field.substr(0, colon), 0xFFFF) &&
         parse_decimal(field.substr(colon + 1), 0xFFFF);
}

bool has_letter(std::string_view field) {
  for (const char c : field) {
    if (std::isalpha(static_cast<unsigned char>(c))) return true;
  }
  return false;
}

}  // namespace

zq::result_t read_gc_sendir(std::string_view line, signal_data& out) {
  const std::vector<std::string_view> fields = split_fields(line);
  if (fields.size() < 6 || !equal_ignoring_case(fields[0], "sendir") || !is_connector_address(fields[1])) {
    return zq::rc::interchange_syntax;
  }
  const std::optional<std::uint64_t> id = parse_decimal(fields[2], 0xFFFF);
  const std::optional<std::uint64_t> frequency = parse_decimal(fields[3], highest_frequency);
  const std::optional<std::uint64_t> repeats = parse_decimal(fields[4], most_repeats);
  const std::optional<std::uint64_t> offset = parse_decimal(fields[5], most_times);
  if (!id || !frequency || *frequency < lowest_frequency || !repeats || *repeats == 0 || !offset) {
    return zq::rc::interchange_number;
  }
  const std::size_t count = fields.size() - 6;
  std::vector<std::int64_t> durations;
  durations.reserve(count);
  for (std::size_t i = 6; i < fields.size(); ++i) {
    const std::optional<std::uint64_t> cycles = parse_decimal(fields[i], longest_time);
    if (!cycles) return has_letter(fields[i]) ? zq::rc::interchange_unsupported : zq::rc::interchange_number;
    // Cycles times the period, rounded: cycles * 1000000 / frequency.
    const auto microseconds = static_cast<std::int64_t>((*cycles * 2000000 / *frequency + 1) / 2);
    durations.push_back((i - 6) % 2 == 0 ? microseconds : -microseconds);
  }
  if (count == 0 || count % 2 != 0 || count > most_times) return zq::rc::interchange_signal_size;
  if (*offset % 2 == 0 || *offset > count) return zq::rc::interchange_number;
  const std::size_t repeat_at = (*repeats == 1 && *offset == 1) ? count : *offset - 1;
  return normalise_durations(durations, repeat_at, period_of_frequency(static_cast<std::uint32_t>(*frequency)), out);
}

zq::result_t write_gc_sendir(const signal_data& signal, std::string& out) {
  const std::uint32_t frequency = frequency_of_period(signal.carrier_period);
  if (frequency < lowest_frequency || frequency > highest_frequency) return zq::rc::interchange_cannot_hold;
  const alternating_durations written = alternate(signal, true);
  const std::size_t count = written.magnitudes.size();
  if (count == 0 || count > most_times || written.repeat_index % 2 != 0) return zq::rc::interchange_cannot_hold;
  const bool repeats = written.repeat_index < count;
  std::string text = "sendir,1:1,1," + std::to_string(frequency) + ',' +
                     std::to_string(repeats ? default_repeats : 1) + ',' +
                     std::to_string(repeats ? written.repeat_index + 1 : 1);
  for (const std::uint32_t magnitude : written.magnitudes) {
    // Microseconds times the frequency, rounded: magnitude * frequency / 1000000.
    std::uint64_t cycles = (std::uint64_t{magnitude} * frequency * 2 / 1000000 + 1) / 2;
    if (cycles == 0 && magnitude > 0) cycles = 1;
    if (cycles > longest_time) return zq::rc::interchange_cannot_hold;
    text += ',' + std::to_string(cycles);
  }
  out = std::move(text);
  return zq::rc::ok;
}

interchange_read read_gc_sendir_list(std::string_view text, std::string_view default_name) {
  return read_named_code_list(text, default_name, read_gc_sendir);
}

interchange_write write_gc_sendir_list(const std::vector<named_signal>& signals) {
  return write_named_code_list(signals, write_gc_sendir);
}

}  // namespace redeye
