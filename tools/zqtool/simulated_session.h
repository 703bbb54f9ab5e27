// One run on a simulated handheld: the virtual clock from 0, the device installed as the
// platform's hardware, no IR driver yet (the first get_driver detects the device's processor).
// Everything is put back when the session ends.
#pragma once

#include "hwsim/device.h"

namespace zqtool {

class simulated_session {
 public:
  explicit simulated_session(hwsim::device_description description);
  ~simulated_session();
  simulated_session(const simulated_session&) = delete;
  simulated_session& operator=(const simulated_session&) = delete;

  hwsim::device& device() { return device_; }

 private:
  hwsim::device device_;
};

}  // namespace zqtool
