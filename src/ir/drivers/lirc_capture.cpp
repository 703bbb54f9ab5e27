#include "ir/drivers/lirc_capture.h"

#include <array>

#include "platform/clock.h"

namespace redeye {

namespace {

namespace lirc = platform::lirc;

constexpr std::uint64_t ns_per_us = 1000;
constexpr std::uint64_t ns_per_ms = 1000000;
constexpr std::uint32_t end_of_signal_us = end_of_signal_ms * 1000;

enum class next_t { sample, time_out, failed };

// Hands out the device's samples one by one, reading them in batches.
class sample_reader {
 public:
  explicit sample_reader(platform::lirc_device& device) : device_(device) {}

  // The next sample that arrives before the clock passes deadline_ns.
  next_t next(std::uint64_t deadline_ns, std::uint32_t& sample) {
    while (position_ == available_) {
      const std::uint64_t now = platform::clock::now_ns();
      const std::uint64_t left_us = deadline_ns > now ? (deadline_ns - now + ns_per_us - 1) / ns_per_us : 0;
      position_ = available_ = 0;
      if (device_.read(batch_, static_cast<std::uint32_t>(std::min<std::uint64_t>(left_us, 0xFFFFFFFF)),
                       available_) != 0 || available_ > batch_.size()) {
        available_ = 0;
        return next_t::failed;
      }
      if (available_ == 0 && platform::clock::now_ns() >= deadline_ns) return next_t::time_out;
    }
    sample = batch_[position_++];
    return next_t::sample;
  }

 private:
  platform::lirc_device& device_;
  std::array<std::uint32_t, 64> batch_{};
  std::size_t position_ = 0;
  std::size_t available_ = 0;
};

std::uint32_t kind(std::uint32_t sample) { return sample & lirc::kind_mask; }
std::uint32_t value(std::uint32_t sample) { return sample & lirc::value_mask; }

std::int32_t saturated(std::uint64_t v) { return static_cast<std::int32_t>(std::min<std::uint64_t>(v, 0x7FFFFFFF)); }

// The capture proper; returns its code, leaves the durations in run.
zq::result_t capture(sample_reader& reader, capture_run& run, std::uint32_t& frequency) {
  std::uint32_t sample = 0;
  const auto note_frequency = [&] {
    if (kind(sample) == lirc::frequency && frequency == 0) frequency = value(sample);
  };

  // The first pulse.
  const std::uint64_t first_deadline = platform::clock::now_ns() + std::uint64_t{capture_wait_ms} * ns_per_ms;
  std::uint64_t mark = 0;
  while (mark == 0) {
    const next_t got = reader.next(first_deadline, sample);
    if (got == next_t::failed) return zq::rc::port_open_failed;
    if (got == next_t::time_out) return zq::rc::capture_timeout;
    note_frequency();
    if (kind(sample) == lirc::pulse) mark = std::max<std::uint32_t>(value(sample), 1);
  }

  int long_gaps_left = long_gaps_before_stop;
  for (;;) {
    // A pulse has ended: more of it, or the space until the next one, or the end of the signal.
    std::uint64_t silence_deadline = platform::clock::now_ns() + end_of_signal_us * ns_per_us;
    std::uint64_t space = 0;
    bool ended = false;
    while (space == 0 && !ended) {
      const next_t got = reader.next(silence_deadline, sample);
      if (got == next_t::failed) return zq::rc::port_open_failed;
      if (got == next_t::time_out) break;
      note_frequency();
      switch (kind(sample)) {
        case lirc::pulse:
          mark += value(sample);
          silence_deadline = platform::clock::now_ns() + end_of_signal_us * ns_per_us;
          break;
        case lirc::space:
          space = value(sample);
          ended = space >= end_of_signal_us;
          break;
        case lirc::timeout:
          ended = value(sample) >= end_of_signal_us;
          break;
        case lirc::overflow:
          ended = true;
          break;
        default:
          break;
      }
    }
    if (space == 0) ended = true;  // the silence ran out

    if (mark > static_cast<std::uint64_t>(longest_burst)) return zq::rc::capture_long_burst;
    run.durations[run.stored++] = saturated(mark);
    if (ended || run.stored >= max_captured_durations) return zq::rc::ok;
    run.durations[run.stored++] = -saturated(space);
    if (space > static_cast<std::uint64_t>(long_gap) && --long_gaps_left == 0) return zq::rc::ok;

    // The next pulse has begun: it must end within the longest burst.
    const std::uint64_t burst_deadline = platform::clock::now_ns() + std::uint64_t{longest_burst} * ns_per_us;
    mark = 0;
    while (mark == 0) {
      const next_t got = reader.next(burst_deadline, sample);
      if (got == next_t::failed) return zq::rc::port_open_failed;
      if (got == next_t::time_out) return zq::rc::capture_long_burst;
      note_frequency();
      if (kind(sample) == lirc::pulse) mark = std::max<std::uint32_t>(value(sample), 1);
      // A second space sample lengthens the gap already stored.
      if (kind(sample) == lirc::space)
        run.durations[run.stored - 1] = -saturated(std::uint64_t(-std::int64_t{run.durations[run.stored - 1]}) + value(sample));
    }
  }
}

}  // namespace

void capture_mode2(platform::lirc_device& device, capture_run& run) {
  run = capture_run{};
  sample_reader reader(device);
  std::uint32_t frequency = 0;
  run.code = capture(reader, run, frequency);
  if (run.code != zq::rc::ok) return;
  // A report of more than 1 MHz says nothing usable: the carrier is assumed then too.
  std::uint32_t period = frequency == 0 ? 0 : 1000000 / frequency;
  if (period == 0) period = lirc_assumed_carrier_period;
  if (period > static_cast<std::uint32_t>(slowest_carrier_period)) {
    run.code = zq::rc::capture_slow_carrier;
    return;
  }
  run.carrier_period = static_cast<std::uint16_t>(period);
}

}  // namespace redeye
