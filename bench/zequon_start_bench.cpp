// Zequon's start as a user meets it: the program copied with its skins into a folder of its own
// with 200 codebases installed and the screen and IR port chosen at an earlier start, run headless
// from process start until its first frame is painted (the script's only line runs once the
// program is idle with everything painted, and ends it). Figures to reach: under 150 ms from
// start to the first painted frame, and under 24 MB at the peak (peak_mb, the largest resident
// size of the program's runs).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_process.h"
#include "platform/file_system.h"
#include "storage/settings.h"

namespace {

namespace fs = std::filesystem;

class installed_program {
 public:
  installed_program() {
    std::string pattern = (fs::temp_directory_path() / "zequon-start-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    std::error_code error;
    fs::copy_file(ZEQUON_PATH, folder_ / "Zequon", error);
    if (!error) fs::copy(ZQ_SKIN_FOLDER, folder_ / "Skins", fs::copy_options::recursive, error);
    if (!error) fs::copy_file(fs::path(ZEQUON_PATH).parent_path() / "Orientix.so", folder_ / "Orientix.so", error);
    if (error) return;
    xman::settings settings(platform::device_path(folder_ / "Zequon.pref"));
    if (settings.set_screen_orientation(0) != 0 || settings.set_screen_class(0) != 0 ||
        settings.set_ir_port(L"COM3:") != 0)
      return;
    const std::string codebases = (folder_ / "Codebases").string();
    for (int i = 0; i < 200; ++i) {
      if (zqbench::run_program(ZQTOOL_PATH, {"codebase", "create", codebases, "Device " + std::to_string(i)}) != 0)
        return;
    }
    std::ofstream(folder_ / "script.txt") << "quit\n";
    ok_ = true;
  }
  ~installed_program() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }
  bool ok() const { return ok_; }
  int start() const {
    return zqbench::run_program((folder_ / "Zequon").string(), {},
                                {"ZEQUON_SCRIPT=" + (folder_ / "script.txt").string(),
                                 "ZEQUON_NAMESPACE=" + folder_.string()});
  }

 private:
  fs::path folder_;
  bool ok_ = false;
};

void BM_StartToFirstFrameWith200Codebases(benchmark::State& state) {
  installed_program program;
  if (!program.ok()) {
    state.SkipWithError("cannot install the program");
    return;
  }
  const double cpu_before = zqbench::children_cpu_ms();
  for (auto _ : state) {
    if (program.start() != 0) {
      state.SkipWithError("the program did not start");
      break;
    }
  }
  state.counters["child_cpu_ms"] =
      (zqbench::children_cpu_ms() - cpu_before) / static_cast<double>(state.iterations());
  state.counters["peak_mb"] = zqbench::children_peak_mb();
}
BENCHMARK(BM_StartToFirstFrameWith200Codebases)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
