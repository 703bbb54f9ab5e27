// The text sources of the program's resources (dialog templates, menus) share their layout: one
// statement per line, UTF-8, lines ending in "\n" or "\r\n"; blank lines and lines whose first
// word starts with "#" are skipped. A statement is a keyword, then bare words (up to a blank or
// a quote) and quoted texts, which take \" and \\ as escapes (and \n where the format allows).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/result.h"

namespace platform {

// What one kind of resource text allows and the codes its faults get.
struct resource_text_rules {
  std::size_t max_bytes = 0;
  zq::result_t too_large = 0;   // the text is longer than max_bytes
  zq::result_t malformed = 0;   // a line starts with something other than a keyword
  bool newline_escape = false;  // quoted texts take \n for a line break
};

// The words of one statement line after its keyword.
class resource_statement {
 public:
  resource_statement(std::string_view line, bool newline_escape) : line_(line), newline_escape_(newline_escape) {}

  bool at_end();
  // A bare word (up to a blank); empty at the end of the line or before a quote.
  std::string_view word();
  // A quoted text with its escapes undone; nothing when there is none, it is unterminated, it
  // holds a control character or an escape the format does not take.
  std::optional<std::string> quoted();

 private:
  void skip_blanks();

  std::string_view line_;
  std::size_t pos_ = 0;
  bool newline_escape_;
};

// A decimal number of 1 to 5 digits (no sign); nothing for anything else.
std::optional<std::uint32_t> resource_decimal(std::string_view word);

using resource_statement_reader = std::function<zq::result_t(std::string_view keyword, resource_statement& rest)>;
using resource_text_finish = std::function<zq::result_t()>;

// Reads a resource text: hands each statement in turn to `statement` until one returns other
// than 0, then (all read) returns what `finish` returns. error_line (when given) gets the 1-based
// line of a fault: the statement's, or the last line when the text is too short for `finish`.
[[nodiscard]] zq::result_t read_resource_text(std::span<const std::uint8_t> text, const resource_text_rules& rules,
                                              const resource_statement_reader& statement,
                                              const resource_text_finish& finish, std::size_t* error_line);

}  // namespace platform
