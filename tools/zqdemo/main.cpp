// zqdemo: a window with text and a picture from a skin library, on the desktop or headless, to see the platform
// layer at work. The backend is chosen as the program's is (ZEQUON_BACKEND, ZEQUON_SCRIPT, the
// display); a headless run takes ZEQUON_SCRIPT, ZEQUON_TRANSCRIPT and ZEQUON_CLOCK. ZEQUON_DEVICE
// chooses the emulated handheld: its screen, and the simulated hardware installed for it.
#include <cstdio>
#include <string>

#include "demo_assets.h"
#include "demo_frame.h"
#include "hwsim/device.h"
#include "hwsim/profile_description.h"
#include "platform/backend_choice.h"
#include "platform/device_profile.h"
#include "platform/headless/headless_session.h"
#include "platform/message_loop.h"
#include "platform/screen.h"
#include "platform/sdl/sdl_backend.h"

int main() {
  using namespace platform;
  backend_t backend = backend_t::headless;
  if (!choose_backend(backend_environment_of_process(), sdl::video_starts, backend)) {
    std::fprintf(stderr, "zqdemo: ZEQUON_BACKEND: expected sdl or headless (a script always runs headless)\n");
    return 2;
  }
  device_profile device;
  hwsim::device_description hardware;
  if (std::string problem; load_device_profile_of_process(device, problem) != 0 ||
                           !hwsim::description_from_profile(device, hardware, problem)) {
    std::fprintf(stderr, "zqdemo: ZEQUON_DEVICE: %s\n", problem.c_str());
    return 2;
  }
  const size screen = device.screen;
  headless::session session;
  sdl::backend desktop;
  if (backend == backend_t::headless) {
    if (!session.start(screen)) return 2;
  } else if (std::string error; !desktop.start(screen, "Zequon demo", error)) {
    std::fprintf(stderr, "zqdemo: cannot open a window: %s\n", error.c_str());
    return 2;
  }

  set_screen_dpi(static_cast<int>(device.dpi));
  // Built once the backend has set the clock, which the device's timers start from.
  hwsim::device handheld(std::move(hardware));
  handheld.install();

  module skin;
  if (const zq::result_t rc = zqdemo::load_skin(skin); rc != 0) {
    std::fprintf(stderr, "zqdemo: cannot read zq-demo-skin.dll (error %d)\n", static_cast<int>(rc));
    return 2;
  }
  auto* frame = new zqdemo::CDemoFrame(std::move(skin));  // deletes itself with its window
  if (!frame->ready()) {
    std::fprintf(stderr, "zqdemo: zq-demo-skin.dll lacks the picture %u or the text %u\n",
                 unsigned{zqdemo::picture_id}, unsigned{zqdemo::help_text_id});
    delete frame;
    return 2;
  }
  if (!frame->Create(L"", L"Zequon demo")) {
    std::fprintf(stderr, "zqdemo: cannot create the window\n");
    return 2;
  }
  const hwnd frame_window = frame->GetSafeHwnd();
  const int exit_code = run_message_loop();
  // A script's end quits the loop with the frame still open: destroying it deletes the frame.
  if (is_window(frame_window)) destroy_window(frame_window);
  return backend == backend_t::headless ? session.finish(exit_code) : exit_code;
}
