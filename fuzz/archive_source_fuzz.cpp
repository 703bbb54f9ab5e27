// Compiles arbitrary bytes as an IR archive source text. A failure is 1115 with the number of a
// line of the text, or 1116, and leaves the output alone; a success gives content whose models
// name existing categories and brands and whose signals are named signal records, which the
// archive writer accepts unless the records would need numbers beyond 16 bits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "ir/archive_source.h"
#include "storage/codebase_record.h"
#include "storage/ir_archive_writer.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<char> text(data, data + size);
  const std::string_view view(text.data(), text.size());
  xman::ir_archive_content content;
  content.brands = {"untouched"};
  redeye::archive_source_error error;
  const zq::result_t result = redeye::compile_archive_source(view, content, &error);
  if (result != zq::rc::ok) {
    check(result == zq::rc::ir_archive_source_malformed || result == zq::rc::ir_archive_empty);
    check(content.brands.size() == 1 && content.models.empty());
    std::size_t lines = 1;
    for (const char c : view) lines += c == '\n' ? 1 : 0;
    check(error.line <= lines && !error.message.empty());
    return 0;
  }
  check(!content.categories.empty() && !content.models.empty());
  for (const xman::ir_archive_content::model& model : content.models) {
    check(model.category < content.categories.size() && model.brand < content.brands.size());
    for (const std::vector<std::uint8_t>& signal : model.signals) {
      check(xman::is_signal_kind(xman::classify_codebase_record(signal).kind));
    }
  }
  std::vector<std::vector<std::uint8_t>> records;
  const zq::result_t built = xman::build_ir_archive_records(content, records);
  check(built == zq::rc::ok || built == zq::rc::ir_archive_too_large || built == zq::rc::ir_archive_content_invalid);
  return 0;
}
