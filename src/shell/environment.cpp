#include "shell/environment.h"

#include <algorithm>
#include <string>

#include "base/text_conversion.h"
#include "platform/hot_key_release.h"
#include "platform/message_queue.h"
#include "platform/window_messages.h"

namespace outworld {

environment& environment::instance() {
  static environment the_environment;
  return the_environment;
}

environment::environment() : keys_(read_hardware_key_table()) {
  // The shell keeps the hardware keys for its own programs until its release function frees them;
  // a device without that function leaves the registrations to fail for the keys the shell holds.
  unregister_func1_ = reinterpret_cast<platform::unregister_func1_t>(
      platform::find_system_export("coredll.dll", "UnregisterFunc1"));
}

environment::~environment() { detach(); }

void environment::choose_key(std::wstring_view key_name) {
  const auto found = std::find_if(keys_.begin(), keys_.end(),
                                  [&](const hardware_key_entry& e) { return e.key_name == key_name; });
  if (found == keys_.end()) return;
  const int id = static_cast<int>(found - keys_.begin()) + 2;
  if (hooked_ != platform::no_window) {
    release_from_shell(found->modifiers, found->virtual_key);
    (void)platform::register_hot_key(hooked_, id, found->modifiers, found->virtual_key);
  }
  if (std::find(captured_.begin(), captured_.end(), id) == captured_.end()) captured_.push_back(id);
}

void environment::forget_keys() {
  if (hooked_ != platform::no_window) release();
  captured_.clear();
  if (hooked_ != platform::no_window) capture();
}

int environment::attach(platform::hwnd window) {
  if (hooked_ != platform::no_window) {
    // Keep the keys chosen so far: only the window changes.
    const std::vector<int> chosen = captured_;
    detach();
    captured_ = chosen;
  }
  platform::window_proc previous = platform::set_window_proc(
      window, [this](platform::hwnd h, std::uint32_t m, platform::wparam_t w, platform::lparam_t l) {
        return hooked_procedure(h, m, w, l);
      });
  if (!previous) return 0;
  hooked_ = window;
  previous_ = std::move(previous);
  capture();
  return 1;
}

void environment::detach() {
  if (hooked_ != platform::no_window) {
    (void)platform::set_window_proc(hooked_, std::move(previous_));
    release();
  }
  hooked_ = platform::no_window;
  previous_ = nullptr;
  captured_.clear();
}

platform::lresult_t environment::hooked_procedure(platform::hwnd h, std::uint32_t message, platform::wparam_t w,
                                                  platform::lparam_t l) {
  if (message == platform::wm::hotkey) {
    dispatch(static_cast<int>(w));
    // Presses that piled up while the listener worked (an IR transmission) are not acted upon.
    platform::remove_messages(platform::wm::hotkey, platform::wm::hotkey);
    return 0;
  }
  if (message == platform::wm::activate) {
    const std::uint32_t state = platform::loword(w);
    if (state == platform::wa::active || state == platform::wa::clickactive) {
      capture();
    } else if (state == platform::wa::inactive) {
      release();
    }
  }
  // The previous procedure may detach (and so replace previous_) while it runs.
  const platform::window_proc previous = previous_;
  const platform::lresult_t answer = previous ? previous(h, message, w, l) : platform::def_window_proc(h, message, w, l);
  if (message == platform::wm::ncdestroy && h == hooked_) {
    // The window is gone and its hot keys with it; nothing is left to give back.
    hooked_ = platform::no_window;
    previous_ = nullptr;
  }
  return answer;
}

void environment::capture() {
  release_from_shell(0, action_key_code);
  (void)platform::register_hot_key(hooked_, action_key_id, 0, action_key_code);
  for (const int id : captured_) {
    const hardware_key_entry* entry = entry_of(id);
    if (entry == nullptr) continue;
    release_from_shell(entry->modifiers, entry->virtual_key);
    (void)platform::register_hot_key(hooked_, id, entry->modifiers, entry->virtual_key);
  }
}

void environment::release() {
  release_from_shell(0, action_key_code);
  (void)platform::unregister_hot_key(hooked_, action_key_id);
  for (const int id : captured_) {
    const hardware_key_entry* entry = entry_of(id);
    if (entry == nullptr) continue;
    release_from_shell(entry->modifiers, entry->virtual_key);
    (void)platform::unregister_hot_key(hooked_, id);
  }
}

void environment::dispatch(int id) {
  if (!listener_ || std::find(captured_.begin(), captured_.end(), id) == captured_.end()) return;
  const hardware_key_entry* entry = entry_of(id);
  if (entry == nullptr) return;
  current_.key_name = meta::string::copy(zq::wide_to_code_page(entry->key_name).c_str());
  current_.key_code = entry->virtual_key;
  // A copy: the listener may replace itself.
  const input_listener listener = listener_;
  (void)listener(current_);
}

void environment::release_from_shell(std::uint32_t modifiers, std::uint32_t virtual_key) const {
  if (unregister_func1_ != nullptr) (void)unregister_func1_(modifiers, virtual_key);
}

const hardware_key_entry* environment::entry_of(int id) const {
  const int position = id - 2;
  if (position < 0 || static_cast<std::size_t>(position) >= keys_.size()) return nullptr;
  return &keys_[static_cast<std::size_t>(position)];
}

void environment::on_activation(platform::hwnd window, bool active, const xman::settings& settings,
                                const std::function<void(platform::hwnd)>& publish) {
  if (!active) {
    program_active_ = false;
    publish(platform::no_window);
    if (!minimised_) orientix_.restore(settings);
    return;
  }
  if (program_active_) return;
  program_active_ = true;
  publish(window);
  if (minimised_) return;
  platform::post_message(window, platform::wm_wakeup, 0, 0);
  orientix_.apply(settings, true);
}

}  // namespace outworld
