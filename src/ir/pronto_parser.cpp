#include "ir/pronto_parser.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace redeye {
namespace {

// The count and the repeat index are 16-bit, and the count of a Pronto code is even.
constexpr std::size_t kLargestCount = 65534;

bool is_separator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the words of the text one by one, never looking past its end.
class word_reader {
 public:
  explicit word_reader(std::string_view text) : text_(text) {}

  // The next word in word, or no word at the end of the text (code 0 either way); a reading
  // error otherwise.
  zq::result_t next(std::optional<std::uint16_t>& word) {
    word.reset();
    while (at_ < text_.size() && is_separator(text_[at_])) ++at_;
    if (at_ == text_.size()) return zq::rc::ok;
    std::uint16_t value = 0;
    for (int digit = 0; digit < 4; ++digit) {
      if (at_ == text_.size()) return zq::rc::pronto_ends_in_word;
      const char c = text_[at_];
      const int nibble = hex_value(c);
      if (nibble < 0) return is_separator(c) ? zq::rc::pronto_word_too_short : zq::rc::pronto_not_hex;
      value = static_cast<std::uint16_t>(value << 4 | nibble);
      ++at_;
    }
    // Only a fifth digit spoils the word; anything else after it is the next word's business.
    if (at_ < text_.size() && hex_value(text_[at_]) >= 0) return zq::rc::pronto_word_too_long;
    word = value;
    return zq::rc::ok;
  }

  // The next word, or missing when the text has no further word.
  zq::result_t expect(zq::result_t missing, std::uint16_t& out) {
    std::optional<std::uint16_t> word;
    if (const zq::result_t result = next(word); result != zq::rc::ok) return result;
    if (!word) return missing;
    out = *word;
    return zq::rc::ok;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

zq::result_t parse(std::string_view text, std::size_t limit, signal_data& out) {
  if (text.empty()) return zq::rc::pronto_no_text;
  word_reader words(text);

  std::uint16_t format = 0;
  if (const zq::result_t result = words.expect(zq::rc::pronto_format_missing, format); result != zq::rc::ok) {
    return result;
  }
  if (format != 0) return zq::rc::pronto_not_raw;
  std::uint16_t frequency = 0;
  std::uint16_t once_pairs = 0;
  std::uint16_t repeat_pairs = 0;
  if (const zq::result_t result = words.expect(zq::rc::pronto_frequency_missing, frequency); result != zq::rc::ok) {
    return result;
  }
  if (const zq::result_t result = words.expect(zq::rc::pronto_once_pairs_missing, once_pairs);
      result != zq::rc::ok) {
    return result;
  }
  if (const zq::result_t result = words.expect(zq::rc::pronto_repeat_pairs_missing, repeat_pairs);
      result != zq::rc::ok) {
    return result;
  }
  if (frequency < pronto_lowest_frequency_word || frequency > pronto_highest_frequency_word) {
    return zq::rc::pronto_bad_frequency;
  }
  const std::uint16_t period = pronto_carrier_period(frequency);
  if (once_pairs == 0 && repeat_pairs == 0) return zq::rc::pronto_no_pairs;
  // At most 2 * (65535 + 65535); no overflow in size_t.
  const std::size_t count = 2 * (std::size_t{once_pairs} + repeat_pairs);
  if (count > std::min(limit, kLargestCount)) return zq::rc::pronto_too_many_durations;

  signal_data signal;
  signal.carrier_period = period;
  signal.repeat_index = static_cast<std::uint16_t>(2 * once_pairs);  // at most count, so 16-bit
  signal.durations.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint16_t word = 0;
    if (const zq::result_t result = words.expect(zq::rc::pronto_burst_missing, word); result != zq::rc::ok) {
      return result;
    }
    // At most pronto_longest_duration, which the header proves fits 32 bits.
    const std::int64_t duration = std::int64_t{word} * period;
    signal.durations.push_back(static_cast<std::int32_t>(i % 2 == 0 ? duration : -duration));
  }
  std::optional<std::uint16_t> extra;
  if (const zq::result_t result = words.next(extra); result != zq::rc::ok) return result;
  if (extra) return zq::rc::pronto_extra_words;

  out = std::move(signal);
  return zq::rc::ok;
}

}  // namespace

pronto_failure classify_pronto_code(zq::result_t code) {
  if (code == zq::rc::ok) return {0, zq::rc::ok};
  if (code < 100) return {1, code};
  if (code < 200) return {2, code};
  if (code < 300) return {3, code};
  if (code < 400) return {4, code};
  if (code < 500) return {5, code};
  return {1, -1};
}

pronto_result parse_pronto(std::string_view text, std::size_t limit) {
  pronto_result result;
  const pronto_failure outcome = classify_pronto_code(parse(text, limit, result.signal));
  result.category = outcome.category;
  result.code = outcome.code;
  return result;
}

}  // namespace redeye
