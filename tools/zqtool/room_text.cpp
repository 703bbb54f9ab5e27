#include "room_text.h"

#include <optional>
#include <vector>

#include "command_options.h"

namespace zqtool {
namespace {

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

// The words of a line: bare words end at blanks, quoted ones at their closing quote. Nothing
// when a quote is not closed.
std::optional<std::vector<std::string>> split_words(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i == line.size()) return words;
    std::string word;
    if (line[i] != '"') {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
    } else {
      for (++i;; ++i) {
        if (i >= line.size()) return std::nullopt;
        if (line[i] == '"') break;
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        word += line[i];
      }
      ++i;
    }
    words.push_back(std::move(word));
  }
}

bool parse_page(const std::string& word, std::int16_t& page) { return parse_integer(word, page); }

// One line's words into room; the problem when they do not fit.
std::optional<std::string> apply(const std::vector<std::string>& w, remote::room_state& room) {
  const std::string& item = w[0];
  if (item == "room") {
    if (w.size() != 2) return "room takes a name";
    room.name = w[1];
  } else if (item == "hot") {
    unsigned slot = 0;
    if (w.size() != 5) return "hot takes a slot, a label, a codebase and a page";
    if (!parse_integer(w[1], slot) || slot < 1 || slot > remote::hot_button_table::size) return "slot is not 1 to 8";
    remote::hot_button& record = room.hot_buttons[slot - 1];
    if (!parse_page(w[4], record.last_page)) return "page is not a 16-bit number";
    record.label = w[2];
    record.codebase = w[3];
  } else if (item == "hard") {
    if (w.size() != 4) return "hard takes a key, a codebase and a command";
    room.hard_buttons[w[1]] = {w[2], w[3]};
  } else if (item == "remote") {
    if (w.size() != 3) return "remote takes a codebase and a page";
    if (!parse_page(w[2], room.page)) return "page is not a 16-bit number";
    room.current = w[1];
  } else {
    return "unknown item '" + item + "'";
  }
  return std::nullopt;
}

}  // namespace

std::string format_room(const remote::room_state& room) {
  std::string out = "room " + quoted(room.name) + "\n";
  for (std::size_t i = 0; i < remote::hot_button_table::size; ++i) {
    const remote::hot_button& record = room.hot_buttons[i];
    out += "hot " + std::to_string(i + 1) + " " + quoted(record.label) + " " + quoted(record.codebase) + " " +
           std::to_string(record.last_page) + "\n";
  }
  for (const auto& [key, assigned] : room.hard_buttons) {
    out += "hard " + quoted(key) + " " + quoted(assigned.codebase) + " " + quoted(assigned.command) + "\n";
  }
  out += "remote " + quoted(room.current) + " " + std::to_string(room.page) + "\n";
  return out;
}

bool parse_room(std::string_view text, remote::room_state& room, room_text_error& error) {
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    const std::optional<std::vector<std::string>> words = split_words(line);
    if (!words) {
      error = {number, "unclosed quote"};
      return false;
    }
    if (words->empty() || (*words)[0].starts_with('#')) continue;
    if (const std::optional<std::string> problem = apply(*words, room)) {
      error = {number, *problem};
      return false;
    }
  }
  return true;
}

}  // namespace zqtool
