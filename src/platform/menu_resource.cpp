#include "platform/menu_resource.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/text_conversion.h"

namespace platform {

namespace {

// The words of one statement line: bare words and quoted texts.
class statement {
 public:
  explicit statement(std::string_view line) : line_(line) {}

  bool at_end() {
    skip_blanks();
    return pos_ == line_.size();
  }
  // A bare word (up to a blank); empty at the end of the line or before a quote.
  std::string_view word() {
    skip_blanks();
    const std::size_t start = pos_;
    while (pos_ < line_.size() && line_[pos_] != ' ' && line_[pos_] != '\t' && line_[pos_] != '"') ++pos_;
    return line_.substr(start, pos_ - start);
  }
  // A quoted text with its escapes undone; nothing when there is none or it is unterminated, or it
  // holds a control character.
  std::optional<std::string> quoted() {
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
        if (c != '"' && c != '\\') return std::nullopt;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        return std::nullopt;
      }
      text.push_back(c);
    }
    return std::nullopt;
  }

 private:
  void skip_blanks() {
    while (pos_ < line_.size() && (line_[pos_] == ' ' || line_[pos_] == '\t')) ++pos_;
  }
  std::string_view line_;
  std::size_t pos_ = 0;
};

// A decimal command id 1..65535.
std::optional<std::uint32_t> command_id(std::string_view word) {
  if (word.empty() || word.size() > 5) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (value == 0 || value > max_command_id) return std::nullopt;
  return value;
}

class reader {
 public:
  zq::result_t line(std::string_view text) {
    statement s(text);
    const std::string_view keyword = s.word();
    if (keyword.empty()) return s.at_end() ? zq::rc::ok : zq::rc::menu_resource_malformed;
    if (keyword.front() == '#') return zq::rc::ok;
    if (keyword == "popup") {
      if (open_) return zq::rc::menu_resource_malformed;  // popups do not nest
      const auto name = s.quoted();
      if (!name || !s.at_end()) return zq::rc::menu_resource_malformed;
      std::wstring wide;
      if (const zq::result_t rc = text_of(*name, wide); rc != zq::rc::ok) return rc;
      open_ = true;
      popup_name_ = std::move(wide);
      popup_ = menu();
      return zq::rc::ok;
    }
    if (keyword == "end") {
      if (!open_ || !s.at_end()) return zq::rc::menu_resource_malformed;
      if (root_.count() >= static_cast<int>(menu_resource_max_items)) return zq::rc::menu_resource_too_large;
      root_.append_popup(popup_name_, std::move(popup_));
      open_ = false;
      return zq::rc::ok;
    }
    menu& target = open_ ? popup_ : root_;
    if (target.count() >= static_cast<int>(menu_resource_max_items)) return zq::rc::menu_resource_too_large;
    if (keyword == "separator") {
      if (!s.at_end()) return zq::rc::menu_resource_malformed;
      target.append(mf::separator, 0, {});
      return zq::rc::ok;
    }
    if (keyword == "item") {
      const auto name = s.quoted();
      if (!name) return zq::rc::menu_resource_malformed;
      const auto id = command_id(s.word());
      if (!id) return zq::rc::menu_resource_malformed;
      std::uint32_t flags = mf::string;
      while (!s.at_end()) {
        const std::string_view flag = s.word();
        if (flag == "checked") {
          flags |= mf::checked;
        } else if (flag == "grayed") {
          flags |= mf::grayed;
        } else {
          return zq::rc::menu_resource_malformed;
        }
      }
      std::wstring wide;
      if (const zq::result_t rc = text_of(*name, wide); rc != zq::rc::ok) return rc;
      target.append(flags, *id, wide);
      return zq::rc::ok;
    }
    return zq::rc::menu_resource_malformed;
  }

  zq::result_t finish(menu& out) {
    if (open_) return zq::rc::menu_resource_malformed;  // a popup without its end
    out = std::move(root_);
    return zq::rc::ok;
  }

 private:
  static zq::result_t text_of(const std::string& utf8, std::wstring& out) {
    out = zq::utf8_to_wide(utf8);
    return out.size() > menu_resource_max_text ? zq::rc::menu_resource_too_large : zq::rc::ok;
  }

  menu root_;
  menu popup_;
  std::wstring popup_name_;
  bool open_ = false;
};

}  // namespace

zq::result_t parse_menu(std::span<const std::uint8_t> text, menu& out, std::size_t* error_line) {
  out = menu();
  if (error_line != nullptr) *error_line = 0;
  if (text.size() > menu_resource_max_bytes) return zq::rc::menu_resource_too_large;
  const std::string_view all(reinterpret_cast<const char*>(text.data()), text.size());
  reader r;
  std::size_t number = 0;
  for (std::size_t start = 0; start < all.size();) {
    std::size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    if (const zq::result_t rc = r.line(line); rc != zq::rc::ok) {
      if (error_line != nullptr) *error_line = number;
      return rc;
    }
    start = end + 1;
  }
  if (const zq::result_t rc = r.finish(out); rc != zq::rc::ok) {
    if (error_line != nullptr) *error_line = number;
    return rc;
  }
  return zq::rc::ok;
}

zq::result_t load_menu(const module& from, std::uint16_t id, menu& out) {
  out = menu();
  std::span<const std::uint8_t> text;
  if (const zq::result_t rc = from.load(menu_resource_type, resource_name(id), text); rc != zq::rc::ok) return rc;
  return parse_menu(text, out);
}

}  // namespace platform
