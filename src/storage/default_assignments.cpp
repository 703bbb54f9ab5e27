#include "storage/default_assignments.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace outworld {
namespace {

// The NUL-terminated text at pos; false when no NUL follows before the end.
bool read_text(std::span<const std::uint8_t> data, std::size_t& pos, std::string& text) {
  const auto begin = data.begin() + static_cast<std::ptrdiff_t>(pos);
  const auto nul = std::find(begin, data.end(), std::uint8_t{0});
  if (nul == data.end()) return false;
  text.assign(begin, nul);
  pos = static_cast<std::size_t>(nul - data.begin()) + 1;
  return true;
}

// The shipped records, spelled as one string literal; its own terminating NUL ends the list.
constexpr char shipped[] =
    "Left\0@@current\0Vol-\0\0\0"
    "Right\0@@current\0Vol+\0\0\0"
    "Up\0@@current\0Ch+\0\0\0"
    "Down\0@@current\0Ch-\0\0\0"
    "Select\0@@current\0OK\0\0\0"
    "40C1\0@@current\0Mute\0\0\0"
    "40C2\0@@current\0Power\0\0\0";

}  // namespace

zq::result_t parse_default_assignments(std::span<const std::uint8_t> records, assignment_table& table) {
  std::size_t pos = 0;
  std::string key;
  assignment entry;
  while (pos < records.size() && records[pos] != 0) {
    if (!read_text(records, pos, key) || !read_text(records, pos, entry.codebase) ||
        !read_text(records, pos, entry.command)) {
      return zq::rc::malformed_document;
    }
    if (records.size() - pos < 2 || records[pos] != 0 || records[pos + 1] != 0) return zq::rc::malformed_document;
    pos += 2;
    table.insert_or_assign(key, entry);
  }
  return zq::rc::ok;
}

std::span<const std::uint8_t> shipped_default_assignments() {
  return {reinterpret_cast<const std::uint8_t*>(shipped), sizeof shipped};
}

}  // namespace outworld
