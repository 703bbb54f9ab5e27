#include "platform/dialog_template.h"

#include <optional>
#include <string_view>
#include <utility>

#include "base/text_conversion.h"
#include "platform/resource_text_lines.h"
#include "platform/window.h"

namespace platform {

namespace {

// Bits of the style words that belong to one class: a push button's "default", a static text's
// alignment.
constexpr std::uint32_t default_button_bit = 0x0001;
constexpr std::uint32_t center_bit = 0x0001;
constexpr std::uint32_t right_bit = 0x0002;

// Captions and labels may break their lines with \n.
const resource_text_rules dialog_rules{.max_bytes = dialog_template_max_bytes,
                                       .too_large = zq::rc::dialog_template_too_large,
                                       .malformed = zq::rc::dialog_template_malformed,
                                       .newline_escape = true};

// "0x" and 1 to 8 hexadecimal digits.
std::optional<std::uint32_t> hexadecimal(std::string_view word) {
  if (word.size() < 3 || word.size() > 10 || word[0] != '0' || (word[1] != 'x' && word[1] != 'X')) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : word.substr(2)) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value << 4 | digit;
  }
  return value;
}

bool class_name_valid(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letter && c != '_' && c != '.' && c != ':') return false;
  }
  return true;
}

class reader {
 public:
  zq::result_t statement(std::string_view keyword, resource_statement& s) {
    if (keyword == "dialog") return dialog_line(s);
    if (!seen_dialog_) return zq::rc::dialog_template_malformed;  // the dialog statement comes first
    if (keyword == "font") return font_line(s);
    if (keyword == "control") return control_line(s);
    return zq::rc::dialog_template_malformed;
  }

  zq::result_t finish(dialog_template& out) {
    if (!seen_dialog_) return zq::rc::dialog_template_malformed;
    out = std::move(result_);
    return zq::rc::ok;
  }

 private:
  zq::result_t dialog_line(resource_statement& s) {
    if (seen_dialog_) return zq::rc::dialog_template_malformed;
    int width = 0;
    int height = 0;
    if (const zq::result_t rc = units(s.word(), 1, width); rc != zq::rc::ok) return rc;
    if (const zq::result_t rc = units(s.word(), 1, height); rc != zq::rc::ok) return rc;
    const auto caption = s.quoted();
    if (!caption || !s.at_end()) return zq::rc::dialog_template_malformed;
    if (const zq::result_t rc = text_of(*caption, result_.caption); rc != zq::rc::ok) return rc;
    result_.extent = {width, height};
    seen_dialog_ = true;
    return zq::rc::ok;
  }

  zq::result_t font_line(resource_statement& s) {
    if (seen_font_ || !result_.controls.empty()) return zq::rc::dialog_template_malformed;
    const auto face = s.quoted();
    if (!face || face->empty()) return zq::rc::dialog_template_malformed;
    const auto points = resource_decimal(s.word());
    if (!points || !s.at_end()) return zq::rc::dialog_template_malformed;
    if (*points < 1 || *points > static_cast<std::uint32_t>(dialog_template_max_points)) {
      return zq::rc::dialog_template_too_large;
    }
    if (const zq::result_t rc = text_of(*face, result_.font_face); rc != zq::rc::ok) return rc;
    result_.font_points = static_cast<int>(*points);
    seen_font_ = true;
    return zq::rc::ok;
  }

  zq::result_t control_line(resource_statement& s) {
    if (result_.controls.size() >= dialog_template_max_controls) return zq::rc::dialog_template_too_large;
    dialog_control_template control;
    const auto id = resource_decimal(s.word());
    if (!id || *id > 0xFFFF) return zq::rc::dialog_template_malformed;
    control.id = *id;
    const std::string_view class_name = s.word();
    if (!class_name_valid(class_name)) return zq::rc::dialog_template_malformed;
    if (class_name.size() > dialog_template_max_class) return zq::rc::dialog_template_too_large;
    control.class_name = zq::utf8_to_wide(class_name);
    const auto label = s.quoted();
    if (!label) return zq::rc::dialog_template_malformed;
    if (const zq::result_t rc = text_of(*label, control.text); rc != zq::rc::ok) return rc;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    for (auto [value, least] : {std::pair{&x, 0}, {&y, 0}, {&width, 1}, {&height, 1}}) {
      if (const zq::result_t rc = units(s.word(), least, *value); rc != zq::rc::ok) return rc;
    }
    control.position = rect::from_size({x, y}, {width, height});
    std::uint32_t style = ws::child | ws::visible;
    while (!s.at_end()) {
      const std::string_view word = s.word();
      if (word == "tabstop") {
        style |= dialog_style::tabstop;
      } else if (word == "group") {
        style |= dialog_style::group;
      } else if (word == "disabled") {
        style |= ws::disabled;
      } else if (word == "hidden") {
        style &= ~ws::visible;
      } else if (word == "default") {
        style |= default_button_bit;
      } else if (word == "left") {
      } else if (word == "center") {
        style |= center_bit;
      } else if (word == "right") {
        style |= right_bit;
      } else if (const auto bits = hexadecimal(word)) {
        // A class's own bits only: the window bits come from the words above.
        if ((*bits & 0xFFFF0000u) != 0) return zq::rc::dialog_template_malformed;
        style |= *bits;
      } else {
        return zq::rc::dialog_template_malformed;
      }
    }
    control.style = style;
    result_.controls.push_back(std::move(control));
    return zq::rc::ok;
  }

  // A size or coordinate in dialog units, least..1023.
  static zq::result_t units(std::string_view word, int least, int& out) {
    const auto value = resource_decimal(word);
    if (!value) return zq::rc::dialog_template_malformed;
    if (*value > static_cast<std::uint32_t>(dialog_template_max_units)) return zq::rc::dialog_template_too_large;
    if (static_cast<int>(*value) < least) return zq::rc::dialog_template_malformed;
    out = static_cast<int>(*value);
    return zq::rc::ok;
  }

  static zq::result_t text_of(const std::string& utf8, std::wstring& out) {
    out = zq::utf8_to_wide(utf8);
    return out.size() > dialog_template_max_text ? zq::rc::dialog_template_too_large : zq::rc::ok;
  }

  dialog_template result_;
  bool seen_dialog_ = false;
  bool seen_font_ = false;
};

}  // namespace

zq::result_t parse_dialog_template(std::span<const std::uint8_t> text, dialog_template& out, std::size_t* error_line) {
  out = dialog_template();
  reader r;
  return read_resource_text(
      text, dialog_rules, [&r](std::string_view keyword, resource_statement& s) { return r.statement(keyword, s); },
      [&r, &out] { return r.finish(out); }, error_line);
}

zq::result_t load_dialog_template(const module& from, std::uint16_t id, dialog_template& out) {
  out = dialog_template();
  std::span<const std::uint8_t> text;
  if (const zq::result_t rc = from.load(dialog_resource_type, resource_name(id), text); rc != zq::rc::ok) return rc;
  return parse_dialog_template(text, out);
}

}  // namespace platform
