#include "platform/hot_key.h"

#include <algorithm>
#include <vector>

#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_records.h"

namespace platform {

namespace {

struct hot_key {
  hwnd window = no_window;  // no_window: the shell
  int id = 0;
  std::uint32_t modifiers = 0;
  std::uint32_t key = 0;
};

std::vector<hot_key>& hot_keys() {
  static std::vector<hot_key> keys;
  return keys;
}

std::vector<hot_key>::iterator registration_of(std::uint32_t modifiers, std::uint32_t key) {
  return std::find_if(hot_keys().begin(), hot_keys().end(),
                      [&](const hot_key& k) { return k.modifiers == modifiers && k.key == key; });
}

}  // namespace

bool register_hot_key(hwnd h, int id, std::uint32_t modifiers, std::uint32_t virtual_key) {
  if (!is_window(h) || registration_of(modifiers, virtual_key) != hot_keys().end()) return false;
  hot_keys().push_back({h, id, modifiers, virtual_key});
  return true;
}

bool unregister_hot_key(hwnd h, int id) {
  const auto found = std::find_if(hot_keys().begin(), hot_keys().end(),
                                  [&](const hot_key& k) { return k.window == h && k.id == id && h != no_window; });
  if (found == hot_keys().end()) return false;
  hot_keys().erase(found);
  return true;
}

void shell_hold_hot_key(std::uint32_t modifiers, std::uint32_t virtual_key) {
  if (registration_of(modifiers, virtual_key) == hot_keys().end()) hot_keys().push_back({no_window, 0, modifiers, virtual_key});
}

bool shell_holds_hot_key(std::uint32_t modifiers, std::uint32_t virtual_key) {
  const auto found = registration_of(modifiers, virtual_key);
  return found != hot_keys().end() && found->window == no_window;
}

int UnregisterFunc1(std::uint32_t modifiers, std::uint32_t virtual_key) {
  const auto found = registration_of(modifiers, virtual_key);
  if (found == hot_keys().end() || found->window != no_window) return 0;
  hot_keys().erase(found);
  return 1;
}

bool route_hot_key(std::uint32_t virtual_key, bool down, std::uint32_t modifiers) {
  const std::uint32_t wanted = (modifiers & ~mod::keyup) | (down ? 0 : mod::keyup);
  const auto found = registration_of(wanted, virtual_key);
  if (found == hot_keys().end()) return false;
  if (found->window != no_window) {
    post_message(found->window, wm::hotkey, static_cast<wparam_t>(found->id), make_lparam(static_cast<int>(wanted), static_cast<int>(virtual_key)));
  }
  return true;
}

void reset_hot_keys() { hot_keys().clear(); }

void detail::forget_hot_keys(hwnd h) {
  std::erase_if(hot_keys(), [&](const hot_key& k) { return k.window == h; });
}

}  // namespace platform
