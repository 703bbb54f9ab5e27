#include "hwsim/tick_clock.h"

namespace hwsim {

namespace {
constexpr std::uint64_t ns_per_second = 1000000000u;
using wide = unsigned __int128;
}  // namespace

tick_clock::tick_clock(std::uint64_t hz)
    : hz_(hz == 0 ? 1 : hz), step_q_(ns_per_second / hz_), step_r_(ns_per_second % hz_) {
  sync(0);
}

std::uint64_t tick_clock::time_of_tick(std::uint64_t tick, std::uint64_t hz) {
  const wide product = wide{tick} * ns_per_second;
  return static_cast<std::uint64_t>((product + hz - 1) / hz);
}

std::uint64_t tick_clock::tick_at(std::uint64_t ns, std::uint64_t hz) {
  return static_cast<std::uint64_t>(wide{ns} * hz / ns_per_second);
}

std::uint64_t tick_clock::current() { return tick_at(platform::clock::now_ns(), hz_); }

void tick_clock::sync(std::uint64_t tick) {
  tick_ = tick;
  tick_ns_ = time_of_tick(tick, hz_);
  const wide next = (wide{tick} + 1) * ns_per_second;
  next_q_ = static_cast<std::uint64_t>(next / hz_);
  next_r_ = static_cast<std::uint64_t>(next % hz_);
  next_ns_ = next_q_ + (next_r_ != 0 ? 1 : 0);
}

std::uint64_t tick_clock::next_slow() {
  const std::uint64_t tick = current();
  if (!platform::clock::is_virtual()) return tick;
  sync(tick);
  return next();
}

}  // namespace hwsim
