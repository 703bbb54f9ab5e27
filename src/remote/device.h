// remote::device: the main area's service showing the loaded codebase, the user's virtual remote.
// Binding gives every button its meaning: a signal name sends that signal while the stylus stays
// down, "$" and a macro name plays the macro, "@" commands go through the holder's chain; names
// the codebase lacks show the button as not active. Without a codebase it shows the empty page.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "base/result.h"
#include "ir/context.h"
#include "remote/service.h"
#include "storage/codebase.h"

namespace remote {

class window_control;

class device final : public service {
 public:
  explicit device(window_control& holder);
  ~device() override;

  bool prepare() override;
  int reload() override;
  int hard_key(const outworld::input_event& event) override;
  std::string name() const override { return "remote"; }

  // Opens the named codebase and shows it on page (empty name: unloads). 0 or the database
  // error; on an error nothing is loaded.
  [[nodiscard]] zq::result_t load(std::string_view codebase_name, std::int32_t page);
  bool has_codebase() const { return codebase_.is_open(); }
  std::string codebase_name() const { return codebase_.is_open() ? codebase_.name() : std::string(); }
  redeye::context& ir() { return ir_; }

  // "@page:", "@page+", "@page-", "@cyclepage+", "@cyclepage-": true when the text is one of them.
  // from: the context that sent it (a macro's commands apply only to the codebase shown).
  bool page_command(const redeye::context& from, std::string_view action);

  // Fills the empty page's texts: whether any codebase is installed.
  std::function<bool()> any_codebase_installed;

 private:
  void show_empty_page(bool corrupted);
  void bind();
  void fill_empty_texts(service& page);
  int send_signal_of(button& b, button::event_t event);
  int play_macro_of(button& b, button::event_t event);
  int run_command_of(button& b, button::event_t event);
  void report(const redeye::error_t& error);
  void set_indicator(bool on);
  // A hard key's signal or macro from another codebase, in a context of its own.
  void send_from(std::string_view codebase_name, std::string_view name, bool macro);

  window_control& holder_;
  xman::codebase codebase_;
  redeye::context ir_;
  bool busy_ = false;
  bool showing_empty_ = false;
  // A "@page:" that came after the codebase was set and before it was read: clamp it on reading.
  bool page_pending_ = false;
};

}  // namespace remote
