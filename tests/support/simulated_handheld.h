// A simulated handheld installed for one test: the virtual clock from 0, the platform's records
// (thread changes, serial ports, key states, input purges) cleared, no IR driver yet. Everything is
// put back when the test ends.
#pragma once

#include <memory>
#include <string_view>

#include "hwsim/device.h"

namespace zqtest {

class simulated_handheld {
 public:
  explicit simulated_handheld(hwsim::device_description description);
  explicit simulated_handheld(std::string_view processor_text, std::uint32_t clock_hz = 0)
      : simulated_handheld(hwsim::device_description::from_text(processor_text, clock_hz)) {}
  ~simulated_handheld();
  simulated_handheld(const simulated_handheld&) = delete;
  simulated_handheld& operator=(const simulated_handheld&) = delete;

  hwsim::device& device() { return *device_; }

 private:
  std::unique_ptr<hwsim::device> device_;
};

// Clears the platform's records and the IR driver without installing anything.
void reset_platform_state();

}  // namespace zqtest
