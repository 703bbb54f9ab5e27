#include "ir/interchange/interchange_signal.h"

#include <charconv>
#include <limits>

namespace redeye {

zq::result_t normalise_durations(const std::vector<std::int64_t>& durations, std::size_t repeat_at,
                                 std::uint16_t carrier_period, signal_data& out) {
  std::vector<std::int64_t> merged;
  std::optional<std::size_t> repeat;
  for (std::size_t i = 0; i < durations.size(); ++i) {
    const std::int64_t value = durations[i];
    const bool starts_new = merged.empty() || (merged.back() < 0) != (value < 0);
    if (starts_new) {
      merged.push_back(value);
    } else {
      merged.back() += value;
    }
    if (i == repeat_at) repeat = merged.size() - 1;
    // Readers hand over values within 32 bits and the walk stops as soon as a sum leaves that
    // range, so the 64-bit sum never overflows.
    if (merged.back() > std::numeric_limits<std::int32_t>::max() ||
        merged.back() < -std::numeric_limits<std::int32_t>::max()) {
      return zq::rc::interchange_number;
    }
  }
  if (merged.size() > 1 && merged.front() == 0) {
    merged.erase(merged.begin());
    if (repeat && *repeat > 0) --*repeat;
  }
  if (merged.empty() || merged.size() > interchange_max_durations) return zq::rc::interchange_signal_size;
  signal_data signal;
  signal.durations.assign(merged.begin(), merged.end());
  signal.carrier_period = carrier_period;
  signal.repeat_index = static_cast<std::uint16_t>(repeat ? *repeat : merged.size());
  out = std::move(signal);
  return zq::rc::ok;
}

alternating_durations alternate(const signal_data& signal, bool pairs) {
  alternating_durations out;
  out.repeat_index = signal.repeat_index;
  // Merge as a codebase does, so that the written form alternates strictly.
  std::vector<std::int64_t> merged;
  std::size_t repeat = signal.durations.size();
  for (std::size_t i = 0; i < signal.durations.size(); ++i) {
    const std::int64_t value = signal.durations[i];
    if (merged.empty() || (merged.back() < 0) != (value < 0)) {
      merged.push_back(value);
    } else {
      merged.back() += value;
    }
    if (i == signal.repeat_index) repeat = merged.size() - 1;
  }
  if (signal.repeat_index >= signal.durations.size()) repeat = merged.size();
  if (!merged.empty() && merged.front() < 0) {
    out.magnitudes.push_back(0);
    ++repeat;
  }
  for (const std::int64_t value : merged) {
    const std::int64_t magnitude = value < 0 ? -value : value;
    out.magnitudes.push_back(magnitude > std::numeric_limits<std::uint32_t>::max()
                                 ? std::numeric_limits<std::uint32_t>::max()
                                 : static_cast<std::uint32_t>(magnitude));
  }
  const bool has_repeat = repeat < out.magnitudes.size();
  if (pairs && out.magnitudes.size() % 2 != 0) out.magnitudes.push_back(0);
  out.repeat_index = has_repeat ? repeat : out.magnitudes.size();
  return out;
}

std::uint32_t frequency_of_period(std::uint16_t period) {
  if (period == 0) return 0;
  return (2000000u / period + 1) / 2;
}

std::uint16_t period_of_frequency(std::uint32_t frequency) {
  if (frequency == 0) return 0;
  const std::uint64_t period = (2000000ull / frequency + 1) / 2;
  return static_cast<std::uint16_t>(period > 0xFFFF ? 0xFFFF : period);
}

std::optional<std::uint64_t> parse_decimal(std::string_view text, std::uint64_t max) {
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end || value > max) return std::nullopt;
  return value;
}

bool text_lines::next(std::string_view& line) {
  if (done_) return false;
  const std::size_t end = rest_.find('\n');
  if (end == std::string_view::npos) {
    done_ = true;
    if (rest_.empty()) return false;
    line = rest_;
    rest_ = {};
  } else {
    line = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
  }
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  ++number_;
  return true;
}

std::vector<std::string_view> split_words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
    if (at > start) words.push_back(line.substr(start, at - start));
  }
  return words;
}

std::string_view trim_blanks(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

}  // namespace redeye
