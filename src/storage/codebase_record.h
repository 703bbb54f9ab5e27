// Named item records of a codebase. Record 0 is the layout document; every later record is
// classified by its first bytes:
//
// | First bytes       | Kind                    | Name (NUL-terminated) starts at |
// |-------------------|-------------------------|---------------------------------|
// | any non-zero byte | IR signal, version 1    | byte 0                          |
// | 0x00 0x01         | macro                   | byte 2                          |
// | 0x00 0x02         | IR signal, version 2    | byte 2                          |
// | anything else     | ignored                 | —                               |
//
// A record whose name has no terminating NUL inside the record is ignored as well. Signals of both
// versions share one name space; macros have their own.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace xman {

enum class codebase_record_kind_t {
  other,      // not a named item (or a damaged one)
  signal_v1,  // IR signal, format version 1
  macro,      // macro document
  signal_v2,  // IR signal, format version 2
};

struct codebase_record_info {
  codebase_record_kind_t kind = codebase_record_kind_t::other;
  std::string_view name;  // points into the record; empty for `other`
};

// Classifies a named item record; the name points into the record's bytes.
codebase_record_info classify_codebase_record(std::span<const std::uint8_t> record);

inline bool is_signal_kind(codebase_record_kind_t kind) {
  return kind == codebase_record_kind_t::signal_v1 || kind == codebase_record_kind_t::signal_v2;
}

}  // namespace xman
