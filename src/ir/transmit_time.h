// How many passes one transmission makes: the pass count a caller hands over with a signal, the
// default for a signal sent directly, and the conversion of a transmit time into passes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace redeye {

// Pass counts: 0 means the default of three passes, 0xFFFF one pass, any other n means n passes.
inline constexpr std::uint16_t passes_default = 0;
inline constexpr std::uint16_t passes_once = 0xFFFF;
inline constexpr unsigned default_pass_total = 3;

// What a caller hands to the transmit pipeline besides the signal itself.
struct transmission {
  std::uint16_t pass_count = passes_default;
  int hold_key = 0;  // 0 none; otherwise the virtual key whose held state prolongs the send (1: stylus)
};

// The number of passes a pass count stands for (3 for 0, 1 for 0xFFFF, n otherwise).
unsigned passes_of(std::uint16_t pass_count);

// The pass count of a signal sent directly (screen button, hard button, test button) rather than
// from a macro: one pass for "Vol+" and "Vol-" (so volume does not jump by three), else the default.
std::uint16_t default_pass_count(std::string_view signal_name);

// Converts a transmit time in milliseconds into a pass count: the number of whole passes that have
// ended by the time the played durations reach the time, walking the first pass from the start and
// later passes from the repeat index. 1 when the time is 0 or the signal has no repeated part (the
// repeat index at or past the count); at least 1; the walk stops after 5000 passes.
std::uint16_t passes_for_time(std::span<const std::int32_t> durations, std::uint16_t repeat_index,
                              std::uint32_t milliseconds);

}  // namespace redeye
