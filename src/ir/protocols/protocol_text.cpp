#include "ir/protocols/protocol_text.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/text_words.h"
#include "ir/protocols/protocol_registry.h"

namespace redeye::protocols {
namespace {

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// A number of at most 32 bits; larger values are refused rather than wrapped.
bool parse_number(std::string_view word, std::uint32_t& value) {
  unsigned base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    word.remove_prefix(2);
  }
  if (word.empty()) return false;
  std::uint64_t number = 0;
  for (const char c : word) {
    const int digit = digit_value(c);
    if (digit >= static_cast<int>(base)) return false;
    number = number * base + static_cast<unsigned>(digit);
    if (number > 0xFFFFFFFFU) return false;
  }
  value = static_cast<std::uint32_t>(number);
  return true;
}

}  // namespace

std::string format_parameters(const protocol_parameters& parameters) {
  std::string text = parameters.protocol;
  const protocol* format = find_protocol(parameters.protocol);
  if (format == nullptr) return text;
  for (const field_spec& used : format->used_fields()) {
    char number[16];
    std::snprintf(number, sizeof number, " 0x%0*X", used.bits > 8 ? 4 : 2,
                  static_cast<unsigned>(field_value(parameters, used.field)));
    text += number;
  }
  return text;
}

zq::result_t parse_parameters(std::string_view text, protocol_parameters& out) {
  const std::vector<std::string_view> words = zq::split_words(text);
  const protocol* format = words.empty() ? nullptr : find_protocol(words[0]);
  if (format == nullptr) return zq::rc::protocol_unknown;
  if (words.size() != 1U + format->field_count) return zq::rc::protocol_text_malformed;
  protocol_parameters parameters;
  parameters.protocol = std::string(format->name);
  for (std::size_t i = 0; i < format->field_count; ++i) {
    if (!parse_number(words[i + 1], field_value(parameters, format->fields[i].field))) {
      return zq::rc::protocol_text_malformed;
    }
  }
  const protocol* checked = nullptr;
  if (const zq::result_t result = check_parameters(parameters, checked); result != zq::rc::ok) return result;
  out = std::move(parameters);
  return zq::rc::ok;
}

}  // namespace redeye::protocols
