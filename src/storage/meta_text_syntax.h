// The words and characters of the meta text form shared by its dump and its compiler.
#pragma once

#include <cstdint>
#include <string_view>

#include "storage/meta_format.h"

namespace meta::detail {

inline bool is_bare_name_char(char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("_.-?$@:+!~*%&^,;<>|").find(c) != std::string_view::npos;
}

// The length form of a counted value or inline name relative to the writer's own choice.
enum class form_t { usual, width8, width16, width32, alt34 };

inline std::string_view form_suffix(form_t form) {
  switch (form) {
    case form_t::width8:
      return "/8";
    case form_t::width16:
      return "/16";
    case form_t::width32:
      return "/32";
    case form_t::alt34:
      return "/x34";
    case form_t::usual:
      break;
  }
  return "";
}

// The form a tag of the string family (0x2A..0x2C, 0x34) or binary family (0x26..0x28) stands for
// when a payload has this length.
inline form_t form_of(std::uint8_t tag_byte, std::uint8_t short_tag, std::uint32_t length) {
  if (tag_byte == tag::string8_alt) return form_t::alt34;
  const std::size_t width = tag_byte == short_tag ? 1 : tag_byte == short_tag + 1 ? 2 : 4;
  if (width == length_width(length)) return form_t::usual;
  return width == 1 ? form_t::width8 : width == 2 ? form_t::width16 : form_t::width32;
}

inline constexpr std::string_view kw_empty = "empty";
inline constexpr std::string_view kw_int8 = "int8";
inline constexpr std::string_view kw_int16 = "int16";
inline constexpr std::string_view kw_int32 = "int32";
inline constexpr std::string_view kw_bool = "bool";
inline constexpr std::string_view kw_binary = "binary";
inline constexpr std::string_view kw_string = "string";
inline constexpr std::string_view kw_stop = "stop";
inline constexpr std::string_view kw_trailing = "trailing";

}  // namespace meta::detail
