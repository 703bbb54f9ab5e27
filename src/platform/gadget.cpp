#include "platform/gadget.h"

#include "platform/window.h"
#include "platform/window_focus.h"

namespace platform {

bool gadget::create_over(hwnd placeholder, std::uint32_t id) {
  if (!is_window(placeholder)) return false;
  return create(parent_of(placeholder), position_in_parent(placeholder), id);
}

bool gadget::create(hwnd parent, const rect& position, std::uint32_t id) {
  if (window_ != no_window || !is_window(parent)) return false;
  if (find_class(gadget_class_name) == nullptr) register_class({gadget_class_name, &gadget::proc, std::nullopt});
  window_ = create_window({gadget_class_name, L"gadget", ws::child | ws::visible | ws::clipsiblings, 0, position,
                           parent, id, this});
  return window_ != no_window;
}

void gadget::destroy() {
  if (window_ != no_window) destroy_window(window_);  // the final message forgets the handle
  window_ = no_window;
}

void gadget::move_resize(const rect& position) {
  if (window_ != no_window) move_window(window_, position, true);
}

void gadget::tap(point, dc&) {}

gadget::~gadget() {
  if (window_ != no_window && is_window(window_)) {
    set_window_data(window_, 0);  // the object is going: its window must not call it any more
    destroy_window(window_);
  }
}

lresult_t gadget::proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    set_window_data(h, reinterpret_cast<std::uintptr_t>(reinterpret_cast<const create_params*>(l)->param));
    return 0;
  }
  auto* owner = reinterpret_cast<gadget*>(window_data(h));
  if (owner == nullptr) return def_window_proc(h, message, w, l);
  switch (message) {
    case wm::paint: {
      paint_context pc = begin_paint(h);
      owner->draw(pc);
      end_paint(pc);
      return 0;
    }
    case wm::lbuttondown: {
      set_capture(h);
      dc d = window_dc(h);
      owner->tap(point_of(l), d);
      if (capture_window() == h) release_capture();
      return 0;
    }
    case wm::ncdestroy:
      set_window_data(h, 0);
      owner->window_ = no_window;
      return def_window_proc(h, message, w, l);
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace platform
