// The waveform a driver plays for one signal, and the rules every driver shares for turning
// durations into carrier cycles and timer ticks. Pure: no hardware is touched here.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"
#include "ir/signal_data.h"

namespace redeye {

// The processor timers that pace the LED, named by their rate.
enum class timer_rate_t {
  mhz_3_6864,  // SA-11x0 and PXA25x/26x OS timer
  mhz_3_25,    // PXA27x OS timer
};

inline constexpr double ticks_per_us_3_6864 = 3.6864;
inline constexpr double ticks_per_us_3_25 = 3.25;
// Spaces are timed in whole ticks per millisecond (3686 rather than 3686.4 on the faster timer).
inline constexpr std::uint32_t space_ticks_per_ms_3_6864 = 3686;
inline constexpr std::uint32_t space_ticks_per_ms_3_25 = 3250;

constexpr double ticks_per_microsecond(timer_rate_t rate) {
  return rate == timer_rate_t::mhz_3_6864 ? ticks_per_us_3_6864 : ticks_per_us_3_25;
}

inline constexpr std::size_t max_driver_durations = 300;
// The space added after a signal that ends in a mark and has no repeated part, so that the
// receiving device sees the end of the code.
inline constexpr std::int32_t closing_space = -500000;
// Carrier periods (microseconds) a driver accepts; others are played at the fallback period.
inline constexpr std::uint16_t min_carrier_period = 10;
inline constexpr std::uint16_t max_carrier_period = 50;
inline constexpr std::uint16_t fallback_carrier_period = 26;

// One carrier cycle in timer ticks: on for high, off for low; high + low == cycle.
struct carrier_ticks {
  std::uint32_t cycle = 0;
  std::uint32_t high = 0;
  std::uint32_t low = 0;
};

struct driver_waveform {
  std::vector<std::int32_t> durations;  // at most 300, the closing space included
  std::uint16_t repeat_index = 0;
  std::uint16_t carrier_period = 0;     // the period played, after the fallback
  carrier_ticks carrier;

  std::uint16_t count() const { return static_cast<std::uint16_t>(durations.size()); }
};

// Carrier half-periods for a period at a timer rate: x = period * T; the cycle is the integer part
// of x, one more when the fraction is greater than 0.4; high = cycle - cycle / 2, low = cycle / 2.
carrier_ticks carrier_ticks_for(std::uint16_t period, double ticks_per_microsecond);

// Prepares a signal for a driver: keeps the first 300 durations; appends the closing space (and
// moves the repeat index past it) when the kept list ends in a mark, holds fewer than 300
// durations and has no repeated part; replaces a carrier period outside 10..50 by 26; computes
// the carrier ticks. 11 when there are no durations, 12 when the carrier period is 0. out is
// changed only on success.
[[nodiscard]] zq::result_t load_for_driver(std::span<const std::int32_t> durations, std::uint16_t repeat_index,
                                           std::uint16_t carrier_period, double ticks_per_microsecond,
                                           driver_waveform& out);
[[nodiscard]] zq::result_t load_for_driver(const signal_data& signal, double ticks_per_microsecond,
                                           driver_waveform& out);

// Whole carrier cycles a mark of this many microseconds plays (a mark shorter than one period
// plays none). 0 for a period of 0.
std::uint32_t mark_cycles(std::int32_t mark, std::uint16_t period);

// Timer ticks the LED stays off for a space (either sign; its length counts), at 3686 or 3250
// ticks per millisecond.
std::uint64_t space_ticks(std::int32_t space, timer_rate_t rate);

}  // namespace redeye
