// The three OMAP MPU timers of one 4 KB page (0xFFFEC000 on the OMAP1510 and OMAP850), at offsets
// 0x500, 0x600 and 0x700. Each has a control register (+0x00), a load register (+0x04) and a read
// register (+0x08), and counts down from the loaded value at the board's timer rate.
//
// Control bits: 0 start (ST), 1 auto-reload (AR). A write with ST set (re)loads the counter from
// the load register and starts it; a write with ST clear stops it where it is. Without AR the
// timer is one-shot: it stops at 0 and its ST bit reads 0 from then on. With AR it reloads and
// runs for ever. The other control bits (clock enable, prescaler, free) only keep their values:
// the simulated board feeds the timers at the family's rate already divided.
//
// Reading the read register moves virtual time to the timer's next tick (see tick_clock.h), and
// so does reading the control register of a running timer: a loop that polls ST until a one-shot
// timer stops ends exactly on the tick it reaches 0. A write costs nothing.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "hwsim/down_counter.h"
#include "hwsim/register_file.h"
#include "hwsim/tick_clock.h"
#include "platform/clock.h"

namespace hwsim {

// The rates the simulated boards feed their MPU timers with.
inline constexpr std::uint32_t omap1510_timer_hz = 3038000;
inline constexpr std::uint32_t omap850_timer_hz = 6480000;

// One start of a timer, as tests want to see it: when, which timer, what it was loaded with.
struct timer_start {
  std::uint64_t time_ns = 0;
  std::uint32_t timer = 0;  // the timer's offset: 0x500, 0x600 or 0x700
  std::uint32_t load = 0;
  bool auto_reload = false;

  bool operator==(const timer_start&) const = default;
};

class omap_mpu_timers final : public register_file {
 public:
  static constexpr std::uint32_t page = 0xFFFEC000;
  static constexpr std::uint32_t timer_offsets[3] = {0x500, 0x600, 0x700};
  static constexpr std::uint32_t control = 0x00;
  static constexpr std::uint32_t load = 0x04;
  static constexpr std::uint32_t read = 0x08;
  static constexpr std::uint32_t start_bit = 1u << 0;
  static constexpr std::uint32_t auto_reload_bit = 1u << 1;

  explicit omap_mpu_timers(std::uint64_t hz) : timers_{down_counter(hz), down_counter(hz), down_counter(hz)} {}

  std::uint32_t read32(std::uint32_t offset) override {
    const int t = timer_at(offset);
    if (t < 0) return register_file::read32(offset);
    down_counter& counter = timers_[static_cast<std::size_t>(t)];
    switch (offset & 0xFF) {
      case control: {
        const std::uint32_t value = register_file::read32(offset) & ~start_bit;
        const std::uint64_t stop = stop_ns_[static_cast<std::size_t>(t)];
        if (platform::clock::now_ns() >= stop) return value;
        (void)counter.read();
        return platform::clock::now_ns() >= stop ? value : value | start_bit;
      }
      case read:
        return counter.read();
      default:
        return register_file::read32(offset);
    }
  }

  void write32(std::uint32_t offset, std::uint32_t value) override {
    register_file::write32(offset, value);
    const int t = timer_at(offset);
    if (t < 0 || (offset & 0xFF) != control) return;
    down_counter& counter = timers_[static_cast<std::size_t>(t)];
    std::uint64_t& stop = stop_ns_[static_cast<std::size_t>(t)];
    if ((value & start_bit) == 0) {
      counter.stop();
      stop = 0;
      return;
    }
    const std::uint32_t base = offset & ~0xFFu;
    const std::uint32_t reload = stored(base + load);
    const bool auto_reload = (value & auto_reload_bit) != 0;
    counter.start(reload, auto_reload);
    const std::uint64_t now = platform::clock::now_ns();
    stop = auto_reload ? std::numeric_limits<std::uint64_t>::max()
                       : tick_clock::time_of_tick(tick_clock::tick_at(now, counter.hz()) + reload, counter.hz());
    starts_.push_back({now, base, reload, auto_reload});
  }

  std::uint64_t hz() const { return timers_[0].hz(); }
  // Whether a timer (by offset) is counting now, without moving time.
  bool running(std::uint32_t timer_offset) const {
    const int t = timer_at(timer_offset);
    return t >= 0 && platform::clock::now_ns() < stop_ns_[static_cast<std::size_t>(t)];
  }
  // Every start since the device was built.
  const std::vector<timer_start>& starts() const { return starts_; }

 private:
  // 0, 1, 2 for the timers at 0x500, 0x600, 0x700; -1 elsewhere.
  static int timer_at(std::uint32_t offset) {
    const std::uint32_t base = offset >> 8;
    return base >= 5 && base <= 7 ? static_cast<int>(base) - 5 : -1;
  }

  std::array<down_counter, 3> timers_;
  // When each timer stops by itself: the end of a one-shot count, never for a reloading timer,
  // 0 for a stopped one. Comparing with it spares a poll of the control register a division.
  std::array<std::uint64_t, 3> stop_ns_{};
  std::vector<timer_start> starts_;
};

}  // namespace hwsim
