// zqtour: the program's dialogs one after the other on the emulated handheld (ZEQUON_DEVICE) — the
// IR port setup, its help page, a port warning, Flip Screen and About — each as on a first start.
//
//   zqtour FOLDER   headless: each dialog is photographed to FOLDER/NAME.png and closed
//   zqtour          on the desktop (or as ZEQUON_BACKEND says): each dialog waits to be closed
//
// Only the emulated handheld's own ports are listed while photographing, so that the pictures do
// not depend on the infrared devices of the machine the tour runs on.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "host/emulated_handheld.h"
#include "platform/lirc_device.h"
#include "platform/pixel_surface.h"
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
  host::emulated_handheld handheld;
  if (!handheld.start("zqtour", "Zequon dialog tour",
                      folder.empty() ? host::start_t::as_environment_says : host::start_t::driven_headless))
    return 2;
  no_lirc_devices no_devices;
  if (!folder.empty()) install_lirc_device_source(&no_devices);

  zqtour::CTourWindow window(folder);
  CWnd::RegisterClass(L"ZqTourWindow", rgb(255, 255, 255));
  if (!window.Create(L"ZqTourWindow", L"Zequon dialog tour", ws::overlapped | ws::visible,
                     {0, 0, handheld.device().screen.cx, handheld.device().screen.cy}, nullptr, 0)) {
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
  return handheld.finish(exit_code);
}
