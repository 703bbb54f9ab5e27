// The end of a receive, shared by every family: what the capture loop found becomes the captured
// signal of the driver.
#include <algorithm>

#include "ir/capture_loop.h"
#include "ir/capture_postprocess.h"
#include "ir/ir_driver.h"
#include "platform/input_purge.h"

namespace redeye {

zq::result_t CIrDrvr::finish_capture(const capture_run& run) {
  close();
  // Taps made while the capture held the processor are not acted upon.
  platform::purge_pending_input(platform::pending_input_t::stylus);

  // After a capture the carrier period is the measured one (0 when it was not measured).
  count_ = 0;
  start_index_ = 0;
  repeat_index_ = 0;
  carrier_period_ = run.carrier_period;
  if (run.code != zq::rc::ok) return run.code;

  repeated_part part;
  if (const zq::result_t rc = find_repeated_part(run.durations, part); rc != zq::rc::ok) return rc;
  std::copy_n(run.durations.begin(), part.count, durations_.begin());
  count_ = part.count;
  repeat_index_ = part.repeat_index;
  return zq::rc::ok;
}

}  // namespace redeye
