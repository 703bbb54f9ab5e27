// The capture loop every processor family runs to learn a signal: it polls the receive pin of the
// IrDA transceiver, times its edges on the family's free-running timer, measures the carrier and
// records the lengths of the carrier bursts and of the gaps between them.
//
// How a family plugs in. The loop is a template over a sampler, a small struct the family writes
// around its own registers (see capture_sampler below):
//   - pin():   the receive pin, true (1) while nothing is received, false (0) during a carrier
//              pulse. Read it as directly as possible: edges are found by polling it.
//   - ticks(): the free-running timer as a 32-bit count that goes up by one per tick and wraps
//              at 2^32 (the loop only subtracts two readings). A down-counting timer is presented
//              negated; a narrower one is extended by the sampler.
//   - microseconds(ticks), carrier_period(ticks of four periods), end_of_signal_ticks(): the
//              conversions at the timer's rate. A timer with a whole number of ticks per
//              millisecond gets all three by deriving from capture_tick_rate (3686 for the
//              3.6864 MHz timers: ticks * 1000 / 3686, ticks * 1000 / 14744, 737200 ticks).
// Inside the family's receive(), after its open and its 301/302/303 checks:
//     take the receive pin as a plain input (saving the registers that changes);
//     family_sampler sampler{{ticks_per_ms}, ...};
//     capture_run run;
//     run_capture(sampler, capture_thread{thread_, capture_priority, saved_priority_, saved_quantum_,
//                                         counter_rate_}, run);
//     restore the pin registers;
//     return finish_capture(run);  // CIrDrvr: closes the port, purges stylus input, code 6 or the
//                                  // measured carrier and the repeated part as the captured signal
// run_capture sets the thread's quantum to 0 and its priority to capture_priority (0 on SA-11x0,
// 1 on PXA) for the whole loop and restores both before it returns, whatever the outcome.
#pragma once

#include <concepts>
#include <cstdint>
#include <limits>

#include "base/result.h"
#include "ir/capture_buffer.h"
#include "platform/performance_counter.h"
#include "platform/thread_priority.h"

namespace redeye {

// The capture's limits, in microseconds unless named otherwise.
inline constexpr std::uint32_t capture_wait_ms = 20000;      // for the first carrier edge
inline constexpr int carrier_periods_measured = 4;           // averaged for the carrier period
inline constexpr std::int32_t slowest_carrier_period = 100;  // 10 kHz
inline constexpr std::int32_t burst_end_periods = 5;         // a burst ends after 5 periods without an edge
inline constexpr std::uint32_t end_of_signal_ms = 200;       // the signal ends after 200 ms without an edge
inline constexpr std::int32_t longest_burst = 800000;
inline constexpr std::int32_t long_gap = 20000;
inline constexpr int long_gaps_before_stop = 4;

template <class S>
concept capture_sampler = requires(S& sampler, const S& rate, std::uint32_t ticks) {
  { sampler.pin() } -> std::convertible_to<bool>;
  { sampler.ticks() } -> std::convertible_to<std::uint32_t>;
  { rate.microseconds(ticks) } -> std::convertible_to<std::int32_t>;
  { rate.carrier_period(ticks) } -> std::convertible_to<std::int32_t>;
  { rate.end_of_signal_ticks() } -> std::convertible_to<std::uint32_t>;
};

// The conversions of a timer with a whole number of ticks per millisecond; samplers derive from it.
struct capture_tick_rate {
  std::uint32_t ticks_per_ms = 3686;

  // An interval in whole microseconds (rounded down; saturating).
  std::int32_t microseconds(std::uint32_t ticks) const { return saturate(std::uint64_t{ticks} * 1000 / ticks_per_ms); }
  // The period in whole microseconds from the ticks of carrier_periods_measured periods.
  std::int32_t carrier_period(std::uint32_t ticks) const {
    return saturate(std::uint64_t{ticks} * 1000 / (std::uint64_t{ticks_per_ms} * carrier_periods_measured));
  }
  std::uint32_t end_of_signal_ticks() const { return end_of_signal_ms * ticks_per_ms; }

 private:
  static std::int32_t saturate(std::uint64_t v) {
    constexpr auto most = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(v < most ? v : most);
  }
};

// The thread that captures and how to put its scheduling back.
struct capture_thread {
  platform::thread_id thread = 0;
  int priority = 1;             // while capturing
  int saved_priority = 0;       // restored afterwards
  std::uint32_t saved_quantum = platform::default_thread_quantum;
  std::uint32_t counter_rate = 0;  // high-resolution counter ticks per millisecond
};

// What one run of the loop found.
struct capture_run {
  // 0: a signal was recorded (possibly nothing: the buffer may start with a zero); 17 nothing
  // within 20 s; 5 carrier slower than 10 kHz; 6 a burst longer than 0.8 s.
  zq::result_t code = zq::rc::ok;
  std::uint16_t carrier_period = 0;  // measured, microseconds (set from the carrier measurement on)
  std::uint16_t stored = 0;          // durations written to the buffer
  capture_buffer durations{};
};

namespace capture_detail {

inline void restore(const capture_thread& t) {
  platform::set_thread_priority(t.thread, t.saved_priority);
  platform::set_thread_quantum(t.thread, t.saved_quantum);
}

// Waits while the pin has the level; false when the high-resolution counter passes the deadline.
template <class Sampler>
bool wait_while(Sampler& sampler, bool level, std::uint64_t deadline) {
  while (static_cast<bool>(sampler.pin()) == level)
    if (platform::performance_counter() > deadline) return false;
  return true;
}

}  // namespace capture_detail

// Captures one signal into run (see the top of this file). Edges inside a burst are waited for
// without a time limit, as the burst's end is; only the waits before the carrier is measured are
// bounded by the 20-second deadline, so that a lone glitch cannot hang the capture.
template <capture_sampler Sampler>
void run_capture(Sampler& sampler, const capture_thread& thread, capture_run& run) {
  run = capture_run{};
  int long_gaps_left = long_gaps_before_stop;
  const std::uint64_t deadline =
      platform::performance_counter() + std::uint64_t{capture_wait_ms} * thread.counter_rate;
  platform::set_thread_quantum(thread.thread, 0);
  platform::set_thread_priority(thread.thread, thread.priority);

  // Nothing received yet: wait for the first carrier pulse.
  if (!capture_detail::wait_while(sampler, true, deadline)) {
    capture_detail::restore(thread);
    run.code = zq::rc::capture_timeout;
    return;
  }

  // The carrier: from the start of the next pulse (h) to the start of the fifth after it (l).
  // The pulse found first is skipped, as its start was not timed.
  bool in_time = capture_detail::wait_while(sampler, false, deadline) && capture_detail::wait_while(sampler, true, deadline);
  std::uint32_t h = sampler.ticks();
  for (int i = 0; in_time && i < carrier_periods_measured; ++i)
    in_time = capture_detail::wait_while(sampler, false, deadline) && capture_detail::wait_while(sampler, true, deadline);
  if (!in_time) {
    capture_detail::restore(thread);
    run.code = zq::rc::capture_timeout;
    return;
  }
  std::uint32_t l = sampler.ticks();
  const std::int32_t m = sampler.carrier_period(l - h);
  if (m > slowest_carrier_period) {
    capture_detail::restore(thread);
    run.code = zq::rc::capture_slow_carrier;
    return;
  }
  run.carrier_period = static_cast<std::uint16_t>(m);

  // Bursts and gaps. h is the start of the burst's first pulse, l the start of the latest pulse.
  const std::uint32_t silence = sampler.end_of_signal_ticks();
  std::uint16_t stored = 0;
  for (;;) {
    while (!sampler.pin()) {
    }
    const std::uint32_t t = sampler.ticks();
    bool ended = false;
    std::uint32_t u = t;
    for (;;) {
      if (!sampler.pin()) {
        u = sampler.ticks();
        break;
      }
      const std::uint32_t now = sampler.ticks();
      if (now - t > silence) {
        u = now;
        ended = true;
        break;
      }
    }
    const std::int32_t v = sampler.microseconds(u - l);
    if (v > burst_end_periods * m) {
      const std::int32_t r = sampler.microseconds(l - h);
      if (r > longest_burst) {
        run.code = zq::rc::capture_long_burst;
        break;
      }
      run.durations[stored++] = r;
      // The mark may take the last place; a space after it would not leave room for the end.
      if (stored >= max_captured_durations) break;
      if (!ended) {
        run.durations[stored++] = -v;
        if (v > long_gap && --long_gaps_left == 0) break;
      }
      h = u;
    }
    if (ended) break;
    l = u;
  }
  run.stored = stored;
  capture_detail::restore(thread);
}

}  // namespace redeye
