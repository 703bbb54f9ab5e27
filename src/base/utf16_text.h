// Wide text to UTF-16 code units and back, for the few places that store the handheld's 16-bit
// wide characters byte for byte (the settings file).
#pragma once

#include <string>
#include <string_view>

namespace zq {

// Characters above U+FFFF become surrogate pairs; values that are no character (surrogates,
// beyond U+10FFFF) become U+FFFD.
std::u16string wide_to_utf16(std::wstring_view text);

// Surrogate pairs become one character; a surrogate without its partner becomes U+FFFD.
std::wstring utf16_to_wide(std::u16string_view units);

}  // namespace zq
