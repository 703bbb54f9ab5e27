// Plays marks and spaces on a LIRC device (LIRC_MODE_PULSE). The kernel times the signal: the
// durations are gathered into writes it accepts (pulse first and last, at most 512 values, none
// zero, adding up to at most 500 ms) and each write returns once it has been sent. A space that
// cannot go inside a write — one before the first mark, the closing one, or one where a write has
// to end because the next mark would break a limit — is waited on the platform clock from the
// moment the write before it returned.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/lirc_device.h"

namespace redeye {

class lirc_pass_writer {
 public:
  explicit lirc_pass_writer(platform::lirc_device& device);

  // A mark of that many microseconds: at least 1 and at most 500 ms are sent (the kernel refuses
  // other values). Neighbouring marks are sent as one.
  void mark(std::int32_t microseconds);
  // A space (negative; its length counts). Neighbouring spaces add up.
  void space(std::int32_t microseconds);
  // Sends what is gathered and waits the closing space. 0, or the device's first error number;
  // once a write has failed nothing more is sent or waited.
  [[nodiscard]] int finish();

  // An odd count: the most values one write may hold.
  static constexpr std::size_t values_per_write = platform::lirc::max_write_values - 1;

 private:
  void flush();
  void wait_pending_space();

  platform::lirc_device& device_;
  std::vector<std::uint32_t> values_;  // the write being gathered: pulse, space, ..., pulse
  std::uint64_t written_us_ = 0;       // what values_ adds up to
  std::uint64_t pending_space_us_ = 0;  // the space after the last mark
  int error_ = 0;
};

}  // namespace redeye
