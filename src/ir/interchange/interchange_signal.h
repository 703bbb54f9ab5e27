// What the interchange formats (Pronto hex lists, LIRC, Global Cache, Flipper) carry between this
// program and other IR tools: named signals, and the rules shared by every reader and writer for
// turning a list of marks and spaces into a signal_data and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "ir/signal_data.h"

namespace redeye {

// One button: its name and its readings (the first is what a single press sends; a second one, as
// a codebase keeps for toggling protocols and double learning, is sent on the next press).
struct named_signal {
  std::string name;
  std::vector<signal_data> readings;
};

// Outcome of reading an interchange text: the signals in text order, or the failure's code and the
// 1-based number of the line it was found on (0 when the text ended too soon or holds no signal),
// or the name of the signal it belongs to when the line is not known.
struct interchange_read {
  zq::result_t code = zq::rc::ok;
  std::size_t line = 0;
  std::string failed_name;
  std::vector<named_signal> signals;
};

// Outcome of writing signals in a format: the text, or the failure's code and the name of the
// signal that failed (1096 when the format cannot hold it).
struct interchange_write {
  zq::result_t code = zq::rc::ok;
  std::string failed_name;
  std::string text;
};

// A signal holds at most this many durations: its count and repeat index are 16-bit.
inline constexpr std::size_t interchange_max_durations = 0xFFFF;

// Turns durations read from a file (marks positive, spaces negative, zero counting as a mark) into
// the signal a codebase would give back after storing them: neighbours of the same kind become one
// duration (their sum), and a zero mark at the very start, which sends nothing, is dropped (writers
// put one there for a signal that starts with a space). repeat_at is the position in `durations`
// where the repeated part starts (at or past the end: none); it moves to the merged duration that
// holds that position. 1094 when nothing is left or more than interchange_max_durations are, 1092
// when a merged duration does not fit 32 bits. Every value must lie within +-2^32. out is changed only on success.
[[nodiscard]] zq::result_t normalise_durations(const std::vector<std::int64_t>& durations, std::size_t repeat_at,
                                               std::uint16_t carrier_period, signal_data& out);

// A signal as the alternating form text formats write: magnitudes in microseconds, even positions
// marks and odd ones spaces, the first a mark. A signal that starts with a space gets a zero mark
// in front; with `pairs`, a signal of an odd count gets a zero space at the end (which a reader
// merges into the mark before it). repeat_index is moved with the leading zero mark; at or past
// the count it stays "none" (equal to the count).
struct alternating_durations {
  std::vector<std::uint32_t> magnitudes;
  std::size_t repeat_index = 0;
};
alternating_durations alternate(const signal_data& signal, bool pairs);

// Whole-hertz carrier frequency for a period in microseconds (nearest), and back; 0 stays 0. A
// period up to 999 microseconds comes back unchanged from its frequency.
std::uint32_t frequency_of_period(std::uint16_t period);
std::uint16_t period_of_frequency(std::uint32_t frequency);

// Reads a decimal number without sign of at most max; nothing for anything else.
std::optional<std::uint64_t> parse_decimal(std::string_view text, std::uint64_t max);

// Lines of a text, numbered from 1, each without its line break (LF, with a CR before it dropped).
class text_lines {
 public:
  explicit text_lines(std::string_view text) : rest_(text) {}
  // The next line, or false at the end of the text.
  bool next(std::string_view& line);
  std::size_t number() const { return number_; }

 private:
  std::string_view rest_;
  std::size_t number_ = 0;
  bool done_ = false;
};

// The words of a line, separated by blanks and tabs.
std::vector<std::string_view> split_words(std::string_view line);

// The line without blanks and tabs at either end.
std::string_view trim_blanks(std::string_view line);

}  // namespace redeye
