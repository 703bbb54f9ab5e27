// What the LED of a simulated PXA must do for a signal, worked out from the timing rules alone
// (not from the driver): the tick of every edge. On the simulated OS timer each counter read
// takes one tick, so a mark read at tick c starts its cycles at c and ends at c + n * cycle, and a
// space starts with one read and then waits its ticks.
#pragma once

#include <cstdint>
#include <vector>

namespace zqtest {

struct pxa_timing {
  std::uint32_t high = 0;  // ticks on per cycle
  std::uint32_t low = 0;   // ticks off per cycle
  std::uint16_t period = 0;  // microseconds per cycle
  std::uint32_t space_ticks_per_ms = 3686;
};

struct tick_edge {
  std::uint64_t tick = 0;
  bool on = false;
  bool operator==(const tick_edge&) const = default;
};

// Where each duration of each pass starts and ends, in ticks.
struct duration_span {
  unsigned pass = 0;
  std::size_t index = 0;
  std::uint64_t begin = 0;  // the tick the duration's work starts from (the previous one's end)
  std::uint64_t end = 0;
};

struct pxa_expectation {
  std::vector<tick_edge> edges;
  std::vector<duration_span> spans;
};

// The passes: the first plays every duration, each later one repeat..end. start_tick is the tick
// the timer is in when the first duration begins.
pxa_expectation expect_pxa_led(const std::vector<std::int32_t>& durations, std::uint16_t repeat, unsigned passes,
                               const pxa_timing& timing, std::uint64_t start_tick);

}  // namespace zqtest
