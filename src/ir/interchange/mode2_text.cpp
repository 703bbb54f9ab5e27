#include "ir/interchange/mode2_text.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

namespace redeye {
namespace {

constexpr std::uint64_t longest_duration = std::numeric_limits<std::int32_t>::max();
constexpr std::uint64_t highest_frequency = 1000000;
constexpr std::uint32_t lirc_default_frequency = 38000;

bool starts_with(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

interchange_read failure(zq::result_t code, std::size_t line) {
  interchange_read failed;
  failed.code = code;
  failed.line = line;
  return failed;
}

}  // namespace

interchange_read read_mode2(std::string_view text, std::string_view name) {
  if (name.empty() || name.find('\0') != std::string_view::npos) return failure(zq::rc::interchange_syntax, 0);
  std::vector<std::int64_t> durations;
  std::uint32_t frequency = lirc_default_frequency;
  text_lines lines(text);
  std::string_view line;
  while (lines.next(line)) {
    const std::string_view content = trim_blanks(line);
    if (content.empty() || content.front() == '#' || starts_with(content, "Using ") ||
        starts_with(content, "Trying ")) {
      continue;
    }
    const std::vector<std::string_view> words = split_words(content);
    if (words.size() != 2) return failure(zq::rc::interchange_syntax, lines.number());
    const std::string_view kind = words[0];
    const bool pulse = kind == "pulse";
    const bool carrier = kind == "carrier";
    if (!pulse && !carrier && kind != "space" && kind != "timeout") {
      return failure(zq::rc::interchange_syntax, lines.number());
    }
    const std::optional<std::uint64_t> value = parse_decimal(words[1], carrier ? highest_frequency : longest_duration);
    if (!value) return failure(zq::rc::interchange_number, lines.number());
    if (carrier) {
      frequency = static_cast<std::uint32_t>(*value);
    } else if (pulse || !durations.empty()) {
      const auto magnitude = static_cast<std::int64_t>(*value);
      // Neighbours of one kind are added here already, so that the list stays as short as the signal.
      const std::int64_t signed_value = pulse ? magnitude : -magnitude;
      if (!durations.empty() && (durations.back() < 0) == (signed_value < 0) &&
          std::abs(durations.back() + signed_value) <= static_cast<std::int64_t>(longest_duration)) {
        durations.back() += signed_value;
      } else {
        durations.push_back(signed_value);
      }
      if (durations.size() > interchange_max_durations) {
        return failure(zq::rc::interchange_signal_size, lines.number());
      }
    }
  }
  if (durations.empty()) return failure(zq::rc::interchange_no_signals, 0);
  named_signal signal{std::string(name), {signal_data{}}};
  if (const zq::result_t code = normalise_durations(durations, 0, period_of_frequency(frequency), signal.readings.front());
      code != zq::rc::ok) {
    return failure(code, 0);
  }
  interchange_read result;
  result.signals.push_back(std::move(signal));
  return result;
}

std::string write_mode2(const signal_data& signal) {
  const alternating_durations written = alternate(signal, false);
  std::string text = "carrier " + std::to_string(frequency_of_period(signal.carrier_period)) + '\n';
  for (std::size_t i = 0; i < written.magnitudes.size(); ++i) {
    text += (i % 2 == 0 ? "pulse " : "space ") + std::to_string(written.magnitudes[i]) + '\n';
  }
  return text;
}

}  // namespace redeye
