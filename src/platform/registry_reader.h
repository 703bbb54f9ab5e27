// Reads registry content from REGEDIT4 text, the form the device profiles are written in:
//
//   REGEDIT4                                  first line (after blank lines and comments)
//   ; comment                                 comments and blank lines anywhere
//   [HKEY_LOCAL_MACHINE\Drivers\Active\01]    a key (created with its parents); HKLM and HKCU too
//   "Name"="COM1:"                            a string; \\ and \" are the only escapes
//   @="text"                                  the key's default value
//   "Clock"=dword:17d78400                    a 32-bit number, 1 to 8 hexadecimal digits
//   "Data"=hex:01,02,ff,\                     bytes; a trailing backslash continues on the next line
//
// Text is in the handheld's code page; lines may end in CRLF. Anything else (deleting keys or
// values, typed hex, text after a value, a value before the first key, names or keys beyond the
// handheld's limits) is refused with the line it is on; nothing of a refused text is kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/registry_tree.h"

namespace platform {

struct registry_text_error {
  std::size_t line = 0;  // 1-based; 0 for the text as a whole
  std::string reason;
};

// The largest text read, the longest key name (one path component) and value name, the deepest path.
inline constexpr std::size_t max_registry_text = 1 << 20;
inline constexpr std::size_t max_registry_key_name = 255;
inline constexpr std::size_t max_registry_value_name = 16383;
inline constexpr std::size_t max_registry_depth = 32;

// rc::ok with out replaced, or rc::registry_text_malformed with out unchanged and the error filled.
[[nodiscard]] zq::result_t read_registry_text(std::string_view text, registry_tree& out, registry_text_error& error);

}  // namespace platform
