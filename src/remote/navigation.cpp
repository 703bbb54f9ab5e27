#include "remote/navigation.h"

#include <charconv>
#include <optional>

#include "remote/device.h"
#include "remote/remote_texts.h"
#include "remote/skin_libraries.h"
#include "remote/window_control.h"
#include "storage/database_catalog.h"

namespace remote {

namespace {

std::optional<int> number_after(std::string_view text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return std::nullopt;
  text.remove_prefix(prefix.size());
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return 0;
  return value;
}

bool is_service_button(std::string_view action) {
  return action == "homepage" || action == "powerpage" || action == "infopage" || action == "remote";
}

}  // namespace

navigation::navigation(window_control& holder) : service(std::wstring(system_skin_name)), holder_(holder) {
  (void)set_source_page("srv:navigation");
}

bool navigation::prepare() {
  const bool repaint = service::prepare();
  if ((state_flags & (loaded | title_changed)) == 0 && highlighted_ == holder_.shown_service_name()) return repaint;
  bind();
  state_flags = 0;
  return true;
}

void navigation::bind() {
  const std::string shown = holder_.shown_service_name();
  const std::string codebase = holder_.current_codebase();
  for (button& b : pages_.buttons) {
    if (const auto slot = number_after(b.action, "hot:")) {
      b.kind = button::release;
      b.set_interactive(true);
      if (*slot >= 1 && *slot <= 5) {
        const hot_button& entry = holder_.room().hot_buttons[static_cast<std::size_t>(*slot - 1)];
        b.title = entry.label;
        b.state = !entry.codebase.empty() && holder_.codebases().exists(entry.codebase) ? button::state_normal
                                                                                       : button::state_not_active;
      }
      const int n = *slot;
      b.callback = [this, n](button& tapped, const std::string&, button::event_t event) {
        if (event == button::event_t::click) holder_.hot_button_click(n, &tapped);
        return 0;
      };
    } else if (b.action == "menu") {
      b.kind = button::tracking;
      b.set_interactive(true);
      const bool menu_on = holder_.menu_shown && holder_.menu_shown();
      b.state = menu_on ? button::state_pressed : button::state_normal;
      b.callback = [this](button& tapped, const std::string&, button::event_t event) {
        const bool on = holder_.menu_shown && holder_.menu_shown();
        // The look after the click while the stylus is on it; the present look when it leaves.
        if (event == button::event_t::enter) tapped.state = on ? button::state_normal : button::state_pressed;
        if (event == button::event_t::leave) tapped.state = on ? button::state_pressed : button::state_normal;
        if (event == button::event_t::click) holder_.forward(&tapped, "menu");
        return 0;
      };
    } else if (is_service_button(b.action)) {
      bind_service_button(b, shown);
    } else if (b.action == "info" || b.action == "minimize") {
      b.kind = button::release;
      b.set_interactive(true);
      b.callback = [this](button& tapped, const std::string& action, button::event_t event) {
        if (event == button::event_t::click) holder_.forward(&tapped, action);
        return 0;
      };
    } else if (!b.action.empty() && b.action.front() == '@') {
      b.set_interactive(true);
      b.callback = [this](button&, const std::string& action, button::event_t event) {
        if (event != button::event_t::click && event != button::event_t::down) return 0;
        redeye::error_t error;
        holder_.dispatch(holder_.remote().ir(), action, error);
        return 0;
      };
    } else if (b.action == "irled" || b.action.empty()) {
      b.set_interactive(false);
    }
    if (b.action == "remote") b.title = codebase.empty() ? text::no_codebase_title : codebase;
  }
  highlighted_ = shown;
}

void navigation::bind_service_button(button& b, const std::string& shown) {
  if (b.action == "remote" && shown == "remote") {
    // The device's own button opens the codebase list.
    b.kind = button::release;
    b.state = button::state_normal;
    b.set_interactive(true);
    b.callback = [this](button& tapped, const std::string&, button::event_t event) {
      if (event == button::event_t::click) holder_.forward(&tapped, "remote");
      return 0;
    };
    return;
  }
  b.kind = button::tracking;
  const bool is_shown = b.action == shown;
  b.state = is_shown ? button::state_pressed : button::state_normal;
  b.set_interactive(!is_shown);
  b.callback = [this](button& tapped, const std::string& action, button::event_t event) {
    if (event == button::event_t::enter) tapped.state = button::state_pressed;
    if (event == button::event_t::leave) tapped.state = button::state_normal;
    if (event == button::event_t::click) holder_.show_service(action);
    return 0;
  };
}

void navigation::draw(layer::renderer& r) {
  if (!indicator_only_) {
    service::draw(r);
    return;
  }
  select_skin();
  if (button* led = find_button("irled")) led->draw(r);
}

void navigation::set_indicator(bool on) {
  button* led = find_button("irled");
  if (led == nullptr) return;
  led->state = on ? button::state_pressed : button::state_normal;
  indicator_only_ = true;
  holder_.top_viewer().repaint_now();
  indicator_only_ = false;
}

bool navigation::load_hot_command(std::string_view action, redeye::error_t& error) {
  const auto slot = number_after(action, "@loadhot:");
  if (!slot) return false;
  if (*slot < 1 || *slot > 8) return true;
  const hot_button& entry = holder_.room().hot_buttons[static_cast<std::size_t>(*slot - 1)];
  if (entry.codebase.empty()) {
    error.set(redeye::error_category::macro_hot_list, 0);
    return true;
  }
  if (!holder_.codebases().exists(entry.codebase)) {
    error.set(redeye::error_category::codebase_missing, 0);
    return true;
  }
  if (const zq::result_t rc = holder_.load_codebase(entry.codebase, 0); rc != zq::rc::ok) {
    error.set(redeye::error_category::codebase_open, rc);
    return true;
  }
  holder_.invalidate();
  return true;
}

}  // namespace remote
