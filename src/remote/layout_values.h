// Reading attribute values of layout documents: integers come in any of the integer widths, texts
// as strings (the text up to its first NUL, as the writer stores texts); a value of another type is
// not taken.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "storage/meta_value.h"

namespace remote {

inline std::optional<std::int32_t> integer_of(const meta::value& v) {
  switch (v.type) {
    case meta::type_t::int8:
    case meta::type_t::int16:
    case meta::type_t::int32:
    case meta::type_t::int32_write_only:
      return v.integer;
    default:
      return std::nullopt;
  }
}

inline std::optional<std::string> text_of(const meta::value& v) {
  if (v.type != meta::type_t::string) return std::nullopt;
  if (v.length == 0) return std::string();
  return std::string(v.text());
}

}  // namespace remote
