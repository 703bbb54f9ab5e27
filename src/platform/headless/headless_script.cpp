#include "platform/headless/headless_script.h"

#include <charconv>
#include <limits>

#include "base/text_conversion.h"

namespace platform::headless {

namespace {

struct op_name {
  std::string_view name;
  script_op_t op;
};

constexpr op_name op_names[] = {
    {"tap", script_op_t::tap},         {"down", script_op_t::down},       {"move", script_op_t::move},
    {"up", script_op_t::up},           {"key", script_op_t::key},         {"keydown", script_op_t::key_down},
    {"keyup", script_op_t::key_up},    {"wait", script_op_t::wait},       {"shot", script_op_t::shot},
    {"answer", script_op_t::answer},   {"resume", script_op_t::resume},   {"rotate", script_op_t::rotate},
    {"quit", script_op_t::quit},       {"type", script_op_t::type},
};

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> words_of(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && is_blank(s[i])) ++i;
    const std::size_t start = i;
    while (i < s.size() && !is_blank(s[i])) ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

// A whole decimal number in [min, max].
bool number_of(std::string_view word, std::int64_t min, std::int64_t max, std::int64_t& out) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc{} || end != word.data() + word.size() || value < min || value > max) return false;
  out = value;
  return true;
}

bool valid_orientation(std::int64_t code) { return code == 0 || code == 1 || code == 2 || code == 4; }

// The reason a line is malformed, or empty when it is good.
std::string parse_line(std::string_view line, script_command& command) {
  const std::vector<std::string_view> words = words_of(line);
  const op_name* found = nullptr;
  for (const op_name& n : op_names) {
    if (n.name == words[0]) found = &n;
  }
  if (found == nullptr) return "unknown command \"" + std::string(words[0]) + "\"";
  command.op = found->op;
  const std::size_t arguments = words.size() - 1;

  switch (command.op) {
    case script_op_t::tap:
    case script_op_t::down:
    case script_op_t::move:
    case script_op_t::up: {
      std::int64_t x = 0;
      std::int64_t y = 0;
      if (arguments != 2 || !number_of(words[1], 0, max_script_coordinate, x) ||
          !number_of(words[2], 0, max_script_coordinate, y)) {
        return "expected X Y (screen pixels)";
      }
      command.at = {static_cast<int>(x), static_cast<int>(y)};
      return {};
    }
    case script_op_t::key:
    case script_op_t::key_down:
    case script_op_t::key_up:
      if (arguments != 1 || !hardware_key_by_name(words[1], command.key)) {
        return "expected a key name (Left, Right, Up, Down, Select, 40C1 ...)";
      }
      return {};
    case script_op_t::type: {
      // The text is the rest of the line, spaces inside it included.
      const std::string_view text = arguments == 0 ? std::string_view{} : trimmed(line.substr(words[0].size()));
      if (text.empty()) return "expected the text to type";
      for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "control character in the text";
      }
      command.text = zq::utf8_to_wide(text);
      return {};
    }
    case script_op_t::wait: {
      std::int64_t ms = 0;
      if (arguments != 1 || !number_of(words[1], 0, max_script_wait_ms, ms)) return "expected milliseconds";
      command.ms = static_cast<std::uint32_t>(ms);
      return {};
    }
    case script_op_t::shot: {
      // The file is the rest of the line, so that a path may hold spaces.
      const std::string_view file = arguments == 0 ? std::string_view{} : trimmed(line.substr(words[0].size()));
      if (file.size() <= 4 || !file.ends_with(".png")) return "expected FILE.png";
      for (const char c : file) {
        if (static_cast<unsigned char>(c) < 0x20) return "control character in the file name";
      }
      command.file.assign(file);
      return {};
    }
    case script_op_t::answer:
      if (arguments != 1 || !message_box_button_by_name(words[1], command.button)) {
        return "expected ok, cancel, yes or no";
      }
      return {};
    case script_op_t::rotate: {
      std::int64_t code = 0;
      if (arguments != 1 || !number_of(words[1], 0, 4, code) || !valid_orientation(code)) {
        return "expected an orientation code 0, 1, 2 or 4";
      }
      command.orientation = static_cast<std::int32_t>(code);
      return {};
    }
    case script_op_t::resume:
    case script_op_t::quit:
      if (arguments != 0) return "takes no arguments";
      return {};
  }
  return "unknown command";
}

}  // namespace

bool parse_script(std::string_view text, std::vector<script_command>& out, script_error& error) {
  out.clear();
  if (text.size() > max_script_size) {
    error = {0, "script larger than " + std::to_string(max_script_size) + " bytes"};
    return false;
  }
  std::vector<script_command> commands;
  std::uint32_t line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const std::size_t end = text.find('\n');
    const std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == '#') continue;
    script_command command;
    command.line = line_number;
    if (std::string reason = parse_line(line, command); !reason.empty()) {
      error = {line_number, std::move(reason)};
      return false;
    }
    commands.push_back(std::move(command));
  }
  out = std::move(commands);
  return true;
}

}  // namespace platform::headless
