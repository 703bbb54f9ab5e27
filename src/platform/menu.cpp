#include "platform/menu.h"

#include <utility>

namespace platform {

bool menu::append(std::uint32_t flags, std::uint32_t id, std::wstring_view text) {
  menu_item item;
  if ((flags & mf::separator) != 0) {
    item.flags = mf::separator;
  } else {
    if (id > max_command_id) return false;
    item.flags = flags & (mf::checked | mf::grayed);
    item.id = id;
    item.text = text;
  }
  items_.push_back(std::move(item));
  return true;
}

void menu::append_popup(std::wstring_view text, menu popup) {
  menu_item item;
  item.flags = mf::popup;
  item.text = text;
  item.popup = std::make_unique<menu>(std::move(popup));
  items_.push_back(std::move(item));
}

menu_item* menu::find(std::uint32_t item, std::uint32_t by) {
  if ((by & mf::byposition) != 0) return item < items_.size() ? &items_[item] : nullptr;
  for (menu_item& i : items_) {
    if (i.is_popup()) {
      if (menu_item* found = i.popup->find(item, by)) return found;
    } else if (!i.is_separator() && i.id == item) {
      return &i;
    }
  }
  return nullptr;
}

bool menu::remove(std::uint32_t item, std::uint32_t by) {
  if ((by & mf::byposition) != 0) {
    if (item >= items_.size()) return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(item));
    return true;
  }
  for (std::size_t i = 0; i < items_.size(); ++i) {
    menu_item& candidate = items_[i];
    if (candidate.is_popup()) {
      if (candidate.popup->remove(item, by)) return true;
    } else if (!candidate.is_separator() && candidate.id == item) {
      items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  }
  return false;
}

int menu::set_flag(std::uint32_t item, std::uint32_t by, std::uint32_t flag, bool on) {
  menu_item* found = find(item, by);
  if (found == nullptr || found->is_separator()) return -1;
  const int before = static_cast<int>(found->flags & flag);
  found->flags = on ? (found->flags | flag) : (found->flags & ~flag);
  return before;
}

int menu::check(std::uint32_t item, std::uint32_t by, bool checked) { return set_flag(item, by, mf::checked, checked); }

int menu::enable(std::uint32_t item, std::uint32_t by, bool enabled) {
  const int before = set_flag(item, by, mf::grayed, !enabled);
  return before < 0 ? before : (before != 0 ? 0 : 1);
}

menu* menu::sub_menu(int position) {
  if (position < 0 || position >= count()) return nullptr;
  menu_item& i = items_[static_cast<std::size_t>(position)];
  return i.is_popup() ? i.popup.get() : nullptr;
}

}  // namespace platform
