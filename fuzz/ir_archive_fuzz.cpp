// Opens arbitrary bytes as an IR archive database. A failure is a database load code or 1112 and
// leaves the archive closed; a success browses every category, brand and model as the Add Device
// wizard does, and every model's signals must be named signal records that decode or report a
// signal code, with find_signal finding each name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ir/signal_data.h"
#include "storage/codebase_record.h"
#include "storage/ir_archive.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  xman::ir_archive archive;
  const zq::result_t result = archive.open_image(std::vector<std::uint8_t>(data, data + size));
  if (result != zq::rc::ok) {
    check(result == zq::rc::file_too_short || result == zq::rc::ir_archive_damaged);
    check(!archive.is_open() && archive.categories().empty() && archive.all_models().empty());
    return 0;
  }
  check(archive.categories().size() == archive.header().category_count);
  check(archive.all_models().size() == archive.header().model_count);
  std::size_t listed = 0;
  for (int category = 0; category < static_cast<int>(archive.categories().size()); ++category) {
    const std::vector<std::string> brands = archive.brands(category);
    for (int brand = 0; brand < static_cast<int>(brands.size()); ++brand) {
      const std::vector<std::string> models = archive.models(brand);
      check(!models.empty());
      listed += models.size();
      for (int model = 0; model < static_cast<int>(models.size()); ++model) {
        for (const std::span<const std::uint8_t> record : archive.model_signals(model)) {
          const xman::codebase_record_info info = xman::classify_codebase_record(record);
          check(xman::is_signal_kind(info.kind));
          std::span<const std::uint8_t> found;
          check(archive.find_signal(model, info.name, found) == zq::rc::ok);
          redeye::signal_data signal;
          const zq::result_t decoded = redeye::decode_signal_record(record, 0, signal);
          check(decoded == zq::rc::ok || decoded == zq::rc::signal_without_items ||
                decoded == zq::rc::bad_signal_record);
        }
      }
    }
  }
  // Every model of the chain is listed under its category and brand exactly once.
  check(listed == archive.all_models().size());
  return 0;
}
