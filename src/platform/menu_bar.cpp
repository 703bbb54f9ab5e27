#include "platform/menu_bar.h"

#include <utility>

#include "platform/font.h"
#include "platform/gdi_sys_color.h"
#include "platform/menu_popup.h"
#include "platform/menu_resource.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

std::shared_ptr<const font> title_font() { return font::create({L"Tahoma", -11 * screen_scale(), 400}); }

}  // namespace

menu_bar::~menu_bar() { destroy(); }

int menu_bar::height() { return 26 * screen_scale(); }

bool menu_bar::create(hwnd frame, menu items, std::uint32_t id) {
  if (window_ != no_window || !is_window(frame)) return false;
  if (find_class(menu_bar_class) == nullptr) register_class({menu_bar_class, proc, std::nullopt});
  items_ = std::move(items);
  frame_ = frame;
  const size screen = screen_size();
  const rect place = {0, screen.cy - height(), screen.cx, screen.cy};
  // In front of the frame whatever it does, so that the frame never covers it when activated.
  window_ = create_window(
      {menu_bar_class, L"", ws::popup, ws_ex::noactivate | ws_ex::topmost, place, frame, id, this});
  if (window_ == no_window) return false;
  show_window(window_, sw::shownoactivate);
  return true;
}

zq::result_t menu_bar::create(hwnd frame, const module& from, std::uint16_t menu_id, std::uint32_t id) {
  menu loaded;
  if (const zq::result_t rc = load_menu(from, menu_id, loaded); rc != zq::rc::ok) return rc;
  return create(frame, std::move(loaded), id) ? zq::rc::ok : zq::rc::resource_not_found;
}

void menu_bar::destroy() {
  const hwnd h = std::exchange(window_, no_window);
  if (h != no_window && is_window(h)) {
    set_window_data(h, 0);
    destroy_window(h);
  }
}

rect menu_bar::title_rect(int position) const {
  if (position < 0 || position >= items_.count()) return {};
  const auto f = title_font();
  const int s = screen_scale();
  int left = 0;
  for (int i = 0;; ++i) {
    rect need{};
    const int width = lay_out_text(items_.item(i).text, need, dt_singleline, *f).extent.width() + 16 * s;
    if (i == position) return {left, 0, left + width, height()};
    left += width;
  }
}

std::uint32_t menu_bar::open_popup(int position) {
  menu* popup = items_.sub_menu(position);
  if (popup == nullptr || window_ == no_window) return 0;
  open_ = position;
  invalidate_rect(window_, std::nullopt, false);
  const rect title = title_rect(position);
  const point at = client_to_screen(window_, {title.left, 0});
  const hwnd bar = window_;
  const std::uint32_t chosen = track_popup_menu(*popup, tpm::bottomalign | tpm::from_menu_bar, at, frame_, position);
  if (is_window(bar) && window_ == bar) {
    open_ = -1;
    invalidate_rect(window_, std::nullopt, false);
  }
  return chosen;
}

void menu_bar::place() {
  const size screen = screen_size();
  move_window(window_, {0, screen.cy - height(), screen.cx, screen.cy});
}

void menu_bar::paint() {
  paint_context pc = begin_paint(window_);
  dc& d = pc.hdc;
  const int s = screen_scale();
  const rect client = client_rect(window_);
  d.fill_rect(client, brush::solid(get_sys_color(sys_color::menu)));
  d.fill_rect({0, 0, client.right, s}, brush::solid(get_sys_color(sys_color::window_frame)));
  d.select_font(title_font());
  d.set_bk_mode(background_mode_t::transparent);
  for (int i = 0; i < items_.count(); ++i) {
    rect title = title_rect(i);
    title.top = s;
    const bool open = i == open_;
    if (open) d.fill_rect(title, brush::solid(get_sys_color(sys_color::highlight)));
    d.set_text_color(get_sys_color(open ? sys_color::highlight_text : sys_color::menu_text));
    d.draw_text(items_.item(i).text, title, dt_center | dt_vcenter | dt_singleline);
  }
  end_paint(pc);
}

lresult_t menu_bar::proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    set_window_data(h, reinterpret_cast<std::uintptr_t>(reinterpret_cast<const create_params*>(l)->param));
    return 0;
  }
  auto* bar = reinterpret_cast<menu_bar*>(window_data(h));
  if (bar == nullptr) return def_window_proc(h, message, w, l);
  switch (message) {
    case wm::paint:
      bar->paint();
      return 0;
    case wm::lbuttondown:
      for (int i = 0; i < bar->items_.count(); ++i) {
        if (bar->title_rect(i).contains(point_of(l))) {
          bar->open_popup(i);
          break;
        }
      }
      return 0;
    case wm::settingchange:
      if (w == settingchange_reset) bar->place();
      return 0;
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace platform
