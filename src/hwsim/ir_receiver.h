// The infrared receiver of a simulated device: what a remote control emits, played from a given
// virtual time. The receiver's output pin is active low: it reads 0 during the high half of every
// carrier cycle inside a pulse and 1 at all other times (spaces, the low halves, before and after
// the signal).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace hwsim {

// A read of an input pin's level costs this much virtual time, so that polling loops progress.
inline constexpr std::uint64_t pin_read_ns = 100;
// While the receiver's output stays steady for longer than this, a read of it (sample()) moves
// virtual time on by this much more: a poller would see nothing but the same level meanwhile, and
// a 20-second wait then takes 20000 reads instead of 200 million. Edges are still seen within
// pin_read_ns.
inline constexpr std::uint64_t quiet_read_ns = 1000000;

class ir_receiver {
 public:
  // Pulses positive, spaces negative, microseconds; the carrier in hertz (0 is taken as 38000).
  void play(const std::vector<std::int32_t>& durations, std::uint32_t carrier_hz, std::uint64_t start_ns);
  // Nothing is received any more.
  void stop();

  // The pin level at a time.
  bool level_at(std::uint64_t ns) const;
  // The first time after ns at which the level differs from level_at(ns); UINT64_MAX for never.
  std::uint64_t next_change(std::uint64_t ns) const;
  // A polling read of the pin at the virtual time now (the caller has charged pin_read_ns): the
  // level, with time moved on by quiet_read_ns when the level stays the same for longer than that.
  bool sample() const;
  // The end of the last pulse (0 when nothing is played).
  std::uint64_t end_ns() const { return pulses_.empty() ? 0 : pulses_.back().end; }

  // Reads "pulse US" / "space US" lines (blank lines and lines starting with # are skipped);
  // false on any other line, out unchanged.
  static bool parse_waveform(std::string_view text, std::vector<std::int32_t>& out);

 private:
  struct pulse {
    std::uint64_t begin;
    std::uint64_t end;
  };
  std::vector<pulse> pulses_;
  std::uint32_t carrier_hz_ = 38000;
};

}  // namespace hwsim
