// The tick sequence of a simulated hardware timer running at a whole number of hertz, tied to the
// program's clock. Tick k starts at ceil(k * 1e9 / hz) nanoseconds.
//
// The design rule that makes simulated busy loops exact and fast: reading a timer's counter moves
// virtual time to the start of the timer's next tick. A loop that waits for the counter to reach
// a target therefore ends exactly on the target tick, after target - start reads, and an edge
// written right after lands exactly on that tick's time. On the real clock nothing is moved; the
// tick is simply the one the real time falls in.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace hwsim {

class tick_clock {
 public:
  explicit tick_clock(std::uint64_t hz);

  std::uint64_t hz() const { return hz_; }

  // The tick the clock is in now, without moving time.
  std::uint64_t current();

  // Under the virtual clock: moves time to the start of the next tick and returns that tick.
  // On the real clock: the current tick.
  std::uint64_t next() {
    const std::uint64_t now = platform::clock_state::virtual_now;
    if (platform::clock_state::virtual_mode && now >= tick_ns_ && now < next_ns_) {
      ++tick_;
      tick_ns_ = next_ns_;
      platform::clock_state::virtual_now = tick_ns_;
      next_q_ += step_q_;
      next_r_ += step_r_;
      if (next_r_ >= hz_) {
        next_r_ -= hz_;
        ++next_q_;
      }
      next_ns_ = next_q_ + (next_r_ != 0 ? 1 : 0);
      return tick_;
    }
    return next_slow();
  }

  // Start of tick k in nanoseconds, and the tick a time falls in.
  static std::uint64_t time_of_tick(std::uint64_t tick, std::uint64_t hz);
  static std::uint64_t tick_at(std::uint64_t ns, std::uint64_t hz);

 private:
  std::uint64_t next_slow();
  // Makes tick the remembered one.
  void sync(std::uint64_t tick);

  std::uint64_t hz_;
  std::uint64_t step_q_;  // 1e9 / hz
  std::uint64_t step_r_;  // 1e9 % hz
  std::uint64_t tick_ = 0;
  std::uint64_t tick_ns_ = 0;  // start of tick_
  std::uint64_t next_ns_ = 0;  // start of tick_ + 1
  std::uint64_t next_q_ = 0;   // (tick_ + 1) * 1e9 == next_q_ * hz + next_r_
  std::uint64_t next_r_ = 0;
};

}  // namespace hwsim
