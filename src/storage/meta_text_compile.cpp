// The compile half of the text form: one line at a time, straight into bytes. It checks what the
// reader would reject (names table contents, attribute order, nesting depth, index ranges), so
// every document it produces reads back.
#include <cctype>
#include <charconv>
#include <cstring>
#include <optional>

#include "base/byte_order.h"
#include "storage/meta_names_table.h"
#include "storage/meta_text.h"
#include "storage/meta_text_syntax.h"

namespace meta {
namespace {

using detail::form_t;

struct name_item {
  std::string text;  // stored bytes without the terminating NUL
  bool quoted = false;
  std::uint32_t index = 0;  // explicit [n], or 0
  form_t form = form_t::usual;
};

class compiler {
 public:
  compiler(const compile_options& options, text_error& error) : options_(options), error_(error) {}

  bool run(std::string_view text, std::vector<std::uint8_t>& out) {
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++line_number_;
      line_ = line;
      cursor_ = 0;
      if (!compile_line()) return false;
      start = end + 1;
    }
    if (!stack_.empty()) {
      line_number_ = stack_.back().line;
      return fail("this element is not closed");
    }
    if (!options_.index_names) {
      out = std::move(bytes_);
      return true;
    }
    // The names table first, as an indexed document is written.
    out.clear();
    out.push_back(tag::element_start);
    put_counted(out, tag::string8, names_element, names_element_length, form_t::usual);
    for (std::size_t index = 1; index <= auto_names_.size(); ++index) {
      name_ref n;
      auto_names_.find(static_cast<std::uint16_t>(index), n);
      put_counted(out, tag::string8, n.text, n.length, form_t::usual);
    }
    out.push_back(tag::element_end);
    out.insert(out.end(), bytes_.begin(), bytes_.end());
    return true;
  }

 private:
  struct open_element {
    std::size_t line;
    bool has_content;
    bool is_names;
  };

  bool fail(std::string message) {
    error_.line = line_number_;
    error_.message = std::move(message);
    return false;
  }

  // --- Scanning a line ---

  void skip_spaces() {
    while (cursor_ < line_.size() && (line_[cursor_] == ' ' || line_[cursor_] == '\t')) ++cursor_;
  }
  bool at_line_end() {
    skip_spaces();
    return cursor_ >= line_.size() || line_[cursor_] == '#';
  }
  char peek() const { return cursor_ < line_.size() ? line_[cursor_] : '\0'; }

  std::string_view bare_word() {
    const std::size_t from = cursor_;
    while (cursor_ < line_.size() && detail::is_bare_name_char(line_[cursor_])) ++cursor_;
    return line_.substr(from, cursor_ - from);
  }

  static int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  bool quoted(std::string& out) {
    ++cursor_;  // opening quote
    out.clear();
    while (cursor_ < line_.size()) {
      const char c = line_[cursor_++];
      if (c == '"') return true;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (cursor_ >= line_.size()) break;
      const char e = line_[cursor_++];
      switch (e) {
        case '"':
        case '\\':
          out += e;
          break;
        case '0':
          out += '\0';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'x': {
          const int high = cursor_ < line_.size() ? hex_digit(line_[cursor_]) : -1;
          const int low = cursor_ + 1 < line_.size() ? hex_digit(line_[cursor_ + 1]) : -1;
          if (high < 0 || low < 0) return fail("\\x needs two hex digits");
          out += static_cast<char>(high * 16 + low);
          cursor_ += 2;
          break;
        }
        default:
          return fail(std::string("unknown escape \\") + e);
      }
    }
    return fail("the quoted text is not closed");
  }

  // "/8", "/16", "/32" or "/x34" after a word.
  bool form_suffix(form_t& form, bool strings) {
    form = form_t::usual;
    if (peek() != '/') return true;
    ++cursor_;
    const std::size_t from = cursor_;
    while (cursor_ < line_.size() && (std::isalnum(static_cast<unsigned char>(line_[cursor_])) != 0)) ++cursor_;
    const std::string_view word = line_.substr(from, cursor_ - from);
    if (word == "8") form = form_t::width8;
    else if (word == "16") form = form_t::width16;
    else if (word == "32") form = form_t::width32;
    else if (word == "x34" && strings) form = form_t::alt34;
    else return fail("unknown length form /" + std::string(word));
    return true;
  }

  bool number(std::int64_t low, std::int64_t high, std::int64_t& out) {
    skip_spaces();
    const std::size_t from = cursor_;
    while (cursor_ < line_.size() && line_[cursor_] != ' ' && line_[cursor_] != '\t' && line_[cursor_] != '#') ++cursor_;
    std::string_view word = line_.substr(from, cursor_ - from);
    if (word.empty()) return fail("a number is missing");
    bool negative = false;
    int base = 10;
    if (word.front() == '-' || word.front() == '+') {
      negative = word.front() == '-';
      word.remove_prefix(1);
    }
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
      base = 16;
      word.remove_prefix(2);
    }
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), magnitude, base);
    if (word.empty() || ec != std::errc() || end != word.data() + word.size() || magnitude > (1ull << 32)) {
      return fail("'" + std::string(line_.substr(from, cursor_ - from)) + "' is not a number");
    }
    out = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (out < low || out > high) {
      return fail(std::to_string(out) + " is out of range (" + std::to_string(low) + " to " + std::to_string(high) + ")");
    }
    return true;
  }

  bool hex_bytes(std::string& out) {
    out.clear();
    while (!at_line_end()) {
      const int high = hex_digit(line_[cursor_]);
      const int low = cursor_ + 1 < line_.size() ? hex_digit(line_[cursor_ + 1]) : -1;
      if (high < 0 || low < 0) return fail("hex bytes expected (two digits each)");
      out += static_cast<char>(high * 16 + low);
      cursor_ += 2;
    }
    return true;
  }

  bool expect_line_end() {
    if (at_line_end()) return true;
    return fail("unexpected text '" + std::string(line_.substr(cursor_)) + "'");
  }

  // --- Emitting bytes ---

  // A counted payload with the tag of the short form or of the stated form.
  static void put_counted(std::vector<std::uint8_t>& out, std::uint8_t short_tag, const void* data,
                          std::uint32_t length, form_t form) {
    std::size_t width = length_width(length);
    std::uint8_t t = static_cast<std::uint8_t>(short_tag + (width == 1 ? 0 : width == 2 ? 1 : 2));
    switch (form) {
      case form_t::usual:
        break;
      case form_t::width8:
        width = 1;
        t = short_tag;
        break;
      case form_t::width16:
        width = 2;
        t = static_cast<std::uint8_t>(short_tag + 1);
        break;
      case form_t::width32:
        width = 4;
        t = static_cast<std::uint8_t>(short_tag + 2);
        break;
      case form_t::alt34:
        width = 1;
        t = tag::string8_alt;
        break;
    }
    out.push_back(t);
    std::uint8_t head[4];
    if (width == 1) head[0] = static_cast<std::uint8_t>(length);
    if (width == 2) zq::store_be16(head, static_cast<std::uint16_t>(length));
    if (width == 4) zq::store_be32(head, length);
    out.insert(out.end(), head, head + width);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + length);
  }

  bool check_form(form_t form, std::size_t length) {
    const std::size_t limit = form == form_t::width8 || form == form_t::alt34 ? 0xFF
                              : form == form_t::width16                       ? 0xFFFF
                                                                              : 0xFFFFFFFF;
    if (length > limit) return fail("too long for the length form " + std::string(detail::form_suffix(form)));
    return true;
  }

  // --- Names ---

  bool name(name_item& n) {
    if (peek() == '"') {
      if (!quoted(n.text)) return false;
      n.quoted = true;
    } else {
      n.text = std::string(bare_word());
    }
    if (peek() == '[') {
      ++cursor_;
      const std::size_t from = cursor_;
      while (cursor_ < line_.size() && line_[cursor_] >= '0' && line_[cursor_] <= '9') ++cursor_;
      const std::string_view digits = line_.substr(from, cursor_ - from);
      std::uint32_t index = 0;
      const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
      if (digits.empty() || ec != std::errc() || peek() != ']') return fail("a name index is written [n]");
      ++cursor_;
      if (index == 0 || index > max_names) return fail("name index " + std::to_string(index) + " is out of range");
      n.index = index;
      return true;
    }
    return form_suffix(n.form, true);
  }

  bool put_name(const name_item& n) {
    if (n.index != 0) {
      if (options_.index_names) return fail("with --names the text may not give name indices");
      if (n.index > declared_names_.size()) {
        return fail("name index " + std::to_string(n.index) + " is not in the names table");
      }
      const std::string& entry = declared_names_[n.index - 1];
      if (entry.size() != n.text.size() + 1 || entry.compare(0, n.text.size(), n.text) != 0) {
        return fail("name index " + std::to_string(n.index) + " holds another name");
      }
      put_index(n.index);
      return true;
    }
    if (options_.index_names && n.form == form_t::usual && n.text.find('\0') == std::string::npos) {
      if (const std::uint16_t index = auto_names_.add(n.text); index != 0) {
        put_index(index);
        return true;
      }
    }
    if (!check_form(n.form, n.text.size() + 1)) return false;
    put_counted(bytes_, tag::string8, n.text.c_str(), static_cast<std::uint32_t>(n.text.size() + 1), n.form);
    return true;
  }

  void put_index(std::uint32_t index) {
    std::uint8_t b[3] = {tag::int16, 0, 0};
    zq::store_be16(b + 1, static_cast<std::uint16_t>(index));
    bytes_.insert(bytes_.end(), b, b + 3);
  }

  // --- Values ---

  // The value after its type word; is_string tells the caller whether it was a string and leaves
  // its stored bytes in string_bytes.
  bool value(std::string_view type, form_t form, bool& is_string, std::string& string_bytes) {
    is_string = false;
    const bool counted = type == detail::kw_binary || type == detail::kw_string;
    if (form != form_t::usual && !counted) return fail("a length form belongs to binary and string values");
    if (form == form_t::alt34 && type != detail::kw_string) return fail("/x34 belongs to strings");
    std::int64_t n = 0;
    if (type == detail::kw_empty) {
      bytes_.push_back(tag::empty);
    } else if (type == detail::kw_int8) {
      if (!number(-128, 255, n)) return false;
      bytes_.push_back(tag::int8);
      bytes_.push_back(static_cast<std::uint8_t>(n));
    } else if (type == detail::kw_int16) {
      if (!number(-32768, 65535, n)) return false;
      std::uint8_t b[3] = {tag::int16, 0, 0};
      zq::store_be16(b + 1, static_cast<std::uint16_t>(n));
      bytes_.insert(bytes_.end(), b, b + 3);
    } else if (type == detail::kw_int32) {
      if (!number(-2147483648LL, 4294967295LL, n)) return false;
      std::uint8_t b[5] = {tag::int32, 0, 0, 0, 0};
      zq::store_be32(b + 1, static_cast<std::uint32_t>(n));
      bytes_.insert(bytes_.end(), b, b + 5);
    } else if (type == detail::kw_bool) {
      skip_spaces();
      const std::string_view word = bare_word();
      if (word != "true" && word != "false") return fail("bool takes true or false");
      bytes_.push_back(word == "true" ? tag::bool_true : tag::bool_false);
    } else if (type == detail::kw_binary) {
      std::string payload;
      if (!hex_bytes(payload) || !check_form(form, payload.size())) return false;
      put_counted(bytes_, tag::binary8, payload.data(), static_cast<std::uint32_t>(payload.size()), form);
    } else if (type == detail::kw_string) {
      skip_spaces();
      if (peek() != '"') return fail("string takes a quoted text");
      if (!quoted(string_bytes)) return false;
      if (!string_bytes.empty() && string_bytes.back() != '\0') string_bytes += '\0';
      if (!check_form(form, string_bytes.size())) return false;
      put_counted(bytes_, tag::string8, string_bytes.data(), static_cast<std::uint32_t>(string_bytes.size()), form);
      is_string = true;
    } else {
      return fail("'" + std::string(type) + "' is not a value type");
    }
    return expect_line_end();
  }

  static bool is_value_type(std::string_view word) {
    return word == detail::kw_empty || word == detail::kw_int8 || word == detail::kw_int16 ||
           word == detail::kw_int32 || word == detail::kw_bool || word == detail::kw_binary ||
           word == detail::kw_string;
  }

  // --- Lines ---

  bool compile_line() {
    if (at_line_end()) return true;
    if (peek() == '}') {
      ++cursor_;
      if (!expect_line_end()) return false;
      return close_element();
    }
    if (stopped_) {
      skip_spaces();
      if (bare_word() != detail::kw_trailing) return fail("only 'trailing' may follow 'stop'");
      std::string payload;
      if (!hex_bytes(payload)) return false;
      bytes_.insert(bytes_.end(), payload.begin(), payload.end());
      return true;
    }
    const char first = peek();
    if (first != '"' && !detail::is_bare_name_char(first)) {
      return fail(std::string("unexpected character '") + first + "'");
    }
    name_item n;
    if (!name(n)) return false;
    skip_spaces();
    if (peek() == '{') {
      ++cursor_;
      skip_spaces();
      const bool closes = peek() == '}';
      if (closes) ++cursor_;
      if (!expect_line_end()) return false;
      if (!open_element_line(n)) return false;
      return !closes || close_element();
    }
    if (peek() == '=') {
      ++cursor_;
      return attribute_line(n);
    }
    if (n.quoted || n.index != 0) return fail("a name must be followed by '{' or '='");
    const bool is_stop = stack_.empty() && n.text == detail::kw_stop && n.form == form_t::usual;
    if (!is_stop && !is_value_type(n.text)) {
      return fail("'" + n.text + "' is neither a value type nor a name followed by '{' or '='");
    }
    if (is_stop) {
      if (!expect_line_end()) return false;
      bytes_.push_back(tag::stop);
      stopped_ = true;
      return true;
    }
    if (stack_.empty()) return fail("values and attributes belong inside an element");
    open_element& parent = stack_.back();
    if (parent.is_names && n.text != detail::kw_string) return fail("the names table holds only strings");
    bool is_string = false;
    std::string stored;
    if (!value(n.text, n.form, is_string, stored)) return false;
    parent.has_content = true;
    if (parent.is_names) {
      if (stored.empty()) return fail("a name in the names table may not be empty");
      if (declared_names_.size() >= max_names) return fail("the names table holds at most 65535 names");
      declared_names_.push_back(std::move(stored));
    }
    return true;
  }

  bool open_element_line(const name_item& n) {
    if (stack_.size() >= max_depth) return fail("elements nest at most " + std::to_string(max_depth) + " deep");
    bool is_names = false;
    if (stack_.empty()) {
      const bool first = !seen_element_;
      seen_element_ = true;
      if (first && n.index == 0 && n.text == names_element) {
        if (options_.index_names) return fail("with --names the text may not hold its own names table");
        is_names = true;
      }
    } else {
      open_element& parent = stack_.back();
      if (parent.is_names) return fail("the names table holds only strings");
      parent.has_content = true;
    }
    bytes_.push_back(tag::element_start);
    if (!put_name(n)) return false;
    stack_.push_back(open_element{line_number_, false, is_names});
    return true;
  }

  bool attribute_line(const name_item& n) {
    if (stack_.empty()) return fail("values and attributes belong inside an element");
    if (stack_.back().is_names) return fail("the names table has no attributes");
    if (stack_.back().has_content) return fail("attributes come before the content of an element");
    skip_spaces();
    const std::string_view type = bare_word();
    if (type.empty()) return fail("a value is missing after '='");
    form_t form;
    if (!form_suffix(form, true)) return false;
    bytes_.push_back(tag::attribute);
    if (!put_name(n)) return false;
    bool is_string = false;
    std::string stored;
    return value(type, form, is_string, stored);
  }

  bool close_element() {
    if (stack_.empty()) return fail("'}' without an open element");
    stack_.pop_back();
    bytes_.push_back(tag::element_end);
    return true;
  }

  const compile_options& options_;
  text_error& error_;
  std::string_view line_;
  std::size_t cursor_ = 0;
  std::size_t line_number_ = 0;

  std::vector<std::uint8_t> bytes_;
  std::vector<open_element> stack_;
  bool seen_element_ = false;
  bool stopped_ = false;
  std::vector<std::string> declared_names_;  // the text's own names table, stored bytes with NUL
  names_table auto_names_;                   // names numbered by --names
};

}  // namespace

zq::result_t compile(std::string_view text, const compile_options& options, std::vector<std::uint8_t>& document,
                     text_error& error) {
  document.clear();
  error = text_error{};
  compiler c(options, error);
  if (!c.run(text, document)) {
    document.clear();
    return zq::rc::malformed_document;
  }
  return zq::rc::ok;
}

}  // namespace meta
