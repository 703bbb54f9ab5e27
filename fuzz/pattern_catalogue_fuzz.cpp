// Arbitrary bytes as a pattern catalogue: pattern lists and import tables are read from them, so
// that a read outside the document shows up under AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <span>

#include "storage/pattern_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> catalogue(data, size);
  const xman::pattern_list tv = xman::read_pattern_list(catalogue, "TV");
  (void)xman::read_pattern_list(catalogue, "*");
  for (const std::string& id : tv.ids) (void)xman::read_import_table(catalogue, "TV_", id);
  (void)xman::read_import_table(catalogue, "", "");
  return 0;
}
