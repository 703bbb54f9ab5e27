// meta::name_ref: the name of an element or attribute as handed to handlers.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace meta {

struct name_ref {
  // The name's text, NUL-terminated: inside the input for inline names, inside the names table for
  // indexed ones.
  const char* text = nullptr;
  // Stored bytes including the terminating NUL.
  std::uint32_t length = 0;
  // 1-based index into the names table, or 0 when the name was written inline. Comparing indices
  // is the fast way to recognise names.
  std::uint16_t index = 0;

  // An inline name for a NUL-terminated text (for driving a writer).
  static name_ref of(const char* text) {
    return name_ref{text, static_cast<std::uint32_t>(std::strlen(text) + 1), 0};
  }
  // The stored bytes without the terminating NUL.
  std::string_view view() const { return length == 0 ? std::string_view() : std::string_view(text, length - 1); }
};

}  // namespace meta
