// zqtool ir on the simulated handheld, timed as a user runs it: the whole process, from start to
// exit. Figures to reach: "zqtool ir send" of a 300-duration signal with three passes in under
// 50 ms of real time, and "zqtool ir learn" that waits out the 20-second time-out (nothing
// received) in under 2 s. Both run on the virtual clock, so the figures measure the work of the
// drivers' loops against the simulated registers, not the signal's own length (about 0.9 s of
// virtual time for the send, 20 s for the time-out). child_cpu_ms is the processor time the tool
// used, which a busy machine does not inflate.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_process.h"

namespace {

// Runs zqtool with its output thrown away; the exit status, or -1.
int run_tool(const std::vector<std::string>& args) { return zqbench::run_program(ZQTOOL_PATH, args); }

using zqbench::children_cpu_ms;

// A folder with a codebase holding "Long": 300 durations shaped like an NEC code (560 us marks,
// 560 and 1690 us spaces).
class bench_codebase {
 public:
  bench_codebase() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zqtool-ir-bench-XXXXXX").string();
    folder_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    file_ = folder_ + "/TV.pdb";
    std::vector<std::string> put{"codebase", "put-signal", file_, "Long", "--carrier", "26", "--repeat", "0"};
    for (int i = 0; i < 150; ++i) {
      put.push_back("560");
      put.push_back(i % 3 == 0 ? "-1690" : "-560");
    }
    ok_ = !folder_.empty() && run_tool({"codebase", "create", folder_, "TV"}) == 0 && run_tool(put) == 0;
    std::ofstream(folder_ + "/silence.txt") << "# nothing received\n";
  }
  ~bench_codebase() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  bool ok() const { return ok_; }
  const std::string& file() const { return file_; }
  std::string silence() const { return folder_ + "/silence.txt"; }

 private:
  std::string folder_;
  std::string file_;
  bool ok_ = false;
};

void BM_IrSend300Durations3Passes(benchmark::State& state, const char* cpu) {
  bench_codebase codebase;
  if (!codebase.ok()) {
    state.SkipWithError("cannot write the codebase");
    return;
  }
  const double cpu_before = children_cpu_ms();
  for (auto _ : state) {
    if (run_tool({"ir", "send", codebase.file(), "Long", "--sim", cpu, "--passes", "0"}) != 0) {
      state.SkipWithError("send failed");
      break;
    }
  }
  state.counters["child_cpu_ms"] = (children_cpu_ms() - cpu_before) / static_cast<double>(state.iterations());
}
#define ZQ_SEND_BENCH(name, cpu) \
  BENCHMARK_CAPTURE(BM_IrSend300Durations3Passes, name, cpu)->Unit(benchmark::kMillisecond)->UseRealTime()
ZQ_SEND_BENCH(sa1110, "SA1110");
ZQ_SEND_BENCH(pxa255, "PXA255");
ZQ_SEND_BENCH(pxa270, "PXA270");
ZQ_SEND_BENCH(s3c2410, "S3C2410");
ZQ_SEND_BENCH(s3c2440, "S3C2440");
ZQ_SEND_BENCH(omap1510, "OMAP1510");
ZQ_SEND_BENCH(omap850, "OMAP850");

void BM_IrLearn20SecondTimeout(benchmark::State& state, const char* cpu) {
  bench_codebase codebase;
  const double cpu_before = children_cpu_ms();
  for (auto _ : state) {
    // Nothing is received: the capture gives up after 20 s with code 17 (exit status 1).
    if (run_tool({"ir", "learn", "--sim", cpu, "--input", codebase.silence()}) != 1) {
      state.SkipWithError("learn did not time out");
      break;
    }
  }
  state.counters["child_cpu_ms"] = (children_cpu_ms() - cpu_before) / static_cast<double>(state.iterations());
}
#define ZQ_LEARN_BENCH(name, cpu) \
  BENCHMARK_CAPTURE(BM_IrLearn20SecondTimeout, name, cpu)->Unit(benchmark::kMillisecond)->UseRealTime()
ZQ_LEARN_BENCH(sa1110, "SA1110");
ZQ_LEARN_BENCH(pxa255, "PXA255");
ZQ_LEARN_BENCH(pxa270, "PXA270");
ZQ_LEARN_BENCH(s3c2440, "S3C2440");
ZQ_LEARN_BENCH(omap1510, "OMAP1510");
ZQ_LEARN_BENCH(omap850, "OMAP850");

}  // namespace

BENCHMARK_MAIN();
