#include "host/emulated_handheld.h"

#include <cstdio>

#include "hwsim/profile_description.h"
#include "platform/headless/headless_backend.h"
#include "platform/screen.h"

namespace host {

bool emulated_handheld::start(const char* program, const std::string& title, start_t how) {
  using namespace platform;
  how_ = how;
  if (how == start_t::as_environment_says &&
      !choose_backend(backend_environment_of_process(), sdl::video_starts, backend_)) {
    std::fprintf(stderr, "%s: ZEQUON_BACKEND: expected sdl or headless (a script always runs headless)\n", program);
    return false;
  }
  hwsim::device_description hardware;
  if (std::string problem; load_device_profile_of_process(device_, problem) != 0 ||
                           !hwsim::description_from_profile(device_, hardware, problem)) {
    std::fprintf(stderr, "%s: ZEQUON_DEVICE: %s\n", program, problem.c_str());
    return false;
  }
  if (how == start_t::driven_headless) {
    if (!headless::start(device_.screen)) return false;
  } else if (backend_ == backend_t::headless) {
    if (!session_.start(device_.screen)) return false;
  } else if (std::string error; !desktop_.start(device_.screen, title, error)) {
    std::fprintf(stderr, "%s: cannot open a window: %s\n", program, error.c_str());
    return false;
  }
  set_screen_dpi(static_cast<int>(device_.dpi));
  // Built once the backend has set the clock, which the device's timers start from.
  hardware_ = std::make_unique<hwsim::device>(std::move(hardware));
  hardware_->install();
  return true;
}

int emulated_handheld::finish(int loop_exit) {
  const bool scripted = how_ == start_t::as_environment_says && backend_ == platform::backend_t::headless;
  return scripted ? session_.finish(loop_exit) : loop_exit;
}

}  // namespace host
