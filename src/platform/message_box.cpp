#include "platform/message_box.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/message_box_icon.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/transcript.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

const std::wstring box_class = L"ZqMessageBox";
constexpr std::uint32_t vk_return = 0x0D;
constexpr std::uint32_t vk_escape = 0x1B;

std::vector<message_box_button_t> buttons_of(message_box_buttons_t set) {
  using b = message_box_button_t;
  switch (set) {
    case message_box_buttons_t::ok: return {b::ok};
    case message_box_buttons_t::ok_cancel: return {b::ok, b::cancel};
    case message_box_buttons_t::yes_no: return {b::yes, b::no};
    case message_box_buttons_t::yes_no_cancel: return {b::yes, b::no, b::cancel};
  }
  return {b::ok};
}

const wchar_t* label_of(message_box_button_t button) {
  switch (button) {
    case message_box_button_t::ok: return L"OK";
    case message_box_button_t::cancel: return L"Cancel";
    case message_box_button_t::yes: return L"Yes";
    case message_box_button_t::no: return L"No";
  }
  return L"";
}

struct box_state {
  std::wstring text;
  std::wstring title;
  message_box_icon_t icon = message_box_icon_t::none;
  std::vector<message_box_button_t> buttons;
  std::shared_ptr<const font> text_font;
  std::shared_ptr<const font> title_font;
  int scale = 1;
  // Client coordinates of the parts.
  rect title_rect;
  rect icon_rect;
  rect text_rect;
  std::vector<rect> button_rects;
  // The button the stylus went down on, and whether the stylus is still over it.
  int pressed = -1;
  bool pressed_inside = false;
  bool done = false;
  message_box_button_t result = message_box_button_t::ok;

  bool has(message_box_button_t b) const { return std::find(buttons.begin(), buttons.end(), b) != buttons.end(); }
  // What Escape presses: Cancel, or OK when it is the only button; nothing in a Yes/No box.
  std::optional<message_box_button_t> escape_button() const {
    if (has(message_box_button_t::cancel)) return message_box_button_t::cancel;
    if (buttons.size() == 1) return buttons.front();
    return std::nullopt;
  }
};

// Places the parts and returns the box's rectangle on the screen: the screen's width less a margin,
// as high as the wrapped text needs (at most the screen's height less the margins), centred.
rect lay_out(box_state& box) {
  const int s = box.scale;
  const size screen = screen_size();
  const int margin = 8 * s;
  const int pad = 8 * s;
  const int width = std::max(screen.cx - 2 * margin, 40 * s);
  const int title_height = box.title_font->metrics().height + 6 * s;
  const int icon_size = box.icon == message_box_icon_t::none ? 0 : 32 * s;
  const int text_left = pad + (icon_size > 0 ? icon_size + pad : 0);
  const int body_top = title_height + pad;
  const rect text_area{text_left, body_top, width - pad, body_top + 1};
  const int text_height = lay_out_text(box.text, text_area, dt_wordbreak | dt_noprefix, *box.text_font).extent.height();
  const int body_height = std::max(icon_size, text_height);
  const int button_width = 56 * s;
  const int button_height = 22 * s;
  const int gap = 6 * s;
  const int height = std::min(body_top + body_height + pad + button_height + pad, screen.cy - 2 * margin);
  const int buttons_top = height - pad - button_height;

  box.title_rect = {1, 1, width - 1, title_height};
  box.icon_rect = rect::from_size({pad, body_top}, {icon_size, icon_size});
  box.text_rect = {text_left, body_top, width - pad, std::max(body_top, buttons_top - pad / 2)};
  const int count = static_cast<int>(box.buttons.size());
  int left = (width - (count * button_width + (count - 1) * gap)) / 2;
  box.button_rects.clear();
  for (int i = 0; i < count; ++i, left += button_width + gap) {
    box.button_rects.push_back(rect::from_size({left, buttons_top}, {button_width, button_height}));
  }
  return rect::from_size({(screen.cx - width) / 2, (screen.cy - height) / 2}, {width, height});
}

void paint(hwnd h, box_state& box) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const rect client = client_rect(h);
  const int s = box.scale;
  d.set_bk_mode(background_mode_t::transparent);

  const pen frame{pen_style_t::solid, 1, get_sys_color(sys_color::window_frame)};
  pen old_pen = d.select_pen(frame);
  brush old_brush = d.select_brush(brush::hollow());
  d.rectangle(client);

  d.fill_rect(box.title_rect, brush::solid(get_sys_color(sys_color::highlight)));
  d.select_font(box.title_font);
  d.set_text_color(get_sys_color(sys_color::highlight_text));
  rect title = box.title_rect;
  title.left += 6 * s;
  d.draw_text(box.title, title, dt_left | dt_vcenter | dt_singleline | dt_noprefix);

  draw_message_box_icon(d, box.icon_rect, box.icon);

  d.select_font(box.text_font);
  d.set_text_color(get_sys_color(sys_color::window_text));
  rect text = box.text_rect;
  d.draw_text(box.text, text, dt_left | dt_wordbreak | dt_noprefix);

  for (std::size_t i = 0; i < box.buttons.size(); ++i) {
    const bool down = static_cast<int>(i) == box.pressed && box.pressed_inside;
    // The default button (the first) has the thicker edge.
    d.select_pen({pen_style_t::solid, (i == 0 ? 2 : 1) * s, get_sys_color(sys_color::window_frame)});
    d.select_brush(brush::solid(get_sys_color(down ? sys_color::highlight : sys_color::button_face)));
    d.round_rect(box.button_rects[i], 6 * s, 6 * s);
    d.set_text_color(get_sys_color(down ? sys_color::highlight_text : sys_color::button_text));
    rect label = box.button_rects[i];
    d.draw_text(label_of(box.buttons[i]), label, dt_center | dt_vcenter | dt_singleline | dt_noprefix);
  }
  d.select_pen(old_pen);
  d.select_brush(old_brush);
  end_paint(pc);
}

void press(hwnd h, box_state& box, message_box_button_t button) {
  if (box.done) return;
  box.done = true;
  box.result = button;
  // Wakes the box's loop, which may be waiting, so that it sees the box is done.
  post_message(h, wm::null, 0, 0);
}

int button_at(const box_state& box, point p) {
  for (std::size_t i = 0; i < box.button_rects.size(); ++i) {
    if (box.button_rects[i].contains(p)) return static_cast<int>(i);
  }
  return -1;
}

lresult_t box_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    set_window_data(h, reinterpret_cast<std::uintptr_t>(reinterpret_cast<const create_params*>(l)->param));
    return 0;
  }
  auto* box = reinterpret_cast<box_state*>(window_data(h));
  if (box == nullptr) return def_window_proc(h, message, w, l);
  switch (message) {
    case wm::paint:
      paint(h, *box);
      return 0;
    case wm::lbuttondown:
      box->pressed = button_at(*box, point_of(l));
      box->pressed_inside = box->pressed >= 0;
      if (box->pressed >= 0) {
        set_capture(h);
        invalidate_rect(h, box->button_rects[static_cast<std::size_t>(box->pressed)], false);
      }
      return 0;
    case wm::mousemove:
      if (box->pressed >= 0) {
        const bool inside = box->button_rects[static_cast<std::size_t>(box->pressed)].contains(point_of(l));
        if (inside != box->pressed_inside) {
          box->pressed_inside = inside;
          invalidate_rect(h, box->button_rects[static_cast<std::size_t>(box->pressed)], false);
        }
      }
      return 0;
    case wm::lbuttonup: {
      const int pressed = box->pressed;
      const bool inside = pressed >= 0 && box->button_rects[static_cast<std::size_t>(pressed)].contains(point_of(l));
      if (capture_window() == h) release_capture();
      if (inside) press(h, *box, box->buttons[static_cast<std::size_t>(pressed)]);
      return 0;
    }
    case wm::capturechanged:
      if (box->pressed >= 0) {
        invalidate_rect(h, box->button_rects[static_cast<std::size_t>(box->pressed)], false);
        box->pressed = -1;
        box->pressed_inside = false;
      }
      return 0;
    case wm::keydown:
      if (w == vk_nav_select || w == vk_return) {
        press(h, *box, box->buttons.front());
      } else if (w == vk_escape) {
        if (const auto escape = box->escape_button()) press(h, *box, *escape);
      }
      return 0;
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace

message_box_button_t message_box(hwnd owner, std::wstring_view text, std::wstring_view title,
                                 message_box_icon_t icon, message_box_buttons_t buttons) {
  transcript::message_box(icon, text);
  if (find_class(box_class) == nullptr) {
    register_class({box_class, box_proc, get_sys_color(sys_color::window)});
  }
  box_state box;
  box.text = text;
  box.title = title;
  box.icon = icon;
  box.buttons = buttons_of(buttons);
  box.scale = screen_scale();
  box.text_font = font::create({L"Tahoma", -11 * box.scale, 400});
  box.title_font = font::create({L"Tahoma", -11 * box.scale, 700});
  const rect place = lay_out(box);

  const hwnd owner_top = top_level_of(owner);
  const bool disable_owner = owner_top != no_window && is_window_enabled(owner_top);
  if (disable_owner) enable_window(owner_top, false);

  // In front of the windows that stay in front (the menu bar), which a long text may reach.
  const hwnd h = create_window(
      {box_class, std::wstring(title), ws::popup | ws::visible, ws_ex::topmost, place, owner_top, 0, &box});
  {
    const message_box_answering answering([&](message_box_button_t b) {
      if (!box.has(b) || box.done || !is_window(h)) return false;
      press(h, box, b);
      return true;
    });
    if (h != no_window) run_nested_loop([&] { return box.done || !is_window(h); });
    // Ended by the quit message, or the box was destroyed from outside: as if Escape was pressed.
    if (!box.done) box.result = box.escape_button().value_or(message_box_button_t::no);
  }
  // The owner is enabled again before the box goes, so that the activation returns to it.
  if (disable_owner && is_window(owner_top)) enable_window(owner_top, true);
  if (is_window(h)) {
    set_window_data(h, 0);
    destroy_window(h);
  }
  transcript::answer(box.result);
  return box.result;
}

}  // namespace platform
