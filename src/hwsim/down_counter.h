// A timer that counts down from a reload value at a fixed rate, for the families whose timers do
// (S3C PWM timers, OMAP MPU timers): started with a reload value it shows that value at once and
// one less per tick; with auto-reload it goes from 0 back to the reload value (an underflow) and
// goes on, without it stops at 0. Underflows are counted so that a block can raise its pending
// bits; a pending underflow stays until acknowledged.
//
// As with every simulated counter, read() moves virtual time to the next tick (see tick_clock.h);
// value() looks without moving it. A loop that only polls a pending bit therefore never sees time
// pass: a block whose driver polls that way should make the poll cost a tick too.
#pragma once

#include <cstdint>

#include "hwsim/tick_clock.h"

namespace hwsim {

class down_counter {
 public:
  explicit down_counter(std::uint64_t hz) : ticks_(hz) {}

  std::uint64_t hz() const { return ticks_.hz(); }

  // Loads reload and starts counting from the current tick.
  void start(std::uint32_t reload, bool auto_reload) {
    reload_ = reload;
    auto_reload_ = auto_reload;
    start_tick_ = ticks_.current();
    acknowledged_ = 0;
    stopped_underflows_ = 0;
    running_ = true;
    counting_ = auto_reload;
    last_tick_ = start_tick_;
    last_value_ = reload;
  }
  // Stops and keeps the value it shows now.
  void stop() {
    held_ = value();
    stopped_underflows_ = underflows();
    running_ = false;
    counting_ = false;
  }
  // A one-shot counter stops by itself at 0.
  bool running() { return running_ && (auto_reload_ || elapsed(ticks_.current()) < reload_); }

  std::uint32_t read() {
    const std::uint64_t tick = ticks_.next();
    // Drivers read a running counter on every tick: one tick after the last read the value is
    // one less (or the reload value after 0), with no division.
    if (counting_ && tick == last_tick_ + 1) {
      last_value_ = last_value_ != 0 ? last_value_ - 1 : reload_;
    } else {
      last_value_ = value_at(tick);
    }
    last_tick_ = tick;
    return last_value_;
  }
  std::uint32_t value() { return value_at(ticks_.current()); }

  // Underflows since the start (0 for a one-shot counter); kept when stopped.
  std::uint64_t underflows() {
    if (!running_ || !auto_reload_) return stopped_underflows_;
    return elapsed(ticks_.current()) / (std::uint64_t{reload_} + 1);
  }
  bool underflow_pending() { return underflows() > acknowledged_; }
  void acknowledge() { acknowledged_ = underflows(); }

 private:
  std::uint64_t elapsed(std::uint64_t tick) const { return tick - start_tick_; }
  std::uint32_t value_at(std::uint64_t tick) {
    if (!running_) return held_;
    const std::uint64_t j = elapsed(tick);
    if (auto_reload_) return static_cast<std::uint32_t>(reload_ - j % (std::uint64_t{reload_} + 1));
    return j >= reload_ ? 0 : static_cast<std::uint32_t>(reload_ - j);
  }

  tick_clock ticks_;
  std::uint32_t reload_ = 0;
  bool auto_reload_ = false;
  bool running_ = false;
  std::uint64_t start_tick_ = 0;
  bool counting_ = false;  // running with auto-reload: reads may step from the last one
  std::uint64_t last_tick_ = 0;
  std::uint32_t last_value_ = 0;
  std::uint32_t held_ = 0;
  std::uint64_t acknowledged_ = 0;
  std::uint64_t stopped_underflows_ = 0;
};

}  // namespace hwsim
