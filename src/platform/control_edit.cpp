#include "platform/control_edit.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/clipboard.h"
#include "platform/control_font.h"
#include "platform/dialog_messages.h"
#include "platform/font.h"
#include "platform/gdi_sys_color.h"
#include "platform/key_state.h"
#include "platform/menu_popup.h"
#include "platform/menu_resource.h"
#include "platform/message_queue.h"
#include "platform/module_program.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

constexpr std::uint32_t vk_back = 0x08;
constexpr std::uint32_t vk_shift = 0x10;
constexpr std::uint32_t vk_control = 0x11;
constexpr std::uint32_t vk_end = 0x23;
constexpr std::uint32_t vk_home = 0x24;
constexpr std::uint32_t vk_left = 0x25;
constexpr std::uint32_t vk_right = 0x27;
constexpr std::uint32_t vk_delete = 0x2E;

struct edit_state {
  std::wstring text;
  int anchor = 0;  // the fixed end of the selection
  int caret = 0;   // the moving end, where the caret is
  int limit = edit_max_limit;
  bool read_only = false;
  bool digits_only = false;
  bool focused = false;
  int scroll = 0;  // pixels of text scrolled off to the left
  // The one change undo takes back: the text and selection before it.
  bool can_undo = false;
  std::wstring undo_text;
  int undo_anchor = 0;
  int undo_caret = 0;
  bool typing = false;  // the last change was typed, so more typing joins it
  // The stylus between touching and lifting.
  bool tracking = false;
  bool moved = false;
  point down_at;
  std::uint32_t down_ms = 0;
  int scale = 1;
  std::shared_ptr<const font> text_font;

  int low() const { return std::min(anchor, caret); }
  int high() const { return std::max(anchor, caret); }
  bool has_selection() const { return anchor != caret; }
  int length() const { return static_cast<int>(text.size()); }
};

edit_state* state_of(hwnd h) { return reinterpret_cast<edit_state*>(window_data(h)); }

void notify(hwnd h, std::uint32_t code) {
  const hwnd parent = parent_of(h);
  if (parent == no_window) return;
  send_message(parent, wm::command, make_long(static_cast<int>(window_id(h)), static_cast<int>(code)), lparam_of(h));
}

// The text's rectangle inside the frame, in client coordinates.
rect text_area(hwnd h, const edit_state& st) { return client_rect(h).inflate(-3 * st.scale, -2 * st.scale); }

// The pixel offset of a character position from the text's start.
int x_of(const edit_state& st, int position) {
  return st.text_font->text_width(std::wstring_view(st.text).substr(0, static_cast<std::size_t>(position)));
}

// The character position nearest to a client x coordinate.
int position_at(hwnd h, const edit_state& st, int x) {
  const int target = x - text_area(h, st).left + st.scroll;
  int left = 0;
  for (int i = 0; i < st.length(); ++i) {
    const int advance = st.text_font->glyph_of(st.text[static_cast<std::size_t>(i)]).advance;
    if (target < left + advance / 2) return i;
    left += advance;
  }
  return st.length();
}

// Scrolls so that the caret is inside the text area, and no further than the text needs.
void keep_caret_in_view(hwnd h, edit_state& st) {
  const int width = text_area(h, st).width();
  const int caret_width = st.scale;
  const int caret_x = x_of(st, st.caret);
  if (caret_x - st.scroll < 0) st.scroll = caret_x;
  if (caret_x - st.scroll > width - caret_width) st.scroll = caret_x - width + caret_width;
  const int most = std::max(0, x_of(st, st.length()) + caret_width - width);
  st.scroll = std::clamp(st.scroll, 0, most);
}

void set_selection(hwnd h, edit_state& st, int anchor, int caret) {
  st.anchor = std::clamp(anchor, 0, st.length());
  st.caret = std::clamp(caret, 0, st.length());
  st.typing = false;
  keep_caret_in_view(h, st);
  invalidate_rect(h, std::nullopt, false);
}

enum class undo_t { none, remember, join_typing };

// Replaces the selection with the text, cut at the character limit. The
// parent hears of the change, then of a cut at the limit. False when nothing changed.
bool replace_selection(hwnd h, edit_state& st, std::wstring_view insert, undo_t undo) {
  const std::size_t room =
      static_cast<std::size_t>(std::max(0, st.limit - (st.length() - (st.high() - st.low()))));
  const bool cut_at_limit = insert.size() > room;
  if (cut_at_limit) insert = insert.substr(0, room);
  if (insert.empty() && !st.has_selection()) {
    if (cut_at_limit) notify(h, en::maxtext);
    return false;
  }
  if (undo == undo_t::remember || (undo == undo_t::join_typing && !st.typing)) {
    st.can_undo = true;
    st.undo_text = st.text;
    st.undo_anchor = st.anchor;
    st.undo_caret = st.caret;
  }
  const int low = st.low();
  st.text.replace(static_cast<std::size_t>(low), static_cast<std::size_t>(st.high() - low), insert);
  st.anchor = st.caret = low + static_cast<int>(insert.size());
  st.typing = undo == undo_t::join_typing;
  set_window_text(h, st.text);
  keep_caret_in_view(h, st);
  invalidate_rect(h, std::nullopt, false);
  notify(h, en::change);
  if (cut_at_limit) notify(h, en::maxtext);
  return true;
}

bool undo(hwnd h, edit_state& st) {
  if (!st.can_undo || st.read_only) return false;
  std::swap(st.text, st.undo_text);
  std::swap(st.anchor, st.undo_anchor);
  std::swap(st.caret, st.undo_caret);
  st.typing = false;
  set_window_text(h, st.text);
  keep_caret_in_view(h, st);
  invalidate_rect(h, std::nullopt, false);
  notify(h, en::change);
  return true;
}

std::wstring selected_text(const edit_state& st) {
  return st.text.substr(static_cast<std::size_t>(st.low()), static_cast<std::size_t>(st.high() - st.low()));
}

void copy(const edit_state& st) {
  if (st.has_selection()) set_clipboard_text(selected_text(st));
}

void cut(hwnd h, edit_state& st) {
  if (st.read_only || !st.has_selection()) return;
  copy(st);
  replace_selection(h, st, {}, undo_t::remember);
}

void clear(hwnd h, edit_state& st) {
  if (!st.read_only) replace_selection(h, st, {}, undo_t::remember);
}

// The clipboard's text as one line: each line break (CR, LF or CR LF) becomes a space, so that a
// pasted list of words (a hex code) keeps its separators.
std::wstring one_line(std::wstring_view text) {
  std::wstring line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    line += text[i] == L'\r' || text[i] == L'\n' ? L' ' : text[i];
  }
  return line;
}

bool all_digits(std::wstring_view text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; });
}

void paste(hwnd h, edit_state& st) {
  std::wstring pasted;
  if (st.read_only || !clipboard_text(pasted)) return;
  pasted = one_line(pasted);
  if (st.digits_only && !all_digits(pasted)) return;
  replace_selection(h, st, pasted, undo_t::remember);
}

void run_command(hwnd h, edit_state& st, std::uint32_t command) {
  switch (command) {
    case edit_command::undo: undo(h, st); break;
    case edit_command::cut: cut(h, st); break;
    case edit_command::copy: copy(st); break;
    case edit_command::paste: paste(h, st); break;
    case edit_command::clear: clear(h, st); break;
    case edit_command::select_all: set_selection(h, st, 0, st.length()); break;
    default: break;
  }
}

// Menu 257 with what cannot act greyed, at a screen point; the picked command is carried out here.
void context_menu(hwnd h, edit_state& st, point at) {
  menu resource;
  if (load_menu(program_module(), edit_context_menu_id, resource) != zq::rc::ok) return;
  menu* items = resource.count() > 0 && resource.sub_menu(0) != nullptr ? resource.sub_menu(0) : &resource;
  std::wstring pasted;
  const bool editable = !st.read_only;
  const auto allow = [&](std::uint32_t id, bool enabled) { items->enable(id, mf::bycommand, enabled); };
  allow(edit_command::undo, editable && st.can_undo);
  allow(edit_command::cut, editable && st.has_selection());
  allow(edit_command::copy, st.has_selection());
  allow(edit_command::paste, editable && clipboard_text(pasted) && !pasted.empty());
  allow(edit_command::clear, editable && st.has_selection());
  allow(edit_command::select_all, st.length() > 0);
  const std::uint32_t command = track_popup_menu(*items, tpm::returncmd, at, h);
  // The field may have gone while the popup was open.
  if (is_window(h) && state_of(h) == &st) run_command(h, st, command);
}

void on_char(hwnd h, edit_state& st, wchar_t ch) {
  // The control characters of Ctrl+C, V, X and Z (a keyboard that types them).
  switch (ch) {
    case 0x03: copy(st); return;
    case 0x16: paste(h, st); return;
    case 0x18: cut(h, st); return;
    case 0x1A: undo(h, st); return;
    default: break;
  }
  if (st.read_only) return;
  if (ch == static_cast<wchar_t>(vk_back)) {
    if (!st.has_selection()) {
      if (st.caret == 0) return;
      st.anchor = st.caret - 1;
    }
    replace_selection(h, st, {}, undo_t::remember);
    return;
  }
  if (ch < 0x20 || ch == 0x7F) return;
  if (st.digits_only && (ch < L'0' || ch > L'9')) return;
  replace_selection(h, st, std::wstring_view(&ch, 1), undo_t::join_typing);
}

void on_key(hwnd h, edit_state& st, std::uint32_t key) {
  if (key_is_down(static_cast<int>(vk_control))) {
    switch (key) {
      case 'C': copy(st); return;
      case 'V': paste(h, st); return;
      case 'X': cut(h, st); return;
      case 'Z': undo(h, st); return;
      default: break;
    }
  }
  const bool extend = key_is_down(static_cast<int>(vk_shift));
  int caret = st.caret;
  switch (key) {
    case vk_left:
      caret = !extend && st.has_selection() ? st.low() : caret - 1;
      break;
    case vk_right:
      caret = !extend && st.has_selection() ? st.high() : caret + 1;
      break;
    case vk_home: caret = 0; break;
    case vk_end: caret = st.length(); break;
    case vk_delete:
      if (st.read_only) return;
      if (!st.has_selection()) {
        if (st.caret == st.length()) return;
        st.anchor = st.caret + 1;
      }
      replace_selection(h, st, {}, undo_t::remember);
      return;
    default: return;
  }
  caret = std::clamp(caret, 0, st.length());
  set_selection(h, st, extend ? st.anchor : caret, caret);
}

void paint(hwnd h, const edit_state& st) {
  paint_context pc = begin_paint(h);
  dc& d = pc.hdc;
  const int s = st.scale;
  const rect client = client_rect(h);
  d.fill_rect(client, brush::solid(get_sys_color(st.read_only ? sys_color::button_face : sys_color::window)));
  const pen old_pen = d.select_pen({pen_style_t::solid, s, get_sys_color(sys_color::window_frame)});
  const brush old_brush = d.select_brush(brush::hollow());
  d.rectangle(client);
  d.select_pen(old_pen);
  d.select_brush(old_brush);

  const rect area = text_area(h, st);
  d.intersect_clip(area);
  d.select_font(st.text_font);
  const int line_height = st.text_font->metrics().height;
  const int top = area.top + (area.height() - line_height) / 2;
  const int left = area.left - st.scroll;
  const std::wstring_view text(st.text);
  // A disabled field's text is grey.
  const int ink = is_window_enabled(h) ? sys_color::window_text : sys_color::gray_text;
  const auto run = [&](int from, int to, bool selected) {
    if (to <= from) return;
    const std::size_t count = static_cast<std::size_t>(to - from);
    d.set_text_color(get_sys_color(selected ? sys_color::highlight_text : ink));
    d.set_bk_color(get_sys_color(sys_color::highlight));
    d.set_bk_mode(selected ? background_mode_t::opaque : background_mode_t::transparent);
    d.ext_text_out(left + x_of(st, from), top, 0, nullptr, text.substr(static_cast<std::size_t>(from), count));
  };
  // The selection shows while the field has the focus.
  const int low = st.focused ? st.low() : 0;
  const int high = st.focused ? st.high() : 0;
  run(0, low, false);
  run(low, high, true);
  run(high, st.length(), false);
  if (st.focused) {
    const int x = left + x_of(st, st.caret);
    d.fill_rect({x, top, x + s, top + line_height}, brush::solid(get_sys_color(sys_color::window_text)));
  }
  end_paint(pc);
}

void on_stylus(hwnd h, edit_state& st, std::uint32_t message, point p) {
  switch (message) {
    case wm::lbuttondown: {
      if (focus_window() != h) set_focus(h);
      const int at = position_at(h, st, p.x);
      set_selection(h, st, key_is_down(static_cast<int>(vk_shift)) ? st.anchor : at, at);
      st.tracking = true;
      st.moved = false;
      st.down_at = p;
      st.down_ms = last_message().time_ms;
      set_capture(h);
      return;
    }
    case wm::mousemove:
      if (!st.tracking) return;
      if (std::abs(p.x - st.down_at.x) > 4 * st.scale || std::abs(p.y - st.down_at.y) > 4 * st.scale) st.moved = true;
      if (st.moved) set_selection(h, st, st.anchor, position_at(h, st, p.x));
      return;
    case wm::lbuttonup: {
      if (!st.tracking) return;
      st.tracking = false;
      if (capture_window() == h) release_capture();
      // Held still long enough: the context menu where the stylus was lifted.
      if (!st.moved && last_message().time_ms - st.down_ms >= edit_hold_ms) context_menu(h, st, client_to_screen(h, p));
      return;
    }
    default: return;
  }
}

lresult_t edit_proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::create) {
    auto st = std::make_unique<edit_state>();
    const std::uint32_t style = reinterpret_cast<const create_params*>(l)->style;
    st->read_only = (style & es::readonly) != 0;
    st->digits_only = (style & es::number) != 0;
    st->scale = screen_scale();
    st->text_font = default_control_font();
    if (!st->text_font) return -1;
    st->text = window_text(h).substr(0, static_cast<std::size_t>(st->limit));
    set_window_text(h, st->text);
    set_window_data(h, reinterpret_cast<std::uintptr_t>(st.release()));
    return 0;
  }
  edit_state* st = state_of(h);
  if (st == nullptr) return def_window_proc(h, message, w, l);
  switch (message) {
    case wm::ncdestroy:
      set_window_data(h, 0);
      delete st;
      return def_window_proc(h, message, w, l);
    case wm::size:
      keep_caret_in_view(h, *st);
      return def_window_proc(h, message, w, l);
    case wm::paint: paint(h, *st); return 0;
    case wm::erasebkgnd: return 1;  // the paint fills every pixel
    case wm::enable: invalidate_rect(h, std::nullopt, false); return 0;
    case wm::setfocus:
      st->focused = true;
      invalidate_rect(h, std::nullopt, false);
      notify(h, en::setfocus);
      return 0;
    case wm::killfocus:
      st->focused = false;
      st->typing = false;
      invalidate_rect(h, std::nullopt, false);
      notify(h, en::killfocus);
      return 0;
    case wm::char_: on_char(h, *st, static_cast<wchar_t>(w)); return 0;
    case wm::keydown: on_key(h, *st, static_cast<std::uint32_t>(w)); return 0;
    case wm::lbuttondown:
    case wm::mousemove:
    case wm::lbuttonup: on_stylus(h, *st, message, point_of(l)); return 0;
    case wm::capturechanged: st->tracking = false; return 0;
    case wm::settext: {
      const wchar_t* text = reinterpret_cast<const wchar_t*>(l);
      st->text = std::wstring(text != nullptr ? text : L"").substr(0, static_cast<std::size_t>(st->limit));
      st->anchor = st->caret = 0;
      st->scroll = 0;
      st->can_undo = false;
      st->typing = false;
      set_window_text(h, st->text);
      invalidate_rect(h, std::nullopt, false);
      notify(h, en::change);
      return 1;
    }
    case wm_edit::contextmenu: {
      point at = point_of(l);
      if (at.x == -1 && at.y == -1) at = client_to_screen(h, {0, client_rect(h).bottom});
      context_menu(h, *st, at);
      return 0;
    }
    // Up and Down still move the dialog's focus; Left and Right move the caret.
    case wm::getdlgcode: return dlgc::wantleftright | dlgc::hassetsel;
    case wm::setfont: {
      const auto* given = reinterpret_cast<const std::shared_ptr<const font>*>(w);
      st->text_font = given != nullptr && *given ? *given : default_control_font();
      keep_caret_in_view(h, *st);
      if (l != 0) invalidate_rect(h, std::nullopt, false);
      return 0;
    }
    case wm::getfont: return reinterpret_cast<lresult_t>(&st->text_font);
    case wm::command: run_command(h, *st, loword(w)); return 0;
    case wm_edit::cut: cut(h, *st); return 0;
    case wm_edit::copy: copy(*st); return 0;
    case wm_edit::paste: paste(h, *st); return 0;
    case wm_edit::clear: clear(h, *st); return 0;
    case wm_edit::undo:
    case em::undo: return undo(h, *st) ? 1 : 0;
    case em::canundo: return st->can_undo ? 1 : 0;
    case em::getsel:
      if (w != 0) *reinterpret_cast<int*>(w) = st->low();
      if (l != 0) *reinterpret_cast<int*>(l) = st->high();
      return static_cast<lresult_t>(make_long(st->low(), st->high()));
    case em::setsel: {
      const int start = static_cast<int>(static_cast<std::intptr_t>(w));
      const int end = static_cast<int>(l);
      if (start < 0) {
        set_selection(h, *st, st->caret, st->caret);
      } else {
        set_selection(h, *st, start, end < 0 ? st->length() : end);
      }
      return 0;
    }
    case em::replacesel: {
      const wchar_t* text = reinterpret_cast<const wchar_t*>(l);
      replace_selection(h, *st, text != nullptr ? text : L"", w != 0 ? undo_t::remember : undo_t::none);
      return 0;
    }
    case em::limittext: {
      const int limit = static_cast<int>(w);
      st->limit = limit <= 0 || limit > edit_max_limit ? edit_max_limit : limit;
      return 0;
    }
    case em::getlimittext: return st->limit;
    case em::setreadonly:
      st->read_only = w != 0;
      invalidate_rect(h, std::nullopt, false);
      return 1;
    default: return def_window_proc(h, message, w, l);
  }
}

}  // namespace

void register_edit_class() {
  if (find_class(edit_class) == nullptr) register_class({edit_class, edit_proc, std::nullopt});
}

void edit_set_text(hwnd field, std::wstring_view text) {
  const std::wstring copy(text);
  send_message(field, wm::settext, 0, reinterpret_cast<lparam_t>(copy.c_str()));
}

}  // namespace platform
