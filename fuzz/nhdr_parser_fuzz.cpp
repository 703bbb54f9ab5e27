// Parses arbitrary bytes as the default hard-button records. Whatever the outcome, every entry
// must be a key with its texts as the records spelled them (no NUL inside), and the records of a
// successful parse, spelled again, must parse to the same table.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/default_assignments.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

void append_text(std::vector<std::uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> records(data, data + size);
  outworld::assignment_table table;
  const zq::result_t result = outworld::parse_default_assignments(records, table);
  check(result == zq::rc::ok || result == zq::rc::malformed_document);
  std::vector<std::uint8_t> spelled;
  for (const auto& [key, entry] : table) {
    check(!key.empty());
    for (const std::string* text : {&key, &entry.codebase, &entry.command}) check(text->find('\0') == text->npos);
    append_text(spelled, key);
    append_text(spelled, entry.codebase);
    append_text(spelled, entry.command);
    spelled.insert(spelled.end(), {0, 0});
  }
  check(spelled.size() <= size);
  outworld::assignment_table again;
  check(outworld::parse_default_assignments(spelled, again) == zq::rc::ok);
  check(again == table);
  return 0;
}
