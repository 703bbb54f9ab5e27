// Menus: a list of items, each a command (text and command id), a separator or a popup (text and
// a menu of its own). The menu bar's menu holds the popups; a popup's items are what the user
// picks. Items can be appended, removed, checked and greyed while the program runs (typically in
// the notification before a popup opens). "&" in an item's text underlines the next character;
// "&&" shows one "&".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Item flags and how an item is named, with the handheld's values.
namespace mf {
inline constexpr std::uint32_t string = 0x0000;
inline constexpr std::uint32_t grayed = 0x0001;
inline constexpr std::uint32_t checked = 0x0008;
inline constexpr std::uint32_t popup = 0x0010;
inline constexpr std::uint32_t separator = 0x0800;
inline constexpr std::uint32_t bycommand = 0x0000;
inline constexpr std::uint32_t byposition = 0x0400;
}  // namespace mf

class menu;

struct menu_item {
  std::uint32_t flags = mf::string;  // separator, popup, checked, grayed
  std::uint32_t id = 0;              // the command id (0 for separators and popups)
  std::wstring text;
  std::unique_ptr<menu> popup;       // only with mf::popup

  bool is_separator() const { return (flags & mf::separator) != 0; }
  bool is_popup() const { return (flags & mf::popup) != 0; }
  // A command the user can pick: not a separator, a popup or greyed.
  bool is_command() const { return (flags & (mf::separator | mf::popup | mf::grayed)) == 0; }
};

// The highest command id: commands travel in the low word of the command message.
inline constexpr std::uint32_t max_command_id = 0xFFFF;

class menu {
 public:
  menu() = default;
  menu(menu&&) noexcept = default;
  menu& operator=(menu&&) noexcept = default;
  menu(const menu&) = delete;
  menu& operator=(const menu&) = delete;

  // A command (flags mf::string, optionally mf::checked and mf::grayed) or, with mf::separator,
  // a separator (id and text are ignored). False for a command id above max_command_id.
  bool append(std::uint32_t flags, std::uint32_t id, std::wstring_view text);
  void append_popup(std::wstring_view text, menu popup);
  // Removes an item, named by position (mf::byposition) or by command id (mf::bycommand, searched
  // in the popups too). False when there is no such item.
  bool remove(std::uint32_t item, std::uint32_t by);
  // Sets or clears the check mark of an item named as for remove. Returns the item's previous
  // state (mf::checked or 0), -1 when there is no such item.
  int check(std::uint32_t item, std::uint32_t by, bool checked);
  // Greys an item or makes it pickable again, named as for remove. Returns 1 when it was not
  // greyed before, 0 when it was, -1 when there is no such item.
  int enable(std::uint32_t item, std::uint32_t by, bool enabled);

  int count() const { return static_cast<int>(items_.size()); }
  const menu_item& item(int position) const { return items_.at(static_cast<std::size_t>(position)); }
  // The popup at this position, or null.
  menu* sub_menu(int position);
  const std::vector<menu_item>& items() const { return items_; }

 private:
  menu_item* find(std::uint32_t item, std::uint32_t by);
  int set_flag(std::uint32_t item, std::uint32_t by, std::uint32_t flag, bool on);

  std::vector<menu_item> items_;
};

}  // namespace platform
