#include "platform/resource_name.h"

#include <algorithm>
#include <charconv>

#include "base/text_conversion.h"
#include "platform/resource_utf16.h"

namespace platform {
namespace {

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

resource_name::resource_name(std::string_view text)
    : is_number_(false), text_(to_utf16(zq::utf8_to_wide(text))) {}

resource_name resource_name::parse(std::string_view word) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (!word.empty() && error == std::errc{} && end == word.data() + word.size() && value <= 0xFFFF) {
    return resource_name(static_cast<std::uint16_t>(value));
  }
  return resource_name(word);
}

std::string resource_name::to_string() const {
  return is_number_ ? std::to_string(number_) : zq::wide_to_utf8(from_utf16(text_));
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
