#include "platform/resource_utf16.h"

#include <cstdint>

namespace platform {

std::u16string to_utf16(std::wstring_view text) {
  std::u16string out;
  for (const wchar_t c : text) {
    const auto v = static_cast<std::uint32_t>(c);
    if (v > 0xFFFF && v <= 0x10FFFF) {
      out.push_back(static_cast<char16_t>(0xD800 + ((v - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((v - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(v > 0xFFFF ? 0xFFFD : v));
    }
  }
  return out;
}

std::wstring from_utf16(std::u16string_view text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      out.push_back(static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00)));
      ++i;
    } else {
      out.push_back(static_cast<wchar_t>(c));
    }
  }
  return out;
}

}  // namespace platform
