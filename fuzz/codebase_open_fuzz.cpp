// Opens the input as a whole codebase file image: builds the signal and macro indexes, decodes
// both readings of every signal record and reads every macro record through. Checks that every
// index entry names a record of its own kind whose name lies inside the record, and that the
// lowest record of a name is the one found.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ir/codebase_signals.h"
#include "storage/codebase.h"
#include "storage/codebase_record.h"
#include "storage/database_catalog.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

void check_index(const xman::codebase& codebase, const xman::codebase_index& index, bool macros) {
  for (const auto& [name, at] : index) {
    check(at > 0 && at < codebase.record_count());
    const std::span<const std::uint8_t> record = codebase.record(at);
    const auto* begin = reinterpret_cast<const char*>(record.data());
    check(name.data() >= begin && name.data() + name.size() < begin + record.size());
    const xman::codebase_record_info info = xman::classify_codebase_record(record);
    check(info.name == name);
    check(macros ? info.kind == xman::codebase_record_kind_t::macro : xman::is_signal_kind(info.kind));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static xman::database_catalog catalog;  // never set up: the image is opened directly
  xman::codebase codebase(catalog);
  if (codebase.open_image(std::vector<std::uint8_t>(data, data + size)) != 0) return 0;

  std::span<const std::uint8_t> layout;
  (void)codebase.layout(layout);
  check_index(codebase, codebase.signals(), false);
  check_index(codebase, codebase.macros(), true);

  volatile std::uint32_t sink = 0;
  for (std::size_t i = 1; i < codebase.record_count(); ++i) {
    const xman::codebase_record_info info = xman::classify_codebase_record(codebase.record(i));
    if (xman::is_signal_kind(info.kind)) {
      // The first record of a name is the one found.
      check(codebase.signal_index_of(info.name) <= static_cast<int>(i));
      for (unsigned reading = 0; reading < 2; ++reading) {
        redeye::signal_data signal;
        if (redeye::read_signal(codebase, i, reading, signal) == 0) {
          for (const std::int32_t duration : signal.durations) sink = sink + static_cast<std::uint32_t>(duration);
        }
      }
    } else if (info.kind == xman::codebase_record_kind_t::macro) {
      check(codebase.macro_index_of(info.name) <= static_cast<int>(i));
      for (const std::uint8_t byte : codebase.record(i)) sink = sink + byte;
    }
  }
  return 0;
}
