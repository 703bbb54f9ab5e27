// Words and blanks in one line of a text format: blanks are spaces and tabs (and a carriage
// return at either end, for files written on other systems).
#pragma once

#include <string_view>
#include <vector>

namespace zq {

// The text without blanks and carriage returns at either end.
std::string_view trim_blanks(std::string_view text);
// The words of the text, separated by runs of spaces and tabs; views into the text.
std::vector<std::string_view> split_words(std::string_view text);

}  // namespace zq
