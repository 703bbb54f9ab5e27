#include "ir/drivers/lirc_pass_writer.h"

#include <algorithm>

#include "platform/clock.h"

namespace redeye {

namespace {

constexpr std::uint64_t limit_us = platform::lirc::max_write_us;

// Waits until the clock reaches deadline_ns: a virtual clock jumps there; the real one sleeps
// whole milliseconds while more than two are left, then polls for the rest.
void wait_until(std::uint64_t deadline_ns) {
  platform::clock::advance_to(deadline_ns);
  for (std::uint64_t now = platform::clock::now_ns(); now < deadline_ns; now = platform::clock::now_ns()) {
    const std::uint64_t left_ms = (deadline_ns - now) / 1000000;
    if (left_ms > 2) platform::clock::sleep(static_cast<std::uint32_t>(std::min<std::uint64_t>(left_ms - 1, 1000)));
  }
}

}  // namespace

lirc_pass_writer::lirc_pass_writer(platform::lirc_device& device) : device_(device) {
  values_.reserve(values_per_write);
}

void lirc_pass_writer::mark(std::int32_t microseconds) {
  if (error_ != 0) return;
  const std::uint32_t value = static_cast<std::uint32_t>(std::clamp<std::int64_t>(microseconds, 1, limit_us));
  if (values_.empty()) {
    wait_pending_space();
  } else if (pending_space_us_ == 0) {
    // Mark after mark: one longer pulse, unless that breaks the time limit.
    if (written_us_ + value <= limit_us) {
      values_.back() += value;
      written_us_ += value;
      return;
    }
    flush();
  } else if (values_.size() + 2 <= values_per_write && written_us_ + pending_space_us_ + value <= limit_us) {
    values_.push_back(static_cast<std::uint32_t>(pending_space_us_));
    values_.push_back(value);
    written_us_ += pending_space_us_ + value;
    pending_space_us_ = 0;
    return;
  } else {
    flush();
    wait_pending_space();
  }
  if (error_ != 0) return;
  values_.push_back(value);
  written_us_ = value;
}

void lirc_pass_writer::space(std::int32_t microseconds) {
  pending_space_us_ += static_cast<std::uint64_t>(microseconds < 0 ? -std::int64_t{microseconds} : microseconds);
}

int lirc_pass_writer::finish() {
  flush();
  wait_pending_space();
  return error_;
}

void lirc_pass_writer::flush() {
  if (!values_.empty() && error_ == 0) error_ = device_.write(values_);
  values_.clear();
  written_us_ = 0;
}

void lirc_pass_writer::wait_pending_space() {
  if (error_ == 0 && pending_space_us_ != 0) wait_until(platform::clock::now_ns() + pending_space_us_ * 1000);
  pending_space_us_ = 0;
}

}  // namespace redeye
