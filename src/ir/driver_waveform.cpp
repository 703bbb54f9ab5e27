#include "ir/driver_waveform.h"

#include <algorithm>
#include <utility>

namespace redeye {

namespace {

std::uint64_t magnitude(std::int32_t d) {
  const std::int64_t v = d;
  return static_cast<std::uint64_t>(v < 0 ? -v : v);
}

}  // namespace

carrier_ticks carrier_ticks_for(std::uint16_t period, double ticks_per_microsecond) {
  const double x = period * ticks_per_microsecond;
  auto cycle = static_cast<std::uint32_t>(x);
  if (x - cycle > 0.4) ++cycle;
  return carrier_ticks{cycle, cycle - cycle / 2, cycle / 2};
}

zq::result_t load_for_driver(std::span<const std::int32_t> durations, std::uint16_t repeat_index,
                             std::uint16_t carrier_period, double ticks_per_microsecond, driver_waveform& out) {
  if (durations.empty()) return zq::rc::no_durations;

  driver_waveform waveform;
  const std::size_t kept = std::min(durations.size(), max_driver_durations);
  waveform.durations.reserve(std::min(kept + 1, max_driver_durations));
  waveform.durations.assign(durations.begin(), durations.begin() + static_cast<std::ptrdiff_t>(kept));
  waveform.repeat_index = repeat_index;
  if (waveform.durations.back() >= 0 && kept < max_driver_durations && repeat_index >= kept) {
    waveform.durations.push_back(closing_space);
    // Still past the end: the closing space is played once, never repeated.
    waveform.repeat_index = static_cast<std::uint16_t>(std::min<std::uint32_t>(repeat_index + 1u, 0xFFFF));
  }

  if (carrier_period == 0) return zq::rc::no_carrier;
  waveform.carrier_period = carrier_period < min_carrier_period || carrier_period > max_carrier_period
                                ? fallback_carrier_period
                                : carrier_period;
  waveform.carrier = carrier_ticks_for(waveform.carrier_period, ticks_per_microsecond);
  out = std::move(waveform);
  return zq::rc::ok;
}

zq::result_t load_for_driver(const signal_data& signal, double ticks_per_microsecond, driver_waveform& out) {
  return load_for_driver(signal.durations, signal.repeat_index, signal.carrier_period, ticks_per_microsecond, out);
}

std::uint32_t mark_cycles(std::int32_t mark, std::uint16_t period) {
  if (period == 0 || mark < 0) return 0;
  return static_cast<std::uint32_t>(mark) / period;
}

std::uint64_t space_ticks(std::int32_t space, timer_rate_t rate) {
  const std::uint64_t per_millisecond =
      rate == timer_rate_t::mhz_3_6864 ? space_ticks_per_ms_3_6864 : space_ticks_per_ms_3_25;
  return magnitude(space) * per_millisecond / 1000;
}

}  // namespace redeye
