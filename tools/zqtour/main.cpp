// zqtour: the program's dialogs one after the other on the emulated handheld (ZEQUON_DEVICE) — the
// IR port setup, its help page, a port warning, Flip Screen and About — each as on a first start.
//
//   zqtour FOLDER   headless: each dialog is photographed to FOLDER/NAME.png and closed
//   zqtour          on the desktop (or as ZEQUON_BACKEND says): each dialog waits to be closed
//
// Only the emulated handheld's own ports are listed while photographing, so that the pictures do
// not depend on the infrared devices of the machine the tour runs on.
#include <cstdio>
#include <filesystem>
#include <string>

#include "hwsim/device.h"
#include "hwsim/profile_description.h"
#include "platform/backend_choice.h"
#include "platform/device_profile.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_session.h"
#include "platform/lirc_device.h"
#include "platform/pixel_surface.h"
#include "platform/screen.h"
#include "platform/sdl/sdl_backend.h"
#include "tour_stops.h"
#include "tour_window.h"

namespace {

class no_lirc_devices : public platform::lirc_device_source {
 public:
  std::vector<unsigned> device_numbers() override { return {}; }
  int open(unsigned, std::unique_ptr<platform::lirc_device>&) override { return ENOENT; }
};

}  // namespace

int main(int argc, char** argv) {
  using namespace platform;
  if (argc > 2 || (argc == 2 && std::string(argv[1]).starts_with("-"))) {
    std::fprintf(stderr, "usage: zqtour [FOLDER]\n");
    return 2;
  }
  const std::filesystem::path folder = argc == 2 ? argv[1] : "";
  if (!folder.empty() && !std::filesystem::is_directory(folder)) {
    std::fprintf(stderr, "zqtour: %s is not a folder\n", folder.c_str());
    return 2;
  }
  backend_t backend = backend_t::headless;
  if (folder.empty() && !choose_backend(backend_environment_of_process(), sdl::video_starts, backend)) {
    std::fprintf(stderr, "zqtour: ZEQUON_BACKEND: expected sdl or headless (a script always runs headless)\n");
    return 2;
  }
  device_profile device;
  hwsim::device_description hardware;
  if (std::string problem; load_device_profile_of_process(device, problem) != 0 ||
                           !hwsim::description_from_profile(device, hardware, problem)) {
    std::fprintf(stderr, "zqtour: ZEQUON_DEVICE: %s\n", problem.c_str());
    return 2;
  }
  headless::session session;
  sdl::backend desktop;
  if (!folder.empty()) {
    // The tour drives itself: no script, and no quitting once the program is idle between dialogs.
    if (!headless::start(device.screen)) return 2;
  } else if (backend == backend_t::headless) {
    if (!session.start(device.screen)) return 2;
  } else if (std::string error; !desktop.start(device.screen, "Zequon dialog tour", error)) {
    std::fprintf(stderr, "zqtour: cannot open a window: %s\n", error.c_str());
    return 2;
  }
  set_screen_dpi(static_cast<int>(device.dpi));
  hwsim::device handheld(std::move(hardware));
  handheld.install();
  no_lirc_devices no_devices;
  if (!folder.empty()) install_lirc_device_source(&no_devices);

  zqtour::CTourWindow window(folder);
  CWnd::RegisterClass(L"ZqTourWindow", rgb(255, 255, 255));
  if (!window.Create(L"ZqTourWindow", L"Zequon dialog tour", ws::overlapped | ws::visible,
                     {0, 0, device.screen.cx, device.screen.cy}, nullptr, 0)) {
    std::fprintf(stderr, "zqtour: cannot create the window\n");
    return 2;
  }
  int exit_code = 0;
  for (const zqtour::tour_stop& stop : zqtour::tour_stops()) {
    if (window.Photographing()) window.PhotographNext(std::string(stop.name));
    if (stop.run(window) == -1) {
      std::fprintf(stderr, "zqtour: %.*s could not be shown\n", static_cast<int>(stop.name.size()),
                   stop.name.data());
      exit_code = 1;
    }
  }
  for (const std::filesystem::path& file : window.Written()) std::printf("%s\n", file.c_str());
  for (const std::filesystem::path& file : window.Failed()) {
    std::fprintf(stderr, "zqtour: cannot write %s\n", file.c_str());
    exit_code = 1;
  }
  install_lirc_device_source(nullptr);
  window.DestroyWindow();
  return backend == backend_t::headless && folder.empty() ? session.finish(exit_code) : exit_code;
}
