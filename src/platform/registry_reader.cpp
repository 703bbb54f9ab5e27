#include "platform/registry_reader.h"

#include <vector>

#include "base/text_conversion.h"

namespace platform {

namespace {

std::string_view trim_left(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

std::string_view trim(std::string_view s) {
  s = trim_left(s);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

bool starts_with_ignoring_case(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && equal_ignoring_case(s.substr(0, prefix.size()), prefix);
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class reader {
 public:
  explicit reader(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::size_t start = 0;
    while (start <= text.size()) {
      const std::size_t end = text.find('\n', start);
      lines_.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
  }

  bool read(registry_tree& tree) {
    bool header = false;
    for (index_ = 0; index_ < lines_.size(); ++index_) {
      const std::string_view line = trim(lines_[index_]);
      if (line.empty() || line.front() == ';') continue;
      if (!header) {
        if (line != "REGEDIT4") return fail("the text does not begin with REGEDIT4");
        header = true;
      } else if (line.front() == '[') {
        if (!read_key(line, tree)) return false;
      } else if (line.front() == '"' || line.front() == '@') {
        if (!read_value(line)) return false;
      } else {
        return fail("neither a key, a value nor a comment");
      }
    }
    if (!header) {
      error = {0, "the text holds no REGEDIT4 header"};
      return false;
    }
    return true;
  }

  registry_text_error error;

 private:
  bool fail(std::string reason) {
    error.line = index_ + 1;
    error.reason = std::move(reason);
    return false;
  }

  bool read_key(std::string_view line, registry_tree& tree) {
    if (line.back() != ']') return fail("a key line that does not end in ]");
    std::string_view path = line.substr(1, line.size() - 2);
    if (path.starts_with('-')) return fail("deleting a key is not supported");

    const std::size_t root_end = path.find('\\');
    const std::string_view root = path.substr(0, root_end);
    registry_key_node* key = nullptr;
    if (equal_ignoring_case(root, "HKEY_LOCAL_MACHINE") || equal_ignoring_case(root, "HKLM")) {
      key = tree.local_machine.get();
    } else if (equal_ignoring_case(root, "HKEY_CURRENT_USER") || equal_ignoring_case(root, "HKCU")) {
      key = tree.current_user.get();
    } else {
      return fail("the key is under no known root (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER)");
    }
    path = root_end == std::string_view::npos ? std::string_view() : path.substr(root_end + 1);

    std::size_t depth = 0;
    while (root_end != std::string_view::npos) {
      const std::size_t end = path.find('\\');
      const std::string_view name = path.substr(0, end);
      if (name.empty()) return fail("an empty key name in the path");
      if (name.size() > max_registry_key_name) return fail("a key name longer than 255 characters");
      if (++depth > max_registry_depth) return fail("a key path deeper than 32 keys");
      key = &key->subkey(zq::code_page_to_wide(name));
      if (end == std::string_view::npos) break;
      path.remove_prefix(end + 1);
    }
    key_ = key;
    return true;
  }

  // A quoted text at the start of s: the text inside, and s moved past the closing quote.
  bool read_quoted(std::string_view& s, std::string& out) {
    out.clear();
    for (std::size_t i = 1; i < s.size(); ++i) {
      const char c = s[i];
      if (c == '"') {
        s.remove_prefix(i + 1);
        return true;
      }
      if (c == '\\') {
        if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) return fail("an escape other than \\\\ or \\\"");
        out += s[++i];
      } else {
        out += c;
      }
    }
    return fail("a quoted text without its closing quote");
  }

  bool rest_is_empty(std::string_view rest) {
    return trim(rest).empty() || fail("text after the value");
  }

  bool read_value(std::string_view line) {
    if (key_ == nullptr) return fail("a value before the first key");
    registry_value value;
    std::string_view rest = line;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else {
      std::string name;
      if (!read_quoted(rest, name)) return false;
      if (name.empty()) return fail("an empty value name (the default value is written @)");
      if (name.size() > max_registry_value_name) return fail("a value name longer than 16383 characters");
      value.name = zq::code_page_to_wide(name);
    }
    rest = trim_left(rest);
    if (!rest.starts_with('=')) return fail("a value name without =");
    rest = trim_left(rest.substr(1));

    if (rest.starts_with('"')) {
      std::string text;
      if (!read_quoted(rest, text) || !rest_is_empty(rest)) return false;
      value.type = registry_type::string;
      value.text = zq::code_page_to_wide(text);
    } else if (starts_with_ignoring_case(rest, "dword:")) {
      const std::string_view digits = trim(rest.substr(6));
      if (digits.empty() || digits.size() > 8) return fail("a dword that is not 1 to 8 hexadecimal digits");
      std::uint32_t number = 0;
      for (const char c : digits) {
        const int digit = hex_digit(c);
        if (digit < 0) return fail("a dword that is not 1 to 8 hexadecimal digits");
        number = number << 4 | static_cast<std::uint32_t>(digit);
      }
      value.type = registry_type::number;
      value.number = number;
    } else if (starts_with_ignoring_case(rest, "hex:")) {
      value.type = registry_type::binary;
      if (!read_bytes(rest.substr(4), value.bytes)) return false;
    } else if (starts_with_ignoring_case(rest, "hex(")) {
      return fail("typed hex values are not supported");
    } else if (rest.starts_with('-')) {
      return fail("deleting a value is not supported");
    } else {
      return fail("a value that is neither a quoted text, dword: nor hex:");
    }
    key_->set_value(std::move(value));
    return true;
  }

  // Comma-separated bytes of one or two hexadecimal digits; a lone backslash continues the list
  // on the next line.
  bool read_bytes(std::string_view rest, std::vector<std::uint8_t>& bytes) {
    bool after_comma = false;
    for (;;) {
      rest = trim(rest);
      if (rest == "\\") {
        if (index_ + 1 >= lines_.size()) return fail("a continued byte list at the end of the text");
        rest = lines_[++index_];
        continue;
      }
      if (rest.empty()) {
        if (after_comma) return fail("a byte list that ends in a comma");
        return true;
      }
      if (!bytes.empty() && !after_comma) return fail("bytes not separated by commas");
      const int high = hex_digit(rest[0]);
      if (high < 0) return fail("a byte that is not hexadecimal");
      int byte = high;
      rest.remove_prefix(1);
      if (!rest.empty() && hex_digit(rest[0]) >= 0) {
        byte = byte << 4 | hex_digit(rest[0]);
        rest.remove_prefix(1);
      }
      bytes.push_back(static_cast<std::uint8_t>(byte));
      after_comma = false;
      rest = trim_left(rest);
      if (rest.starts_with(',')) {
        after_comma = true;
        rest.remove_prefix(1);
      }
    }
  }

  std::vector<std::string_view> lines_;
  std::size_t index_ = 0;
  registry_key_node* key_ = nullptr;
};

}  // namespace

zq::result_t read_registry_text(std::string_view text, registry_tree& out, registry_text_error& error) {
  if (text.size() > max_registry_text) {
    error = {0, "a text larger than 1 MB"};
    return zq::rc::registry_text_malformed;
  }
  registry_tree tree;
  reader r(text);
  if (!r.read(tree)) {
    error = std::move(r.error);
    return zq::rc::registry_text_malformed;
  }
  out = std::move(tree);
  return zq::rc::ok;
}

}  // namespace platform
