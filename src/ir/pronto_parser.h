// Pronto hex text: the published notation of learned IR codes as four-digit hexadecimal words,
// parsed into a signal_data.
//
// Accepted text: words of exactly four hexadecimal digits (either case) separated by blanks, tabs,
// carriage returns and line feeds, with separators allowed before the first and after the last.
// Word 1 is the format (only 0000, a raw learned code), word 2 the carrier frequency word F
// (20..2072), words 3 and 4 the burst pairs of the once and the repeat sequence (A and B, not both
// 0), then exactly 2(A+B) burst words, on and off times in carrier cycles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "base/result.h"
#include "ir/signal_data.h"

namespace redeye {

inline constexpr std::uint16_t pronto_lowest_frequency_word = 20;
inline constexpr std::uint16_t pronto_highest_frequency_word = 2072;
inline constexpr std::size_t pronto_default_limit = 1000;

// Carrier period in whole microseconds for a frequency word in 20..2072: 4145146 / F is the
// carrier frequency in Hz, and both divisions drop the fraction. Word 006D gives 38028 Hz and 26.
// The period does not fall as F rises, so it lies between 4 (F = 20) and 500 (F = 2072); the
// frequency never drops below 2000 Hz, so the second division never divides by zero.
constexpr std::uint16_t pronto_carrier_period(std::uint16_t frequency_word) {
  return static_cast<std::uint16_t>(1000000u / (4145146u / frequency_word));
}

// The longest duration a burst word can give: FFFF cycles of the longest period. It fits a
// signed 32-bit duration with room to spare, so durations need no clamping.
inline constexpr std::int64_t pronto_longest_duration =
    std::int64_t{0xFFFF} * pronto_carrier_period(pronto_highest_frequency_word);
static_assert(pronto_carrier_period(pronto_lowest_frequency_word) == 4);
static_assert(pronto_carrier_period(pronto_highest_frequency_word) == 500);
static_assert(pronto_longest_duration == 32767500);
static_assert(pronto_longest_duration <= std::numeric_limits<std::int32_t>::max());

// Outcome of a parse. Success: category 0, code 0 and the signal. Failure: the class of the code
// (see classify_pronto_code), the code, and an empty signal (no durations, period and repeat 0).
struct pronto_result {
  int category = 0;
  zq::result_t code = zq::rc::ok;
  signal_data signal;
};

// The category a parser code reports: 0 for success, 1 below 100, 2 for 100..199, 3 for
// 200..299, 4 for 300..399, 5 for 400..499. A code of 500 or more is reported as code -1 with
// category 1.
struct pronto_failure {
  int category = 0;
  zq::result_t code = zq::rc::ok;
};
[[nodiscard]] pronto_failure classify_pronto_code(zq::result_t code);

// Parses the text. The signal's durations are the burst words times the carrier period, marks
// (even positions) positive and spaces (odd positions) negative; a zero word gives a zero
// duration, which counts as a mark even at a space's position. The repeat index is 2A, so a code
// without a repeat sequence has a repeat index equal to its count and one with no once sequence
// repeats whole. More than limit durations is code 300; a limit above 65534 acts as 65534 because
// the count and the repeat index are 16-bit.
//
// The text is read only within its size; a NUL byte inside it is a character like any other (a
// non-hexadecimal one). An empty text is code 11; a text of separators only lacks word 1 (101).
// A word reading error stops the parse with its own code, even where a word would be one too many.
[[nodiscard]] pronto_result parse_pronto(std::string_view text, std::size_t limit = pronto_default_limit);

}  // namespace redeye
