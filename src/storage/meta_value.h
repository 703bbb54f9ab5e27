// meta::value: a tagged value as handed to and from element handlers.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "storage/meta_string.h"

namespace meta {

// Type codes of values.
enum class type_t : std::uint32_t {
  empty = 0,
  int8 = 1,
  int16 = 2,
  int32_write_only = 3,  // written exactly like int32 (tag 0x23) and read back as int32
  int32 = 4,
  boolean = 5,
  binary = 6,
  string = 7,
};

// Plain data, cheap to copy. Values read from a document point into the reader's input.
struct value {
  type_t type = type_t::empty;
  // Integers (types 1 to 4), widened with their sign; booleans as 1 or 0.
  std::int32_t integer = 0;
  // Binary and string payload. A string read from a document is either empty (length 0; data then
  // points to a static empty text) or ends with its stored NUL, so data is always a text.
  const std::uint8_t* data = nullptr;
  std::uint32_t length = 0;

  static value of_int8(std::int8_t v) { return integer_value(type_t::int8, v); }
  static value of_int16(std::int16_t v) { return integer_value(type_t::int16, v); }
  static value of_int32(std::int32_t v) { return integer_value(type_t::int32, v); }
  static value of_bool(bool v) { return integer_value(type_t::boolean, v ? 1 : 0); }
  static value of_binary(const void* bytes, std::uint32_t size) {
    return counted_value(type_t::binary, bytes, size);
  }
  // A string of length bytes exactly (the last of them should be the NUL).
  static value of_string(const void* bytes, std::uint32_t size) {
    return counted_value(type_t::string, bytes, size);
  }
  // A NUL-terminated text, stored with its NUL.
  static value of_text(const char* text) {
    return counted_value(type_t::string, text, static_cast<std::uint32_t>(std::strlen(text) + 1));
  }
  static value of_string(const meta::string& s) { return counted_value(type_t::string, s.data(), s.length()); }

  bool as_bool() const { return integer != 0; }
  // The string as a NUL-terminated text (meaningful for strings read from a document).
  const char* text() const { return reinterpret_cast<const char*>(data); }
  // The string's bytes without the stored terminating NUL.
  std::string_view text_view() const {
    if (length == 0) return std::string_view();
    const auto* chars = reinterpret_cast<const char*>(data);
    return std::string_view(chars, chars[length - 1] == '\0' ? length - 1 : length);
  }

 private:
  static value integer_value(type_t type, std::int32_t v) {
    value out;
    out.type = type;
    out.integer = v;
    return out;
  }
  static value counted_value(type_t type, const void* bytes, std::uint32_t size) {
    value out;
    out.type = type;
    out.data = static_cast<const std::uint8_t*>(bytes);
    out.length = size;
    return out;
  }
};

}  // namespace meta
