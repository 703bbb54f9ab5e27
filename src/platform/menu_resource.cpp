#include "platform/menu_resource.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/text_conversion.h"
#include "platform/resource_text_lines.h"

namespace platform {

namespace {

const resource_text_rules menu_rules{.max_bytes = menu_resource_max_bytes,
                                     .too_large = zq::rc::menu_resource_too_large,
                                     .malformed = zq::rc::menu_resource_malformed};

// A decimal command id 1..65535.
std::optional<std::uint32_t> command_id(std::string_view word) {
  const auto value = resource_decimal(word);
  if (!value || *value == 0 || *value > max_command_id) return std::nullopt;
  return value;
}

class reader {
 public:
  zq::result_t statement(std::string_view keyword, resource_statement& s) {
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
  reader r;
  return read_resource_text(
      text, menu_rules, [&r](std::string_view keyword, resource_statement& s) { return r.statement(keyword, s); },
      [&r, &out] { return r.finish(out); }, error_line);
}

zq::result_t load_menu(const module& from, std::uint16_t id, menu& out) {
  out = menu();
  std::span<const std::uint8_t> text;
  if (const zq::result_t rc = from.load(menu_resource_type, resource_name(id), text); rc != zq::rc::ok) return rc;
  return parse_menu(text, out);
}

}  // namespace platform
