// The program's one clock, either real (the host's monotonic clock) or virtual. Under the virtual
// clock time stands still unless something moves it: sleeping moves it forward at once, and the
// simulated hardware moves it as its timers are read. Every run on the virtual clock is therefore
// exact and repeatable, and a 20-second wait costs no real time.
//
// The virtual time is read inline because the simulated timers consult it on every counter read.
#pragma once

#include <cstdint>

namespace platform {

namespace clock_state {
inline bool virtual_mode = false;
inline std::uint64_t virtual_now = 0;
}  // namespace clock_state

class clock {
 public:
  // Switches to the host's monotonic clock (the default).
  static void use_real();
  // Switches to the virtual clock, starting at start_ns.
  static void use_virtual(std::uint64_t start_ns = 0);
  static bool is_virtual() { return clock_state::virtual_mode; }

  // Nanoseconds since an arbitrary fixed origin.
  static std::uint64_t now_ns() { return clock_state::virtual_mode ? clock_state::virtual_now : real_now_ns(); }

  // Blocks for ms milliseconds; under the virtual clock moves time forward instead.
  static void sleep(std::uint32_t ms);

  // Virtual clock only: moves time forward to ns (never backwards). No effect on the real clock.
  static void advance_to(std::uint64_t ns) {
    if (clock_state::virtual_mode && ns > clock_state::virtual_now) clock_state::virtual_now = ns;
  }
  static void advance_by(std::uint64_t ns) {
    if (clock_state::virtual_mode) clock_state::virtual_now += ns;
  }

  // One turn of a busy loop that has nothing to read: under the virtual clock it costs
  // idle_spin_ns, so that a loop waiting for a key or a scheduled change still sees time pass.
  static void idle_spin() { advance_by(idle_spin_ns); }
  static constexpr std::uint64_t idle_spin_ns = 1000;

 private:
  static std::uint64_t real_now_ns();
};

}  // namespace platform
