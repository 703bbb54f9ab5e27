// The PXA transmit loop against the simulated handheld's register pages: one send of a
// 300-duration signal (an NEC-shaped code: 560 us marks, 560/1690 us spaces), three passes, on the
// virtual clock. Figure to reach: a whole send (load, settle, three passes) in under 50 ms of real
// time. The counters show how much virtual time and how many timer reads one send covers.
#include <benchmark/benchmark.h>

#include <vector>

#include "hwsim/device.h"
#include "ir/driver_registry.h"
#include "platform/clock.h"
#include "platform/serial_port.h"
#include "platform/thread_priority.h"

namespace {

std::vector<std::int32_t> three_hundred_durations() {
  std::vector<std::int32_t> d;
  d.reserve(300);
  for (int i = 0; i < 150; ++i) {
    d.push_back(560);
    d.push_back(i % 3 == 0 ? -1690 : -560);
  }
  return d;
}

void BM_PxaSend300Durations3Passes(benchmark::State& state) {
  platform::clock::use_virtual(0);
  hwsim::device device(hwsim::device_description::from_text("Intel PXA255"));
  device.install();
  redeye::release_driver();
  redeye::CIrDrvr* driver = redeye::get_driver();
  if (driver == nullptr) {
    state.SkipWithError("no driver");
    return;
  }
  const std::vector<std::int32_t> signal = three_hundred_durations();

  std::uint64_t virtual_ns = 0;
  std::size_t edges = 0;
  for (auto _ : state) {
    const std::uint64_t start = platform::clock::now_ns();
    if (driver->load(signal.data(), 300, 0, 26) != 0 || driver->transmit(0, 0) != 0) {
      state.SkipWithError("send failed");
      break;
    }
    driver->close();
    virtual_ns += platform::clock::now_ns() - start;
    edges += device.led().edges().size();
    device.led().clear();
    platform::reset_thread_scheduling();
  }
  const double sends = static_cast<double>(state.iterations());
  state.counters["virtual_ms_per_send"] = sends > 0 ? static_cast<double>(virtual_ns) / 1e6 / sends : 0;
  state.counters["edges_per_send"] = sends > 0 ? static_cast<double>(edges) / sends : 0;
  // Each counter read is one tick of the 3.6864 MHz timer.
  state.counters["timer_reads"] =
      benchmark::Counter(static_cast<double>(virtual_ns) * 3.6864e-3, benchmark::Counter::kIsRate);

  redeye::release_driver();
  platform::reset_serial_ports();
  device.uninstall();
  platform::clock::use_real();
}
BENCHMARK(BM_PxaSend300Durations3Passes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
