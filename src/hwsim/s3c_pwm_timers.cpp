#include "hwsim/s3c_pwm_timers.h"

#include <algorithm>

#include "platform/clock.h"

namespace hwsim {

std::uint64_t s3c_pwm_timers::input_hz(int n) const {
  const std::uint32_t config0 = stored(config0_offset);
  const std::uint32_t prescaler = n < 2 ? config0 & 0xFFu : (config0 >> 8) & 0xFFu;
  const std::uint32_t divider_field = (stored(config1_offset) >> (4 * n)) & 0xFu;
  const std::uint64_t divider = 2u << std::min<std::uint32_t>(divider_field, 3);
  return clock_.pclk_hz() / (prescaler + 1) / divider;
}

void s3c_pwm_timers::load(int n, bool run, bool auto_reload) {
  down_counter& counter = counters_[n].emplace(input_hz(n));
  counter.start(stored(count_buffer_offset[n]) & 0xFFFFu, auto_reload);
  auto_reload_[n] = auto_reload;
  if (!run) {
    counter.stop();
    return;
  }
  last_started_ = n;
  if (n >= 2 && pacing_rate_) pacing_rate_(counter.hz());
}

bool s3c_pwm_timers::running(int n) { return counters_[n] && counters_[n]->running(); }

std::uint32_t s3c_pwm_timers::count(int n) { return counters_[n] ? counters_[n]->value() : 0; }

bool s3c_pwm_timers::underflow_pending(int n) { return counters_[n] && counters_[n]->underflow_pending(); }

void s3c_pwm_timers::acknowledge(int n) {
  if (counters_[n]) counters_[n]->acknowledge();
}

void s3c_pwm_timers::wait_for_underflow() {
  std::uint64_t next_ns = 0;
  for (int n = 0; n < timers; ++n) {
    if (!auto_reload_[n] || !running(n) || counters_[n]->underflow_pending()) continue;
    // Showing v now, the counter underflows v + 1 ticks later.
    down_counter& counter = *counters_[n];
    const std::uint64_t tick = tick_clock::tick_at(platform::clock::now_ns(), counter.hz()) + counter.value() + 1;
    const std::uint64_t ns = tick_clock::time_of_tick(tick, counter.hz());
    if (next_ns == 0 || ns < next_ns) next_ns = ns;
  }
  if (next_ns != 0)
    platform::clock::advance_to(next_ns);
  else
    platform::clock::idle_spin();
}

std::uint32_t s3c_pwm_timers::read32(std::uint32_t offset) {
  // A driver's busy loop reads one count observation register on every tick: a switch keeps
  // that path short.
  int n = 0;
  switch (offset) {
    case count_observation_offset[0]: n = 0; break;
    case count_observation_offset[1]: n = 1; break;
    case count_observation_offset[2]: n = 2; break;
    case count_observation_offset[3]: n = 3; break;
    case count_observation_offset[4]: n = 4; break;
    default: return register_file::read32(offset);
  }
  return counters_[n] ? counters_[n]->read() : 0;
}

void s3c_pwm_timers::write32(std::uint32_t offset, std::uint32_t value) {
  for (int n = 0; n < timers; ++n)
    if (offset == count_observation_offset[n]) return;  // read-only
  if (offset != control_offset) {
    register_file::write32(offset, value);
    return;
  }
  const std::uint32_t before = stored(control_offset);
  register_file::write32(offset, value);
  for (int n = 0; n < timers; ++n) {
    const bool start = (value & start_bit[n]) != 0;
    const bool was_started = (before & start_bit[n]) != 0;
    const bool update = (value & update_bit[n]) != 0;
    const bool auto_reload = (value & auto_reload_bit[n]) != 0;
    if (start && (!was_started || update))
      load(n, true, auto_reload);
    else if (update)
      load(n, false, auto_reload);
    else if (!start && was_started && counters_[n])
      counters_[n]->stop();
  }
}

}  // namespace hwsim
