// Resource files hold text as UTF-16; the program's wide strings hold whole code points.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Code points beyond the basic plane become surrogate pairs; invalid ones U+FFFD.
std::u16string to_utf16(std::wstring_view text);
// Surrogate pairs become one code point; a lone surrogate stays as it is.
std::wstring from_utf16(std::u16string_view text);

}  // namespace platform
