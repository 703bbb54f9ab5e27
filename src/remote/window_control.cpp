#include "remote/window_control.h"

#include "remote/device.h"
#include "remote/navigation.h"
#include "storage/codebase_catalog.h"
#include "storage/database_catalog.h"

namespace remote {

namespace {

mif::rectangle area_of(const platform::rect& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

}  // namespace

window_control::window_control(xman::database_catalog& codebases) : codebases_(codebases) {
  auto nav = std::make_unique<navigation>(*this);
  auto dev = std::make_unique<device>(*this);
  dev->any_codebase_installed = [this] { return !codebases_.names(xman::codebase_catalog::listed_filter()).empty(); };
  top_viewer_.show(nav.get());
  main_viewer_.show(dev.get());
  services_.emplace("navigation", std::move(nav));
  services_.emplace("remote", std::move(dev));
}

window_control::~window_control() {
  main_viewer_.show(nullptr);
  top_viewer_.show(nullptr);
}

bool window_control::create(platform::hwnd parent, const platform::rect& top_area, const platform::rect& main_area) {
  if (!top_viewer_.create(parent, top_area) || !main_viewer_.create(parent, main_area)) return false;
  resize(top_area, main_area);
  return true;
}

void window_control::resize(const platform::rect& top_area, const platform::rect& main_area) {
  const mif::rectangle top = area_of(top_area);
  const mif::rectangle main = area_of(main_area);
  top_viewer_.resize(top.x, top.y, top.width, top.height);
  main_viewer_.resize(main.x, main.y, main.width, main.height);
}

service* window_control::find_service(std::string_view name) {
  const auto it = services_.find(name);
  return it == services_.end() ? nullptr : it->second.get();
}

device& window_control::remote() { return static_cast<device&>(*services_.find("remote")->second); }
navigation& window_control::nav() { return static_cast<navigation&>(*services_.find("navigation")->second); }

std::string window_control::shown_service_name() const {
  return main_viewer_.shown() == nullptr ? std::string() : main_viewer_.shown()->name();
}

zq::result_t window_control::load_codebase(std::string_view name, std::int32_t initial_page) {
  device& dev = remote();
  // The page being left is remembered for the codebase in the hot list.
  if (dev.has_codebase()) room_.hot_buttons.store_page(dev.codebase_name(), static_cast<std::int16_t>(dev.current_page()));
  const std::int32_t page = room_.hot_buttons.contains(name) ? room_.hot_buttons.find_page(name) : initial_page;
  ++load_count_;
  const zq::result_t rc = dev.load(name, page);
  nav().refresh();
  invalidate();
  return rc;
}

void window_control::show_service(std::string_view name) {
  service* wanted = find_service(name);
  if (wanted == nullptr || wanted == &nav()) return;
  main_viewer_.show(wanted);
  nav().refresh();
  invalidate();
}

bool window_control::dispatch(redeye::context& ctx, std::string_view action, redeye::error_t& error) {
  if (nav().load_hot_command(action, error)) return true;
  if (remote().page_command(ctx, action)) return true;
  if (on_action) {
    on_action(ctx, action, error);
    return true;
  }
  return false;
}

void window_control::forward(const button* b, std::string_view action, button::event_t event) {
  if (on_button) on_button(b, action, event);
}

void window_control::hot_button_click(int slot, const button* b) {
  if (slot < 1 || slot > static_cast<int>(hot_button_table::size)) return;
  const hot_button& entry = room_.hot_buttons[static_cast<std::size_t>(slot - 1)];
  const std::string wanted = entry.codebase;
  if (!wanted.empty() && wanted == current_codebase()) return;
  if (wanted.size() > 1 && codebases_.exists(wanted)) {
    // Sent as a command, not as the hot button's text (which would read as a missing codebase).
    if (load_codebase(wanted, 0) == zq::rc::codebase_too_new) forward(nullptr, "err_unknown_version");
    invalidate();
    return;
  }
  forward(b, wanted.empty() ? "hot:" + std::to_string(slot) : wanted);
}

void window_control::invalidate() {
  main_viewer_.invalidate();
  top_viewer_.invalidate();
}

void window_control::invalidate_main() { main_viewer_.invalidate(); }

std::string window_control::current_codebase() const {
  const auto it = services_.find("remote");
  return static_cast<const device&>(*it->second).codebase_name();
}

std::int32_t window_control::current_page() { return remote().current_page(); }

void window_control::take_room(const remote::room_state& room, bool load_shown) {
  room_ = room;
  nav().refresh();
  if (load_shown && !room.current.empty() && load_codebase(room.current, 0) == zq::rc::ok)
    remote().set_current_page(room.page);
  invalidate();
}

remote::room_state window_control::room_to_save() {
  remote::room_state saved = room_;
  saved.current = current_codebase();
  saved.page = saved.current.empty() ? 0 : static_cast<std::int16_t>(current_page());
  if (!saved.current.empty()) saved.hot_buttons.store_page(saved.current, saved.page);
  return saved;
}

}  // namespace remote
