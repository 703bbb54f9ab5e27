#include "base/utf16_text.h"

namespace zq {
namespace {

constexpr char32_t replacement = 0xFFFD;

bool is_high_surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool is_low_surrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::u16string wide_to_utf16(std::wstring_view text) {
  std::u16string units;
  units.reserve(text.size());
  for (const wchar_t w : text) {
    char32_t c = static_cast<char32_t>(w);
    if (c > 0x10FFFF || is_high_surrogate(c) || is_low_surrogate(c)) c = replacement;
    if (c <= 0xFFFF) {
      units.push_back(static_cast<char16_t>(c));
    } else {
      c -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
  }
  return units;
}

std::wstring utf16_to_wide(std::u16string_view units) {
  std::wstring text;
  text.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char32_t c = units[i];
    if (is_high_surrogate(c) && i + 1 < units.size() && is_low_surrogate(units[i + 1])) {
      text.push_back(static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
      ++i;
    } else {
      text.push_back(static_cast<wchar_t>(is_high_surrogate(c) || is_low_surrogate(c) ? replacement : c));
    }
  }
  return text;
}

}  // namespace zq
