#include "platform/resource_name.h"

#include <charconv>

#include "base/text_conversion.h"

namespace platform {
namespace {

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

resource_name::resource_name(std::string_view text) : is_number_(false) {
  for (const wchar_t c : zq::utf8_to_wide(text)) {
    if (c > 0xFFFF) {  // outside the basic plane: a surrogate pair
      const auto v = static_cast<std::uint32_t>(c) - 0x10000;
      text_.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
      text_.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    } else {
      text_.push_back(static_cast<char16_t>(c));
    }
  }
}

resource_name resource_name::parse(std::string_view word) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (!word.empty() && error == std::errc{} && end == word.data() + word.size() && value <= 0xFFFF) {
    return resource_name(static_cast<std::uint16_t>(value));
  }
  return resource_name(word);
}

std::string resource_name::to_string() const {
  if (is_number_) return std::to_string(number_);
  std::wstring wide;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const char16_t c = text_[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text_.size() && text_[i + 1] >= 0xDC00 && text_[i + 1] < 0xE000) {
      wide.push_back(static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (text_[i + 1] - 0xDC00)));
      ++i;
    } else {
      wide.push_back(static_cast<wchar_t>(c));
    }
  }
  return zq::wide_to_utf8(wide);
}

int resource_name::compare(const resource_name& a, const resource_name& b) {
  if (a.is_number_ != b.is_number_) return a.is_number_ ? 1 : -1;
  if (a.is_number_) return a.number_ < b.number_ ? -1 : (a.number_ > b.number_ ? 1 : 0);
  const std::size_t n = std::min(a.text_.size(), b.text_.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = upper(a.text_[i]);
    const char16_t y = upper(b.text_[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.text_.size() < b.text_.size() ? -1 : (a.text_.size() > b.text_.size() ? 1 : 0);
}

}  // namespace platform
