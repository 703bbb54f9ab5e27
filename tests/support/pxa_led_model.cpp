#include "support/pxa_led_model.h"

namespace zqtest {

pxa_expectation expect_pxa_led(const std::vector<std::int32_t>& durations, std::uint16_t repeat, unsigned passes,
                               const pxa_timing& timing, std::uint64_t start_tick) {
  pxa_expectation out;
  const std::uint64_t cycle = timing.high + timing.low;
  std::uint64_t c = start_tick;
  for (unsigned pass = 0; pass < passes; ++pass) {
    for (std::size_t i = pass == 0 ? 0 : repeat; i < durations.size(); ++i) {
      const std::int64_t d = durations[i];
      const std::uint64_t begin = c;
      c += 1;  // the counter read that starts a mark or a space
      if (d >= 0) {
        const std::uint64_t n = static_cast<std::uint64_t>(d) / timing.period;
        for (std::uint64_t k = 0; k < n; ++k) {
          out.edges.push_back({c + k * cycle, true});
          out.edges.push_back({c + k * cycle + timing.high, false});
        }
        c += n * cycle;
      } else {
        c += static_cast<std::uint64_t>(-d) * timing.space_ticks_per_ms / 1000;
      }
      out.spans.push_back({pass, i, begin, c});
    }
  }
  return out;
}

}  // namespace zqtest
