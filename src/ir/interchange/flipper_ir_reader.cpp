#include "ir/interchange/flipper_ir_reader.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "base/text_words.h"

namespace redeye {
namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Space-separated words of a value.
template <typename Visit>
bool for_each_word(std::string_view text, Visit visit) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = text.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    std::size_t end = text.find_first_of(" \t", start);
    if (end == std::string_view::npos) end = text.size();
    if (!visit(text.substr(start, end - start))) return false;
    at = end;
  }
  return true;
}

// Up to four bytes of one or two hexadecimal digits, least significant first.
bool parse_hex_bytes(std::string_view text, std::uint32_t& out) {
  std::uint32_t value = 0;
  unsigned count = 0;
  const bool words_ok = for_each_word(text, [&](std::string_view word) {
    if (count == 4 || word.empty() || word.size() > 2) return false;
    unsigned byte = 0;
    for (const char c : word) {
      const int digit = hex_digit(c);
      if (digit < 0) return false;
      byte = byte * 16 + static_cast<unsigned>(digit);
    }
    value |= byte << (8 * count);
    ++count;
    return true;
  });
  if (!words_ok || count == 0) return false;
  out = value;
  return true;
}

// A decimal number from low to high inclusive.
bool parse_decimal(std::string_view word, std::uint64_t low, std::uint64_t high, std::uint64_t& out) {
  if (word.empty() || word.size() > 10) return false;
  std::uint64_t value = 0;
  for (const char c : word) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value < low || value > high) return false;
  out = value;
  return true;
}

// A decimal fraction such as "0.330000"; digits and at most one point only.
bool parse_fraction(std::string_view word, double& out) {
  if (word.empty() || word.size() > 32) return false;
  bool point = false;
  bool digit = false;
  for (const char c : word) {
    if (c == '.') {
      if (point) return false;
      point = true;
    } else if (c >= '0' && c <= '9') {
      digit = true;
    } else {
      return false;
    }
  }
  if (!digit) return false;
  const std::string copy(word);
  const double value = std::strtod(copy.c_str(), nullptr);
  if (!std::isfinite(value) || value <= 0.0 || value > 1.0) return false;
  out = value;
  return true;
}

// The fields of the button being read, each remembered as given or not.
struct button_state {
  flipper_ir_signal signal;
  bool has_type = false;
  bool has_protocol = false;
  bool has_address = false;
  bool has_command = false;
  bool has_frequency = false;
  bool has_duty_cycle = false;

  bool complete() const {
    if (!has_type) return false;
    if (signal.kind == flipper_ir_kind_t::parsed) return has_protocol && has_address && has_command;
    return has_frequency && !signal.durations.empty();
  }
};

bool read_data(std::string_view value, std::vector<std::int32_t>& durations) {
  return for_each_word(value, [&](std::string_view word) {
    std::uint64_t duration = 0;
    if (durations.size() == flipper_ir_max_durations || !parse_decimal(word, 1, 0x7FFFFFFF, duration)) return false;
    const auto magnitude = static_cast<std::int32_t>(duration);
    durations.push_back(durations.size() % 2 == 0 ? magnitude : -magnitude);
    return true;
  });
}

// Applies one "key: value" line to the button; false when the line is not acceptable.
bool apply_field(button_state& button, std::string_view key, std::string_view value) {
  flipper_ir_signal& signal = button.signal;
  if (key == "type") {
    if (button.has_type) return false;
    if (value == "parsed") {
      signal.kind = flipper_ir_kind_t::parsed;
    } else if (value == "raw") {
      signal.kind = flipper_ir_kind_t::raw;
    } else {
      return false;
    }
    button.has_type = true;
    return true;
  }
  const bool parsed = button.has_type && signal.kind == flipper_ir_kind_t::parsed;
  const bool raw = button.has_type && signal.kind == flipper_ir_kind_t::raw;
  if (key == "protocol") {
    if (!parsed || button.has_protocol || value.empty()) return false;
    signal.protocol = std::string(value);
    button.has_protocol = true;
    return true;
  }
  if (key == "address" || key == "command") {
    bool& seen = key == "address" ? button.has_address : button.has_command;
    if (!parsed || seen) return false;
    seen = true;
    return parse_hex_bytes(value, key == "address" ? signal.address : signal.command);
  }
  if (key == "frequency") {
    std::uint64_t frequency = 0;
    if (!raw || button.has_frequency || !parse_decimal(value, 1, 1000000, frequency)) return false;
    signal.frequency = static_cast<std::uint32_t>(frequency);
    button.has_frequency = true;
    return true;
  }
  if (key == "duty_cycle") {
    if (!raw || button.has_duty_cycle) return false;
    button.has_duty_cycle = true;
    return parse_fraction(value, signal.duty_cycle);
  }
  // Long raw buttons may spread their data over several lines; they continue the alternation.
  if (key == "data") return raw && read_data(value, signal.durations);
  return button.has_type;  // an unknown key, accepted once the button's type is known
}

}  // namespace

zq::result_t read_flipper_ir(std::string_view text, std::vector<flipper_ir_signal>& out, std::size_t* error_line) {
  std::vector<flipper_ir_signal> signals;
  std::optional<button_state> button;
  unsigned header_lines = 0;  // 0: expecting Filetype, 1: expecting Version, 2: buttons
  std::size_t line_number = 0;
  const auto fail = [&](std::size_t line) {
    if (error_line != nullptr) *error_line = line;
    return zq::rc::flipper_ir_malformed;
  };
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = zq::trim_blanks(text.substr(at, end - at));
    at = end + 1;
    ++line_number;
    if (line.empty() || line.front() == '#') continue;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return fail(line_number);
    const std::string_view key = zq::trim_blanks(line.substr(0, colon));
    const std::string_view value = zq::trim_blanks(line.substr(colon + 1));
    if (header_lines == 0) {
      if (key != "Filetype" || (value != "IR signals file" && value != "IR library file")) return fail(line_number);
      ++header_lines;
      continue;
    }
    if (header_lines == 1) {
      if (key != "Version" || value != "1") return fail(line_number);
      ++header_lines;
      continue;
    }
    if (key == "name") {
      if (button) {
        if (!button->complete()) return fail(line_number);
        signals.push_back(std::move(button->signal));
      }
      if (value.empty() || value.find('\0') != std::string_view::npos) return fail(line_number);
      button.emplace();
      button->signal.name = std::string(value);
      continue;
    }
    if (!button || !apply_field(*button, key, value)) return fail(line_number);
  }
  if (header_lines < 2) return fail(0);
  if (button) {
    if (!button->complete()) return fail(0);
    signals.push_back(std::move(button->signal));
  }
  out = std::move(signals);
  return zq::rc::ok;
}

}  // namespace redeye
