// Opening a codebase and decoding all its signals, as the remote screen does for a large learned
// codebase: 300 NEC-like signals of 71 durations each (leader, 32 bits, stop, gap and a repeat
// frame) in one database file.
//
// Target: open + decode every signal in under 2 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ir/codebase_signals.h"
#include "ir/signal_data.h"
#include "platform/file_system.h"
#include "storage/codebase.h"
#include "storage/codebase_catalog.h"
#include "storage/database_catalog.h"

namespace {

constexpr int kSignals = 300;

redeye::signal_data nec_signal(std::uint32_t code) {
  redeye::signal_data signal;
  signal.carrier_period = 26;
  signal.durations = {9000, -4500};
  for (int bit = 0; bit < 32; ++bit) {
    signal.durations.push_back(560);
    signal.durations.push_back((code >> bit) & 1 ? -1690 : -560);
  }
  signal.durations.push_back(560);
  signal.durations.push_back(-40000);
  signal.repeat_index = static_cast<std::uint16_t>(signal.durations.size());
  signal.durations.insert(signal.durations.end(), {9000, -2250, 560, -96000});
  return signal;
}

class codebase_fixture {
 public:
  codebase_fixture() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zq-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    catalog_.set_up(platform::device_path(folder_), xman::codebase_catalog::filter());
    std::vector<std::vector<std::uint8_t>> records;
    for (int i = 0; i < kSignals; ++i) {
      const std::uint32_t address = 0x04;
      const std::uint32_t command = static_cast<std::uint32_t>(i) & 0xFF;
      const std::uint32_t code = address | (~address & 0xFF) << 8 | command << 16 | (~command & 0xFF) << 24;
      std::vector<std::uint8_t> record;
      if (redeye::encode_signal_record("Key " + std::to_string(i), nec_signal(code), record) != 0) std::abort();
      records.push_back(std::move(record));
    }
    const std::vector<std::uint8_t> layout{0x01, 0x2A, 0x07, 'r', 'e', 'm', 'o', 't', 'e', 0x00, 0x02};
    if (xman::codebase_catalog(catalog_).create("Bench", layout, records) != 0) std::abort();
  }
  ~codebase_fixture() {
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }

  xman::database_catalog& catalog() { return catalog_; }

 private:
  std::filesystem::path folder_;
  xman::database_catalog catalog_;
};

void BM_CodebaseOpenAndDecodeAll(benchmark::State& state) {
  codebase_fixture fixture;
  xman::codebase codebase(fixture.catalog());
  redeye::signal_data signal;
  std::size_t durations = 0;
  for (auto _ : state) {
    if (codebase.open("Bench") != 0) std::abort();
    for (const auto& [name, index] : codebase.signals()) {
      if (redeye::read_signal(codebase, index, 0, signal) != 0) std::abort();
      durations += signal.durations.size();
    }
    codebase.close();
  }
  benchmark::DoNotOptimize(durations);
  state.counters["signals"] = kSignals;
}
BENCHMARK(BM_CodebaseOpenAndDecodeAll)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
