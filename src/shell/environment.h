// The program's hold on the handheld: one process-wide object that owns the hardware key table,
// takes the chosen keys from the system shell while the main window is active and hands their
// presses to the input listener (the hard-button assignments), and keeps the callbacks through
// which the IR engine plays sounds, looks up message texts and reports transmissions.
//
// Key capture works on a hooked window: attach replaces the window's procedure with one that
// takes the hot-key messages and watches activation, and passes everything else on. Keys are held
// only while that window is active; the action key (13, the pad's centre on many devices) is held
// with them but never handed on, so that it does nothing while the program is in front.
//
// The display's turn belongs here too (the Orientix client, turning it while the program is active
// and back when it is not), and with it the activation of the program's windows: the window in
// front is published for the wake-up program, told that it woke up, and shown turned.
//
// Full-screen mode belongs here too: the frame registers its menu bar and itself when it is made,
// and the remote screen's commands hide or show the shell's parts and the menu bar around the
// frame, or send the program to the background.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "ir/signal_event.h"
#include "ir/sound.h"
#include "platform/hot_key.h"
#include "platform/window.h"
#include "shell/hardware_key_table.h"
#include "remote/input_event.h"
#include "shell/orientix_client.h"
#include "storage/meta_string.h"

namespace outworld {

class environment {
 public:
  using input_listener = std::function<bool(const input_event&)>;
  using sound_callback = std::function<void(sound_t)>;
  using text_callback = std::function<meta::string(std::uint32_t string_id)>;
  using signal_event_callback = std::function<void(signal_event_t)>;

  // Hot-key id of the action key; the key at table position i has id i + 2.
  static constexpr int action_key_id = 1;
  static constexpr std::uint32_t action_key_code = 13;

  // The program's object, built on the first call from the registry as it is then.
  static environment& instance();

  // Reads the key table from the platform registry and finds the shell's release function. The
  // program uses instance(); tests and tools build their own.
  environment();
  // Lets go of the window it is attached to.
  ~environment();
  environment(const environment&) = delete;
  environment& operator=(const environment&) = delete;

  const std::vector<hardware_key_entry>& key_table() const { return keys_; }

  // Adds the key of that name (compared exactly) to the captured keys, taking it at once when a
  // window is attached; unknown names are ignored.
  void choose_key(std::wstring_view key_name);
  // Lets go of every chosen key (the action key stays held while a window is attached).
  void forget_keys();
  // Hooks the window and takes the keys. 0 when its procedure could not be replaced (no such
  // window), else 1. Attaching again lets go of the window attached before.
  int attach(platform::hwnd window);
  // Gives the window its procedure back, releases the keys and forgets the chosen ones.
  void detach();
  platform::hwnd attached_window() const { return hooked_; }
  const std::vector<int>& captured_ids() const { return captured_; }

  void set_input_listener(input_listener listener) { listener_ = std::move(listener); }
  // The last key handed to the listener.
  const input_event& current_event() const { return current_; }

  // The frame's menu bar window and the frame window (full screen and minimising act on them).
  void register_frame(platform::hwnd menu_bar, platform::hwnd frame);
  void unregister_frame();
  // Hides the menu bar and the shell's task bar, input-panel button and start icon, and spreads the
  // frame over the whole screen.
  void enter_full_screen();
  // Shows the shell's parts and puts the frame below the task bar; the menu bar is shown again
  // unless menu_bar_flag is -1 (a dialog over the frame keeps it hidden).
  void leave_full_screen(int menu_bar_flag = 0);
  // Enters full-screen mode when the flag is set, else leaves it with the menu bar shown.
  void apply_full_screen();
  void set_full_screen(bool on) { full_screen_ = on; }
  bool full_screen() const { return full_screen_; }
  // Puts the frame behind every other window without activating anything, and taps the shell's
  // task bar where its minimise button sits. The full-screen flag stays as it was.
  void minimise();
  void set_minimised(bool on) { minimised_ = on; }
  bool minimised() const { return minimised_; }

  orientix_client& orientix() { return orientix_; }
  // The activation of one of the program's windows (the main window or a dialog): inactive, the
  // published window becomes none and, unless the program was minimised, the display turns back;
  // active after being inactive, the window is published, told it woke up (unless minimised) and
  // the display turned to the settings' choice, remembering how it was. publish receives the window.
  void on_activation(platform::hwnd window, bool active, const xman::settings& settings,
                     const std::function<void(platform::hwnd)>& publish);
  bool program_active() const { return program_active_; }

  void set_sound_callback(sound_callback callback) { sound_ = std::move(callback); }
  const sound_callback& sound() const { return sound_; }
  void set_text_callback(text_callback callback) { text_ = std::move(callback); }
  const text_callback& text() const { return text_; }
  void set_signal_event_callback(signal_event_callback callback) { signal_event_ = std::move(callback); }
  const signal_event_callback& signal_event() const { return signal_event_; }

 private:
  platform::lresult_t hooked_procedure(platform::hwnd h, std::uint32_t message, platform::wparam_t w,
                                       platform::lparam_t l);
  void capture();
  void release();
  void dispatch(int id);
  // Frees a key the shell holds, when the device has the release function.
  void release_from_shell(std::uint32_t modifiers, std::uint32_t virtual_key) const;
  const hardware_key_entry* entry_of(int id) const;

  std::vector<hardware_key_entry> keys_;
  std::vector<int> captured_;
  input_event current_;
  input_listener listener_;
  platform::hwnd hooked_ = platform::no_window;
  platform::window_proc previous_;
  platform::unregister_func1_t unregister_func1_ = nullptr;
  platform::hwnd menu_bar_ = platform::no_window;
  platform::hwnd frame_ = platform::no_window;
  bool full_screen_ = false;
  bool minimised_ = false;
  bool program_active_ = false;
  orientix_client orientix_;
  sound_callback sound_;
  text_callback text_;
  signal_event_callback signal_event_;
};

}  // namespace outworld
