// The options of a zqtool command: positional words, "--name VALUE" options and "--flag"
// switches, in any order after the command word. A value may be empty ("--port ''").
#pragma once

#include <charconv>
#include <cstddef>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "zqtool_commands.h"

namespace zqtool {

struct command_options {
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;

  std::optional<std::string> value(std::string_view name) const {
    const auto found = values.find(name);
    return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
  bool has(std::string_view name) const { return values.contains(name) || flags.contains(name); }
};

// Reads args from index first on. false for an option that is neither valued nor a flag, a
// valued option without its value, or an option given twice.
[[nodiscard]] bool read_command_options(const arguments& args, std::size_t first,
                                        std::initializer_list<std::string_view> valued,
                                        std::initializer_list<std::string_view> flags, command_options& out);

// A whole decimal integer that fits T; false for anything else (signs only where T has them).
template <typename T>
[[nodiscard]] bool parse_integer(std::string_view text, T& out) {
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, out);
  return !text.empty() && error == std::errc() && ptr == end;
}

}  // namespace zqtool
