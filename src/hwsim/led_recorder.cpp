#include "hwsim/led_recorder.h"

#include <utility>

#include "platform/clock.h"

namespace hwsim {

namespace {

constexpr std::uint64_t longest_first_cycle_ns = 100000;  // a 10 kHz carrier

std::int64_t to_microseconds(std::uint64_t ns) { return static_cast<std::int64_t>((ns + 500) / 1000); }

}  // namespace

void led_recorder::set(bool on) {
  if (on == on_) return;
  on_ = on;
  edges_.push_back({platform::clock::now_ns(), on});
}

void led_recorder::set_at(bool on, std::uint64_t time_ns) {
  if (on == on_) return;
  on_ = on;
  if (!edges_.empty() && edges_.back().time_ns == time_ns) {
    edges_.pop_back();
    return;
  }
  edges_.push_back({time_ns, on});
}

std::string led_recorder::edges_text(std::uint64_t timer_hz) const {
  std::string text = "timer-hz: " + std::to_string(timer_hz) + "\n";
  const std::uint64_t origin = edges_.empty() ? 0 : edges_.front().time_ns;
  for (const led_edge& edge : edges_)
    text += std::to_string(edge.time_ns - origin) + (edge.on ? " 1\n" : " 0\n");
  return text;
}

std::vector<std::int32_t> led_recorder::demodulated() const {
  // Rising edges with the falling edge after each (or none at the end of the record).
  struct cycle {
    std::uint64_t rise;
    std::uint64_t fall;
  };
  std::vector<cycle> cycles;
  for (std::size_t i = 0; i < edges_.size(); ++i) {
    if (!edges_[i].on) continue;
    const std::uint64_t fall = i + 1 < edges_.size() ? edges_[i + 1].time_ns : edges_[i].time_ns;
    cycles.push_back({edges_[i].time_ns, fall});
  }

  // Burst boundaries in nanoseconds: [begin, end) per burst.
  std::vector<std::pair<std::uint64_t, std::uint64_t>> bursts;
  std::size_t i = 0;
  while (i < cycles.size()) {
    const std::uint64_t begin = cycles[i].rise;
    std::uint64_t period = 0;
    std::size_t last = i;
    while (last + 1 < cycles.size()) {
      const std::uint64_t gap = cycles[last + 1].rise - cycles[last].rise;
      if (period == 0 ? gap > longest_first_cycle_ns : gap * 2 > period * 3) break;
      if (period == 0) period = gap;
      ++last;
    }
    // A lone cycle: assume an even duty cycle.
    if (period == 0) period = 2 * (cycles[last].fall - cycles[last].rise);
    bursts.emplace_back(begin, cycles[last].rise + period);
    i = last + 1;
  }

  std::vector<std::int32_t> out;
  for (std::size_t b = 0; b < bursts.size(); ++b) {
    const std::int64_t begin = to_microseconds(bursts[b].first);
    const std::int64_t end = to_microseconds(bursts[b].second);
    out.push_back(static_cast<std::int32_t>(end - begin));
    if (b + 1 < bursts.size())
      out.push_back(static_cast<std::int32_t>(end - to_microseconds(bursts[b + 1].first)));
  }
  return out;
}

std::string led_recorder::demodulated_text() const {
  std::string text;
  for (const std::int32_t d : demodulated())
    text += (d >= 0 ? "pulse " + std::to_string(d) : "space " + std::to_string(-d)) + "\n";
  return text;
}

}  // namespace hwsim
