// The handheld a program runs on, emulated: the backend chosen as the environment says (a desktop
// window, or headless with ZEQUON_SCRIPT, ZEQUON_TRANSCRIPT, ZEQUON_CLOCK), the device profile
// ZEQUON_DEVICE names (screen, dots per inch, registry) and its simulated processor installed as
// the platform's hardware. Every program of the product starts the same way.
#pragma once

#include <memory>
#include <string>

#include "hwsim/device.h"
#include "platform/backend_choice.h"
#include "platform/device_profile.h"
#include "platform/headless/headless_session.h"
#include "platform/sdl/sdl_backend.h"

namespace host {

enum class start_t {
  as_environment_says,  // the backend the environment chooses; a headless run plays its script
  driven_headless,      // headless without a script: the program drives itself and ends on its own
};

class emulated_handheld {
 public:
  emulated_handheld() = default;
  emulated_handheld(const emulated_handheld&) = delete;
  emulated_handheld& operator=(const emulated_handheld&) = delete;

  // Starts everything; false after a problem was reported on standard error, starting with the
  // program's name. title names the desktop window.
  bool start(const char* program, const std::string& title, start_t how = start_t::as_environment_says);
  // The program's exit code once its loop ended with loop_exit (a failed script makes it 1).
  int finish(int loop_exit);

  platform::backend_t backend() const { return backend_; }
  const platform::device_profile& device() const { return device_; }

 private:
  platform::backend_t backend_ = platform::backend_t::headless;
  start_t how_ = start_t::as_environment_says;
  platform::device_profile device_;
  platform::headless::session session_;
  platform::sdl::backend desktop_;
  std::unique_ptr<hwsim::device> hardware_;
};

}  // namespace host
