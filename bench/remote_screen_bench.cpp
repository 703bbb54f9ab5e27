// The remote screen in the program's own process on the headless backend: a TV codebase made by
// zqtool from the metalic skin's pattern, shown in the two viewers of the remote screen.
//
// Figures to reach:
// - a full repaint of both viewers (top panel and device page drawn and copied to the windows):
//   under 2 ms at 240 x 320 and under 6 ms at 480 x 640;
// - a stylus-down on a signal button to the first LED edge: the transceiver's 100 ms settling sleep
//   plus under 5 ms. The settling sleep passes on the virtual clock; "software_ms" is the real time
//   the tap takes to reach the driver's transmit, "first_edge_ms" the virtual time to the first edge.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "bench_process.h"
#include "hwsim/device.h"
#include "ir/driver_registry.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/headless/headless_backend.h"
#include "platform/serial_port.h"
#include "platform/thread_priority.h"
#include "platform/window.h"
#include "platform/window_cwnd.h"
#include "remote/device.h"
#include "remote/layer.h"
#include "remote/skin_libraries.h"
#include "remote/window_control.h"
#include "storage/codebase_catalog.h"
#include "storage/database_catalog.h"

namespace {

namespace fs = std::filesystem;

class remote_screen {
 public:
  // screen_class 0 (240 x 320) or 3 (480 x 640).
  explicit remote_screen(int screen_class) {
    std::string pattern = (fs::temp_directory_path() / "zq-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    const std::string codebases = (folder_ / "Codebases").string();
    fs::create_directories(codebases);
    if (zqbench::run_program(ZQTOOL_PATH,
                             {"codebase", "create", codebases, "TV", "--pattern", "zq-skin-metalic:TV"}) != 0 ||
        zqbench::run_program(ZQTOOL_PATH, {"codebase", "put-signal", (folder_ / "Codebases" / "TV.pdb").string(),
                                           "Power", "--carrier", "26", "--repeat", "2", "9000", "-4500", "560",
                                           "-1690", "560", "-40000"}) != 0)
      std::abort();
    const int scale = screen_class >= 3 ? 2 : 1;
    platform::headless::start({240 * scale, 320 * scale});
    layer::set_screen_class(screen_class);
    remote::skin_libraries::instance().set_folder(platform::device_path(std::string(ZQ_SKIN_FOLDER)));
    databases_.set_up(platform::device_path(fs::path(codebases)), xman::codebase_catalog::filter());
    platform::CWnd::RegisterClass(L"BenchFrame", std::nullopt);
    frame_ = platform::create_window({L"BenchFrame", L"Zequon", platform::ws::overlapped | platform::ws::visible, 0,
                                      {0, 0, 240 * scale, 320 * scale}, platform::no_window, 0, nullptr});
    control_ = std::make_unique<remote::window_control>(databases_);
    const int panel = 42 * scale;
    control_->create(frame_, {0, 0, 240 * scale, panel}, {0, panel, 240 * scale, 320 * scale});
    if (control_->load_codebase("TV", 0) != 0) std::abort();
    repaint();
    if (control_->remote().page_count() == 0) std::abort();  // nothing was drawn
  }
  ~remote_screen() {
    control_.reset();
    platform::destroy_window(frame_);
    std::error_code error;
    fs::remove_all(folder_, error);
  }
  void repaint() {
    control_->top_viewer().repaint_now();
    control_->main_viewer().repaint_now();
  }
  remote::window_control& control() { return *control_; }

 private:
  fs::path folder_;
  xman::database_catalog databases_;
  platform::hwnd frame_ = platform::no_window;
  std::unique_ptr<remote::window_control> control_;
};

void BM_RemoteScreenFullRepaint(benchmark::State& state) {
  remote_screen screen(static_cast<int>(state.range(0)));
  for (auto _ : state) screen.repaint();
  state.SetLabel(state.range(0) == 0 ? "240x320" : "480x640");
}
BENCHMARK(BM_RemoteScreenFullRepaint)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_TapToFirstLedEdge(benchmark::State& state) {
  platform::clock::use_virtual(0);
  hwsim::device device(hwsim::device_description::from_text("Intel PXA255"));
  device.install();
  redeye::release_driver();
  if (redeye::get_driver() == nullptr) {
    state.SkipWithError("no driver");
    return;
  }
  redeye::get_driver()->set_port_name(L"COM3:");
  {
    remote_screen screen(0);
    remote::device& dev = screen.control().remote();
    remote::button* power = nullptr;
    for (remote::button& b : dev.buttons())
      if (b.action == "Power") power = &b;
    if (power == nullptr) {
      state.SkipWithError("no Power button");
      return;
    }
    const mif::rectangle at = power->rect();
    std::chrono::steady_clock::time_point started;
    auto original = dev.ir().signal_event;
    dev.ir().signal_event = [&](outworld::signal_event_t event) {
      if (event == outworld::signal_event_t::started) started = std::chrono::steady_clock::now();
      original(event);
    };
    double software_ms = 0;
    double first_edge_ms = 0;
    for (auto _ : state) {
      device.led().clear();
      const std::uint64_t tapped_ns = platform::clock::now_ns();
      const auto tapped = std::chrono::steady_clock::now();
      screen.control().main_viewer().input(at.x + at.width / 2, at.y + at.height / 2, 0);
      software_ms += std::chrono::duration<double, std::milli>(started - tapped).count();
      if (!device.led().edges().empty())
        first_edge_ms += static_cast<double>(device.led().edges().front().time_ns - tapped_ns) / 1e6;
      platform::reset_thread_scheduling();
    }
    const double taps = static_cast<double>(state.iterations());
    state.counters["software_ms"] = taps > 0 ? software_ms / taps : 0;
    state.counters["first_edge_ms"] = taps > 0 ? first_edge_ms / taps : 0;
  }
  redeye::release_driver();
  platform::reset_serial_ports();
  device.uninstall();
  platform::clock::use_real();
}
BENCHMARK(BM_TapToFirstLedEdge)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
