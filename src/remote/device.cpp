#include "remote/device.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "base/text_conversion.h"
#include "ir/error_report.h"
#include "ir/macro_player.h"
#include "ir/send_signal.h"
#include "platform/message_box.h"
#include "remote/button_feedback.h"
#include "remote/navigation.h"
#include "remote/remote_texts.h"
#include "remote/skin_libraries.h"
#include "remote/window_control.h"
#include "remote/input_event.h"
#include "storage/hard_key_dispatch.h"

namespace remote {

namespace {

// The stylus, as the key whose held state prolongs a send.
constexpr int stylus_hold_key = 1;

std::optional<std::int32_t> decimal(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

device::device(window_control& holder) : service(std::wstring(default_skin_name)), holder_(holder), codebase_(holder.codebases()) {
  ir_.catalog = &holder.codebases();
  ir_.action = [this](redeye::context& ctx, std::string_view command, redeye::error_t& error) {
    holder_.dispatch(ctx, command, error);
  };
  ir_.signal_event = [this](outworld::signal_event_t event) {
    const bool on = event == outworld::signal_event_t::started;
    if (on && busy_) fire_button_feedback(button::feedback_click);
    set_indicator(on);
  };
}

device::~device() = default;

void device::set_indicator(bool on) { holder_.nav().set_indicator(on); }

zq::result_t device::load(std::string_view codebase_name, std::int32_t page) {
  ir_.codebase = nullptr;
  codebase_.close();
  page_pending_ = false;
  showing_empty_ = false;
  if (codebase_name.empty()) {
    clear_source();
    set_current_page(0);
    return zq::rc::ok;
  }
  if (const zq::result_t rc = codebase_.open(codebase_name); rc != zq::rc::ok) {
    codebase_.close();
    clear_source();
    set_current_page(0);
    return rc;
  }
  std::span<const std::uint8_t> layout;
  if (codebase_.layout(layout) != zq::rc::ok) layout = {};
  set_own_skin({});
  set_source_codebase(codebase_name, layout);
  set_current_page(page);
  ir_.use_codebase(codebase_);
  return zq::rc::ok;
}

int device::reload() {
  const std::int32_t wanted = current_page_unclamped();
  const int result = service::reload();
  if (page_pending_ && page_count() > 0) set_current_page(std::min(wanted, page_count() - 1));
  page_pending_ = false;
  // The empty page is read again after every resize; its texts come back each time, and nothing on
  // it acts.
  if (showing_empty_) {
    fill_empty_texts(*this);
    for (button& b : pages_.buttons) b.set_interactive(false);
  }
  return result;
}

void device::show_empty_page(bool corrupted) {
  showing_empty_ = true;
  set_own_skin(std::wstring(default_skin_name));
  (void)set_source_page("srv:empty");
  service::prepare();
  if (corrupted) holder_.forward(nullptr, "err_corrupted");
}

void device::fill_empty_texts(service& page) {
  const bool installed = any_codebase_installed && any_codebase_installed();
  for (button& b : page.buttons()) {
    if (b.action == "head2") b.title = text::no_codebase_loaded;
    if (b.action == "instructions") b.title = installed ? text::select_codebase : text::create_codebase;
  }
}

bool device::prepare() {
  bool repaint = service::prepare();
  const bool reloaded = (state_flags & loaded) != 0;
  if (source_.empty()) {
    // Nothing to show, or a codebase whose layout could not be read.
    show_empty_page(codebase_.is_open() && source_.kind == service_source::none && !showing_empty_);
    state_flags = 0;
    return true;
  }
  if (reloaded && codebase_.is_open() && !showing_empty_) bind();
  state_flags = 0;
  return repaint;
}

void device::bind() {
  ir_.use_codebase(codebase_);
  for (button& b : pages_.buttons) {
    if (b.action.empty()) {
      b.set_interactive(false);
      continue;
    }
    if (b.action.front() == '@') {
      b.callback = [this](button& tapped, const std::string&, button::event_t event) {
        return run_command_of(tapped, event);
      };
      b.state = button::state_normal;
      b.set_interactive(true);
      continue;
    }
    b.kind = button::press_release;
    const bool is_macro_name = b.action.front() == '$';
    const redeye::name_kind_t kind = ir_.classify_name(b.action);
    if (is_macro_name && kind == redeye::name_kind_t::macro) {
      b.callback = [this](button& tapped, const std::string&, button::event_t event) {
        return play_macro_of(tapped, event);
      };
    } else if (!is_macro_name && kind == redeye::name_kind_t::signal) {
      b.callback = [this](button& tapped, const std::string&, button::event_t event) {
        return send_signal_of(tapped, event);
      };
    } else {
      b.callback = nullptr;
      b.set_interactive(false);
      b.state = button::state_not_active;
      continue;
    }
    b.set_interactive(true);
    b.state = button::state_normal;
  }
}

void device::report(const redeye::error_t& error) {
  const auto message = redeye::report_of(error);
  if (!message) return;
  const auto icon = message->icon == redeye::report_icon_t::warning ? platform::message_box_icon_t::warning
                                                                    : platform::message_box_icon_t::error;
  platform::message_box(holder_.main_viewer().window(), zq::code_page_to_wide(message->text), L"Zequon", icon,
                        platform::message_box_buttons_t::ok);
}

int device::send_signal_of(button& b, button::event_t event) {
  if (event != button::event_t::down || !codebase_.is_open()) return 0;
  ir_.error = {};
  redeye::send_signal(ir_, codebase_, b.action, redeye::pass_choice::signal_default(), stylus_hold_key);
  const redeye::error_t error = ir_.error;
  ir_.error = {};
  if (error.failed()) report(error);
  return 0;
}

int device::play_macro_of(button& b, button::event_t event) {
  if (event != button::event_t::down || !codebase_.is_open()) return 0;
  const std::int32_t page_before = current_page();
  const std::uint32_t loads_before = holder_.load_count();
  ir_.error = {};
  ir_.use_codebase(codebase_);
  ir_.find_macro(b.action);
  redeye::play_macro(ir_, redeye::macro_start_depth, false);
  const redeye::error_t error = ir_.error;
  ir_.error = {};
  if (error.failed()) report(error);
  // The page under the button is gone: it must not be drawn released on the new one.
  return holder_.load_count() != loads_before || current_page_unclamped() != page_before ? 1 : 0;
}

int device::run_command_of(button& b, button::event_t event) {
  if (event != button::event_t::click && event != button::event_t::down) return 0;
  const std::int32_t page_before = current_page();
  const std::uint32_t loads_before = holder_.load_count();
  redeye::error_t error;
  const std::string action = b.action;  // the button may go with its page
  holder_.dispatch(ir_, action, error);
  if (error.failed()) report(error);
  return holder_.load_count() != loads_before || current_page_unclamped() != page_before ? 1 : 0;
}

bool device::page_command(const redeye::context& from, std::string_view action) {
  const bool numbered = action.starts_with("@page:");
  if (!numbered && action != "@page+" && action != "@page-" && action != "@cyclepage+" && action != "@cyclepage-")
    return false;
  // A macro of another codebase does not turn this one's pages.
  if (&from != &ir_ && from.codebase_name() != codebase_name()) return true;
  const std::int32_t count = page_count();
  const bool unread = source_.changed || (state_flags & reload_needed) != 0;
  if (numbered) {
    const auto n = decimal(action.substr(6));
    if (!n || *n - 1 < 0) return true;
    if (*n - 1 < count) {
      set_current_page(*n - 1);
    } else if (unread) {
      set_current_page(*n - 1);
      page_pending_ = true;
    } else {
      return true;
    }
    holder_.invalidate_main();
    return true;
  }
  const std::int32_t page = current_page();
  if (action == "@page+") {
    if (page + 1 < count) set_current_page(page + 1);
    holder_.invalidate();
  } else if (action == "@page-") {
    if (page > 0) set_current_page(page - 1);
    holder_.invalidate();
  } else {
    // Both cycle forward, the last page wrapping to the first.
    if (count > 0) set_current_page(page + 1 < count ? page + 1 : 0);
    holder_.invalidate_main();
  }
  return true;
}

int device::hard_key(const outworld::input_event& event) {
  const std::string_view key = event.key_name.view();
  outworld::hard_key_targets targets;
  targets.main_window_command = [this](std::string_view command) { holder_.forward(nullptr, command); };
  targets.action_command = [this](std::string_view command) {
    redeye::error_t error;
    holder_.dispatch(ir_, command, error);
    if (error.failed()) report(error);
  };
  targets.send_current_signal = [this, &event](std::string_view signal) {
    if (!codebase_.is_open()) return;
    busy_ = true;
    ir_.error = {};
    redeye::send_signal(ir_, codebase_, signal, redeye::pass_choice::signal_default(),
                        static_cast<int>(event.key_code));
    busy_ = false;
    const redeye::error_t error = ir_.error;
    ir_.error = {};
    if (error.failed()) report(error);
  };
  targets.send_signal = [this](std::string_view codebase, std::string_view signal) { send_from(codebase, signal, false); };
  targets.run_macro = [this](std::string_view codebase, std::string_view macro) { send_from(codebase, macro, true); };
  return outworld::dispatch_hard_key(holder_.room().hard_buttons, key, targets) == outworld::key_outcome_t::handled ? 1
                                                                                                                   : 0;
}

void device::send_from(std::string_view codebase_name, std::string_view name, bool macro) {
  redeye::context once(redeye::context::callbacks_of{ir_});
  once.catalog = &holder_.codebases();
  busy_ = true;
  once.open_codebase(codebase_name);
  if (macro) {
    once.find_macro(name);
    redeye::play_macro(once, redeye::macro_start_depth, false);
  } else if (once.codebase != nullptr) {
    redeye::send_signal(once, *once.codebase, name, redeye::pass_choice::signal_default(), 0);
  }
  busy_ = false;
  if (once.error.failed()) report(once.error);
}

}  // namespace remote
