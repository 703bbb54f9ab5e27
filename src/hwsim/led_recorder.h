// The infrared LED of a simulated device, as a recorder: every change of its level with the
// virtual time it happened at. It prints the raw edges and the waveform demodulated into carrier
// bursts (pulses) and silences (spaces), the forms tests and the command-line tool compare.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hwsim {

struct led_edge {
  std::uint64_t time_ns = 0;
  bool on = false;

  bool operator==(const led_edge&) const = default;
};

class led_recorder {
 public:
  // Records the level when it differs from the current one.
  void set(bool on);
  // The same at a given time, for a block that works out its pin's changes after the fact (a UART
  // shifting bits between two register accesses); times must not go back before the last edge. A
  // change that undoes the last edge at that edge's very time removes it: no light came out.
  void set_at(bool on, std::uint64_t time_ns);
  bool is_on() const { return on_; }

  const std::vector<led_edge>& edges() const { return edges_; }
  // Forgets the edges; the level stays.
  void clear() { edges_.clear(); }

  // "timer-hz: F", then one "NANOSECONDS LEVEL" line per edge, time counted from the first edge.
  std::string edges_text(std::uint64_t timer_hz) const;

  // The bursts and silences in microseconds, bursts positive and silences negative. A burst is a
  // run of carrier cycles whose rising edges follow each other within 1.5 cycles (the first two
  // within 100 us, a 10 kHz carrier); it lasts from its first rising edge to one cycle after its
  // last rising edge. Boundaries are rounded to whole microseconds before the lengths are taken,
  // so the lengths add up to the whole. No silence follows the last burst.
  std::vector<std::int32_t> demodulated() const;
  // One "pulse US" or "space US" line per burst or silence.
  std::string demodulated_text() const;

 private:
  bool on_ = false;
  std::vector<led_edge> edges_;
};

}  // namespace hwsim
