#include "hwsim/ir_receiver.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "platform/clock.h"

namespace hwsim {

namespace {

constexpr std::uint64_t ns_per_second = 1000000000u;
constexpr std::uint32_t default_carrier_hz = 38000;

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

void ir_receiver::play(const std::vector<std::int32_t>& durations, std::uint32_t carrier_hz, std::uint64_t start_ns) {
  pulses_.clear();
  carrier_hz_ = carrier_hz == 0 ? default_carrier_hz : carrier_hz;
  std::uint64_t t = start_ns;
  for (const std::int32_t d : durations) {
    const std::uint64_t length = static_cast<std::uint64_t>(d < 0 ? -std::int64_t{d} : std::int64_t{d}) * 1000u;
    if (d >= 0 && length > 0) {
      // Neighbouring pulses join into one.
      if (!pulses_.empty() && pulses_.back().end == t)
        pulses_.back().end = t + length;
      else
        pulses_.push_back({t, t + length});
    }
    t += length;
  }
}

void ir_receiver::stop() { pulses_.clear(); }

bool ir_receiver::level_at(std::uint64_t ns) const {
  // The last pulse that begins at or before ns.
  auto after = std::upper_bound(pulses_.begin(), pulses_.end(), ns,
                                [](std::uint64_t t, const pulse& p) { return t < p.begin; });
  if (after == pulses_.begin()) return true;
  const pulse& p = *(after - 1);
  if (ns >= p.end) return true;
  const unsigned __int128 phase = (static_cast<unsigned __int128>(ns - p.begin) * carrier_hz_) % ns_per_second;
  return phase >= ns_per_second / 2;
}

std::uint64_t ir_receiver::next_change(std::uint64_t ns) const {
  constexpr std::uint64_t never = std::numeric_limits<std::uint64_t>::max();
  auto after = std::upper_bound(pulses_.begin(), pulses_.end(), ns,
                                [](std::uint64_t t, const pulse& p) { return t < p.begin; });
  if (after != pulses_.begin()) {
    const pulse& p = *(after - 1);
    if (ns < p.end) {
      // Inside a pulse: low in the first half of each carrier cycle. The first time whose cycle
      // position reaches `target` (in units of 1e-9 cycle) is begin + ceil(target / hz).
      const unsigned __int128 position = static_cast<unsigned __int128>(ns - p.begin) * carrier_hz_;
      const unsigned __int128 cycle = position / ns_per_second;
      const bool low = position % ns_per_second < ns_per_second / 2;
      const unsigned __int128 target = low ? cycle * ns_per_second + ns_per_second / 2 : (cycle + 1) * ns_per_second;
      const auto t = p.begin + static_cast<std::uint64_t>((target + carrier_hz_ - 1) / carrier_hz_);
      if (t < p.end) return t;
      if (low) return p.end;
    }
  }
  return after == pulses_.end() ? never : after->begin;
}

bool ir_receiver::sample() const {
  const std::uint64_t now = platform::clock::now_ns();
  const bool level = level_at(now);
  if (platform::clock::is_virtual() && next_change(now) - now > quiet_read_ns) platform::clock::advance_by(quiet_read_ns);
  return level;
}

bool ir_receiver::parse_waveform(std::string_view text, std::vector<std::int32_t>& out) {
  std::vector<std::int32_t> durations;
  while (!text.empty()) {
    const auto newline = text.find('\n');
    std::string_view line = trim(text.substr(0, newline));
    text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
    if (line.empty() || line.front() == '#') continue;
    bool pulse = false;
    if (line.starts_with("pulse ")) {
      pulse = true;
    } else if (!line.starts_with("space ")) {
      return false;
    }
    const std::string_view number = trim(line.substr(6));
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || value < 0) return false;
    durations.push_back(pulse ? value : -value);
  }
  out = std::move(durations);
  return true;
}

}  // namespace hwsim
