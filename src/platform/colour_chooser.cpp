#include "platform/colour_chooser.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/views_look.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

const std::wstring chooser_class = L"ZqColourChooser";
constexpr std::uint32_t vk_return = 0x0D;
constexpr std::uint32_t vk_escape = 0x1B;
constexpr int columns = 8;
constexpr int basic_rows = 6;
constexpr int custom_rows = 2;
constexpr int basic_count = columns * basic_rows;

// The basic colours, as 0xRRGGBB, row by row: light, pure, dark and darkest tones, then greys.
constexpr std::uint32_t basic_rgb[basic_count] = {
    0xFF8080, 0xFFFF80, 0x80FF80, 0x00FF80, 0x80FFFF, 0x0080FF, 0xFF80C0, 0xFF80FF,  //
    0xFF0000, 0xFFFF00, 0x80FF00, 0x00FF40, 0x00FFFF, 0x0080C0, 0x8080C0, 0xFF00FF,  //
    0x804040, 0xFF8040, 0x00FF00, 0x008080, 0x004080, 0x8080FF, 0x800040, 0xFF0080,  //
    0x800000, 0xFF8000, 0x008000, 0x008040, 0x0000FF, 0x0000A0, 0x800080, 0x8000FF,  //
    0x400000, 0x804000, 0x004000, 0x004040, 0x000080, 0x000040, 0x400040, 0x400080,  //
    0x000000, 0x808000, 0x808040, 0x808080, 0x408080, 0xC0C0C0, 0x404040, 0xFFFFFF,
};

colorref basic_colour(int i) {
  const std::uint32_t v = basic_rgb[i];
  return rgb(static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v));
}

// Where "Add to Custom" puts the next colour when no custom colour is picked: slots in turn over
// the program's run.
std::size_t next_custom_slot = 0;

enum class button_t { add, ok, cancel };

struct chooser_state {
  views_look look = views_look::current();
  custom_colours* custom = nullptr;
  colorref colour = 0;
  // The picked cell: 0..47 basic, 48..63 custom; -1 none.
  int picked = -1;
  // Client coordinates of the parts.
  rect title_rect;
  rect basic_label;
  rect custom_label;
  std::vector<rect> cells;  // basic, then custom
  rect sample_rect;
  rect buttons[3];
  int pressed = -1;
  bool done = false;
  bool accepted = false;

  colorref cell_colour(int cell) const {
    return cell < basic_count ? basic_colour(cell) : (*custom)[static_cast<std::size_t>(cell - basic_count)];
  }
};

const wchar_t* label_of(int button) {
  static const wchar_t* labels[] = {L"Add to Custom", L"OK", L"Cancel"};
  return labels[button];
}

// Places the parts and returns the box on the screen: the screen's width less a margin; the
// colour rows share what height is left, between 8 and 18 pixels (doubled on large screens).
rect lay_out(chooser_state& st) {
  const int s = st.look.scale;
  const size screen = screen_size();
  const int margin = 8 * s;
  const int pad = 6 * s;
  const int width = std::max(screen.cx - 2 * margin, 120 * s);
  const int text_height = st.look.text_font ? st.look.text_font->metrics().height : 13 * s;
  const int title_height = text_height + 6 * s;
  const int button_height = 22 * s;
  const int fixed = title_height + pad + 2 * (text_height + 2 * s) + pad + button_height + pad + button_height + pad;
  const int rows = basic_rows + custom_rows;
  const int row_height = std::clamp((screen.cy - 2 * margin - fixed) / rows, 8 * s, 18 * s);
  const int height = fixed + rows * row_height;
  const int cell_width = (width - 2 * pad) / columns;
  const int grid_left = (width - cell_width * columns) / 2;

  st.title_rect = {1, 1, width - 1, title_height};
  int y = title_height + pad;
  st.basic_label = {pad, y, width - pad, y + text_height};
  y += text_height + 2 * s;
  st.cells.clear();
  for (int row = 0; row < rows; ++row) {
    if (row == basic_rows) {
      st.custom_label = {pad, y, width - pad, y + text_height};
      y += text_height + 2 * s;
    }
    for (int c = 0; c < columns; ++c) {
      st.cells.push_back(rect::from_size({grid_left + c * cell_width, y}, {cell_width, row_height}));
    }
    y += row_height;
  }
  y += pad;
  const int add_width = (width - 2 * pad) / 2;
  st.sample_rect = {pad, y, width - pad - add_width - pad, y + button_height};
  st.buttons[0] = {width - pad - add_width, y, width - pad, y + button_height};
  y += button_height + pad;
  const int button_width = 56 * s;
  const int gap = 6 * s;
  const int left = (width - (2 * button_width + gap)) / 2;
  st.buttons[1] = rect::from_size({left, y}, {button_width, button_height});
  st.buttons[2] = rect::from_size({left + button_width + gap, y}, {button_width, button_height});
  return rect::from_size({(screen.cx - width) / 2, std::max(0, (screen.cy - height) / 2)}, {width, height});
}

void paint(hwnd h, chooser_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const int s = st.look.scale;
  const rect client = client_rect(h);
  d.set_bk_mode(background_mode_t::transparent);
  d.fill_rect(client, brush::solid(get_sys_color(sys_color::window)));
  draw_views_frame(d, client);

  d.fill_rect(st.title_rect, brush::solid(get_sys_color(sys_color::highlight)));
  d.select_font(st.look.bold_font);
  d.set_text_color(get_sys_color(sys_color::highlight_text));
  rect title = st.title_rect;
  title.left += 6 * s;
  d.draw_text(L"Colour", title, dt_left | dt_vcenter | dt_singleline | dt_noprefix);

  d.select_font(st.look.text_font);
  d.set_text_color(get_sys_color(sys_color::window_text));
  rect label = st.basic_label;
  d.draw_text(L"Basic colours:", label, dt_left | dt_vcenter | dt_singleline | dt_noprefix);
  label = st.custom_label;
  d.draw_text(L"Custom colours:", label, dt_left | dt_vcenter | dt_singleline | dt_noprefix);

  const pen old_pen = d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::button_shadow)});
  const brush old_brush = d.select_brush(brush::hollow());
  for (int i = 0; i < static_cast<int>(st.cells.size()); ++i) {
    const rect cell = st.cells[static_cast<std::size_t>(i)].inflate(-s, -s);
    d.fill_rect(cell, brush::solid(st.cell_colour(i)));
    d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::button_shadow)});
    d.rectangle(cell);
  }
  if (st.picked >= 0) {
    // The picked colour: a frame in the text colour around a white one.
    const rect cell = st.cells[static_cast<std::size_t>(st.picked)];
    d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::window_text)});
    d.rectangle(cell);
    d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::window)});
    d.rectangle(cell.inflate(-1, -1));
  }

  d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::window_frame)});
  d.select_brush(brush::solid(st.colour));
  d.rectangle(st.sample_rect);

  for (int i = 0; i < 3; ++i) {
    const bool down = i == st.pressed;
    // OK, the default button, has the thicker edge.
    d.select_pen({pen_style_t::solid, (i == 1 ? 2 : 1) * s, get_sys_color(sys_color::window_frame)});
    d.select_brush(brush::solid(get_sys_color(down ? sys_color::highlight : sys_color::button_face)));
    d.round_rect(st.buttons[i], 6 * s, 6 * s);
    d.set_text_color(get_sys_color(down ? sys_color::highlight_text : sys_color::button_text));
    rect text = st.buttons[i];
    d.draw_text(label_of(i), text, dt_center | dt_vcenter | dt_singleline | dt_noprefix);
  }
  d.select_pen(old_pen);
  d.select_brush(old_brush);
  end_paint(pc);
}

void finish(hwnd h, chooser_state& st, bool accepted) {
  if (st.done) return;
  st.done = true;
  st.accepted = accepted;
  // Wakes the loop, which may be waiting, so that it sees the box is done.
  post_message(h, wm::null, 0, 0);
}

void pick(hwnd h, chooser_state& st, int cell) {
  st.picked = cell;
  st.colour = st.cell_colour(cell);
  invalidate_rect(h, std::nullopt, false);
}

void add_to_custom(hwnd h, chooser_state& st) {
  std::size_t slot = next_custom_slot;
  if (st.picked >= basic_count) {
    slot = static_cast<std::size_t>(st.picked - basic_count);  // a custom colour picked is replaced
  } else {
    next_custom_slot = (next_custom_slot + 1) % st.custom->size();
  }
  (*st.custom)[slot] = st.colour;
  st.picked = basic_count + static_cast<int>(slot);
  invalidate_rect(h, std::nullopt, false);
}

void press(hwnd h, chooser_state& st, int button) {
  if (button == 0) {
    add_to_custom(h, st);
  } else {
    finish(h, st, button == 1);
  }
}

// Moves the picked cell on the grid of 8 rows; from nothing picked, the first cell.
void move_pick(hwnd h, chooser_state& st, int dx, int dy) {
  const int count = static_cast<int>(st.cells.size());
  if (st.picked < 0) {
    pick(h, st, 0);
    return;
  }
  const int row = std::clamp(st.picked / columns + dy, 0, count / columns - 1);
  const int column = std::clamp(st.picked % columns + dx, 0, columns - 1);
  pick(h, st, row * columns + column);
}

lresult_t chooser_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    set_window_data(h, reinterpret_cast<std::uintptr_t>(reinterpret_cast<const create_params*>(l)->param));
    return 0;
  }
  auto* st = reinterpret_cast<chooser_state*>(window_data(h));
  if (st == nullptr) return def_window_proc(h, message, w, l);
  switch (message) {
    case wm::paint:
      paint(h, *st);
      return 0;
    case wm::erasebkgnd:
      return 1;
    case wm::lbuttondown: {
      const point p = point_of(l);
      for (int i = 0; i < static_cast<int>(st->cells.size()); ++i) {
        if (st->cells[static_cast<std::size_t>(i)].contains(p)) {
          pick(h, *st, i);
          return 0;
        }
      }
      for (int i = 0; i < 3; ++i) {
        if (st->buttons[i].contains(p)) {
          st->pressed = i;
          set_capture(h);
          invalidate_rect(h, st->buttons[i], false);
        }
      }
      return 0;
    }
    case wm::lbuttonup: {
      const int pressed = st->pressed;
      if (capture_window() == h) release_capture();
      if (pressed >= 0 && st->buttons[pressed].contains(point_of(l))) press(h, *st, pressed);
      return 0;
    }
    case wm::capturechanged:
      if (st->pressed >= 0) invalidate_rect(h, st->buttons[st->pressed], false);
      st->pressed = -1;
      return 0;
    case wm::keydown:
      if (w == vk_nav_select || w == vk_return) {
        finish(h, *st, true);
      } else if (w == vk_escape) {
        finish(h, *st, false);
      } else if (w == vk_nav_left || w == vk_nav_right) {
        move_pick(h, *st, w == vk_nav_left ? -1 : 1, 0);
      } else if (w == vk_nav_up || w == vk_nav_down) {
        move_pick(h, *st, 0, w == vk_nav_up ? -1 : 1);
      }
      return 0;
    default:
      return def_window_proc(h, message, w, l);
  }
}

}  // namespace

custom_colours& run_custom_colours() {
  static custom_colours table = [] {
    custom_colours white;
    white.fill(rgb(255, 255, 255));
    return white;
  }();
  return table;
}

bool choose_colour(hwnd owner, colorref& colour, custom_colours& custom) {
  if (find_class(chooser_class) == nullptr) register_class({chooser_class, chooser_proc, get_sys_color(sys_color::window)});
  chooser_state st;
  st.custom = &custom;
  st.colour = colour;
  for (int i = 0; i < basic_count + static_cast<int>(custom.size()) && st.picked < 0; ++i) {
    if (st.cell_colour(i) == colour) st.picked = i;  // the starting colour's cell, when it has one
  }
  const rect place = lay_out(st);

  const hwnd owner_top = top_level_of(owner);
  const bool disable_owner = owner_top != no_window && is_window_enabled(owner_top);
  if (disable_owner) enable_window(owner_top, false);
  const hwnd h =
      create_window({chooser_class, L"Colour", ws::popup | ws::visible, ws_ex::topmost, place, owner_top, 0, &st});
  if (h != no_window) run_nested_loop([&] { return st.done || !is_window(h); });
  // The owner is enabled again before the box goes, so that the activation returns to it.
  if (disable_owner && is_window(owner_top)) enable_window(owner_top, true);
  if (is_window(h)) {
    set_window_data(h, 0);
    destroy_window(h);
  }
  if (st.done && st.accepted) {
    colour = st.colour;
    return true;
  }
  return false;
}

}  // namespace platform
