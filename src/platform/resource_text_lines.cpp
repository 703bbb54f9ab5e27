#include "platform/resource_text_lines.h"

namespace platform {

bool resource_statement::at_end() {
  skip_blanks();
  return pos_ == line_.size();
}

std::string_view resource_statement::word() {
  skip_blanks();
  const std::size_t start = pos_;
  while (pos_ < line_.size() && line_[pos_] != ' ' && line_[pos_] != '\t' && line_[pos_] != '"') ++pos_;
  return line_.substr(start, pos_ - start);
}

std::optional<std::string> resource_statement::quoted() {
  skip_blanks();
  if (pos_ == line_.size() || line_[pos_] != '"') return std::nullopt;
  std::string text;
  for (++pos_; pos_ < line_.size(); ++pos_) {
    char c = line_[pos_];
    if (c == '"') {
      ++pos_;
      return text;
    }
    if (c == '\\') {
      if (++pos_ == line_.size()) return std::nullopt;
      c = line_[pos_];
      if (c == 'n' && newline_escape_) {
        c = '\n';
      } else if (c != '"' && c != '\\') {
        return std::nullopt;
      }
    } else if (static_cast<unsigned char>(c) < 0x20) {
      return std::nullopt;
    }
    text.push_back(c);
  }
  return std::nullopt;
}

void resource_statement::skip_blanks() {
  while (pos_ < line_.size() && (line_[pos_] == ' ' || line_[pos_] == '\t')) ++pos_;
}

std::optional<std::uint32_t> resource_decimal(std::string_view word) {
  if (word.empty() || word.size() > 5) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

namespace {

zq::result_t read_line(std::string_view line, const resource_text_rules& rules,
                       const resource_statement_reader& statement) {
  resource_statement rest(line, rules.newline_escape);
  const std::string_view keyword = rest.word();
  // An empty keyword is a blank line, or a line that opens with a quoted text.
  if (keyword.empty()) return rest.at_end() ? zq::rc::ok : rules.malformed;
  if (keyword.front() == '#') return zq::rc::ok;
  return statement(keyword, rest);
}

}  // namespace

zq::result_t read_resource_text(std::span<const std::uint8_t> text, const resource_text_rules& rules,
                                const resource_statement_reader& statement, const resource_text_finish& finish,
                                std::size_t* error_line) {
  if (error_line != nullptr) *error_line = 0;
  if (text.size() > rules.max_bytes) return rules.too_large;
  const std::string_view all(reinterpret_cast<const char*>(text.data()), text.size());
  std::size_t number = 0;
  for (std::size_t start = 0; start < all.size();) {
    std::size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    if (const zq::result_t rc = read_line(line, rules, statement); rc != zq::rc::ok) {
      if (error_line != nullptr) *error_line = number;
      return rc;
    }
    start = end + 1;
  }
  if (const zq::result_t rc = finish(); rc != zq::rc::ok) {
    if (error_line != nullptr) *error_line = number;
    return rc;
  }
  return zq::rc::ok;
}

}  // namespace platform
