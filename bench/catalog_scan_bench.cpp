// Setting up the codebases catalog on a folder of 1000 codebase files (type "Rda1", a few hundred
// bytes each): enumerate the folder and read every header.
//
// Figure to reach: under 30 ms for set-up and scan of the 1000 files.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/file_system.h"
#include "storage/database_catalog.h"
#include "storage/database_image.h"

namespace {

constexpr int kFiles = 1000;

// A temporary folder of codebase files, removed at the end.
class codebase_folder {
 public:
  codebase_folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zq-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    for (int i = 0; i < kFiles; ++i) write_codebase(i);
  }
  ~codebase_folder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::wstring device_path() const { return platform::device_path(path_) + L"\\"; }

 private:
  void write_codebase(int i) const {
    const std::string name = "Codebase " + std::to_string(i);
    xman::header_bytes header{};
    std::copy(name.begin(), name.end(), header.begin());
    header[34] = 0x01;  // version 330
    header[35] = 0x4A;
    std::copy_n("Rda1zQed", 8, header.begin() + xman::kTypeOffset);
    const std::vector<std::uint8_t> layout(240 + i % 100, 0x5A);
    const std::vector<std::uint8_t> signal(60, 0x11);
    const std::span<const std::uint8_t> records[] = {layout, signal};
    std::vector<std::uint8_t> image;
    if (!xman::build_database_image(header, 0, records, image)) throw std::runtime_error("image");
    std::ofstream out(path_ / ("codebase_" + std::to_string(i) + ".pdb"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  }

  std::filesystem::path path_;
};

void BM_CatalogSetUpAndScan(benchmark::State& state) {
  const codebase_folder folder;
  const xman::catalog_filter filter{{xman::kCreator, xman::kTypeCodebaseOld},
                                    {xman::kCreator, xman::kTypeCodebase},
                                    {xman::kCreator, xman::kTypeCodebaseTemporary}};
  for (auto _ : state) {
    xman::database_catalog catalog;
    catalog.set_up(folder.device_path(), filter);
    if (catalog.names().size() != kFiles) {
      state.SkipWithError("not every codebase was found");
      break;
    }
    benchmark::DoNotOptimize(catalog);
  }
}
BENCHMARK(BM_CatalogSetUpAndScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
