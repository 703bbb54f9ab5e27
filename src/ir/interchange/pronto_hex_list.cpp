#include "ir/interchange/pronto_hex_list.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ir/interchange/named_code_list.h"
#include "ir/pronto_parser.h"

namespace redeye {
namespace {

// The most durations a code can announce that the parser still reads (count and repeat index are
// 16-bit, and the count is even).
constexpr std::size_t longest_code = 0xFFFE;

// The frequency word whose period is exactly `period`, the one nearest the true frequency; 0 when
// no word gives that period.
std::uint16_t frequency_word_for(std::uint16_t period) {
  std::uint16_t best = 0;
  double best_distance = 0;
  const double ideal = period * 4.145146;  // 4145146 / (1000000 / period)
  for (std::uint16_t word = pronto_lowest_frequency_word; word <= pronto_highest_frequency_word; ++word) {
    if (pronto_carrier_period(word) != period) continue;
    const double distance = std::abs(word - ideal);
    if (best == 0 || distance < best_distance) {
      best = word;
      best_distance = distance;
    }
  }
  return best;
}

void append_word(std::string& out, std::uint32_t word) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(word));
  if (!out.empty()) out += ' ';
  out += text;
}

}  // namespace

zq::result_t read_pronto_code(std::string_view line, signal_data& out) {
  const pronto_result parsed = parse_pronto(line, longest_code);
  if (parsed.code != zq::rc::ok) return parsed.code;
  const std::vector<std::int64_t> durations(parsed.signal.durations.begin(), parsed.signal.durations.end());
  return normalise_durations(durations, parsed.signal.repeat_index, parsed.signal.carrier_period, out);
}

zq::result_t write_pronto_code(const signal_data& signal, std::string& out) {
  const std::uint16_t period = signal.carrier_period;
  const std::uint16_t frequency_word = period == 0 ? 0 : frequency_word_for(period);
  if (frequency_word == 0) return zq::rc::interchange_cannot_hold;
  const alternating_durations written = alternate(signal, true);
  const std::size_t count = written.magnitudes.size();
  if (count == 0 || count > longest_code || written.repeat_index % 2 != 0) return zq::rc::interchange_cannot_hold;
  std::string text;
  append_word(text, 0);
  append_word(text, frequency_word);
  append_word(text, written.repeat_index / 2);
  append_word(text, (count - written.repeat_index) / 2);
  for (const std::uint32_t magnitude : written.magnitudes) {
    std::uint64_t cycles = (std::uint64_t{magnitude} + period / 2) / period;
    if (cycles == 0 && magnitude > 0) cycles = 1;
    if (cycles > 0xFFFF) return zq::rc::interchange_cannot_hold;
    append_word(text, static_cast<std::uint32_t>(cycles));
  }
  out = std::move(text);
  return zq::rc::ok;
}

interchange_read read_pronto_list(std::string_view text, std::string_view default_name) {
  return read_named_code_list(text, default_name, read_pronto_code);
}

interchange_write write_pronto_list(const std::vector<named_signal>& signals) {
  return write_named_code_list(signals, write_pronto_code);
}

}  // namespace redeye
