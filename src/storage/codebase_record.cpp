#include "storage/codebase_record.h"

#include <algorithm>

namespace xman {
namespace {

// The NUL-terminated text starting at `start`, or nothing when the record ends before its NUL.
bool terminated_name(std::span<const std::uint8_t> record, std::size_t start, std::string_view& name) {
  if (start >= record.size()) return false;
  const auto begin = record.begin() + static_cast<std::ptrdiff_t>(start);
  const auto nul = std::find(begin, record.end(), std::uint8_t{0});
  if (nul == record.end()) return false;
  name = std::string_view(reinterpret_cast<const char*>(record.data()) + start,
                          static_cast<std::size_t>(nul - begin));
  return true;
}

}  // namespace

codebase_record_info classify_codebase_record(std::span<const std::uint8_t> record) {
  codebase_record_info info;
  if (record.empty()) return info;
  codebase_record_kind_t kind = codebase_record_kind_t::other;
  std::size_t name_start = 0;
  if (record[0] != 0) {
    kind = codebase_record_kind_t::signal_v1;
  } else if (record.size() >= 2 && record[1] == 1) {
    kind = codebase_record_kind_t::macro;
    name_start = 2;
  } else if (record.size() >= 2 && record[1] == 2) {
    kind = codebase_record_kind_t::signal_v2;
    name_start = 2;
  } else {
    return info;
  }
  std::string_view name;
  if (!terminated_name(record, name_start, name)) return info;
  info.kind = kind;
  info.name = name;
  return info;
}

}  // namespace xman
