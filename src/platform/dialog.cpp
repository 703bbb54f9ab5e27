#include "platform/dialog.h"

#include <algorithm>
#include <vector>

#include "platform/control_button_press.h"
#include "platform/control_check_box.h"
#include "platform/control_edit.h"
#include "platform/control_text_view.h"
#include "platform/control_font.h"
#include "platform/control_list_view.h"
#include "platform/control_listbox.h"
#include "platform/control_push_button.h"
#include "platform/control_radio_button.h"
#include "platform/control_static.h"
#include "platform/control_tab.h"
#include "platform/control_tree_view.h"
#include "platform/dialog_navigation.h"
#include "platform/gdi_sys_color.h"
#include "platform/hardware_key_names.h"
#include "platform/message_loop.h"
#include "platform/module_program.h"
#include "platform/screen.h"

namespace platform {

namespace {

constexpr std::uint32_t vk_return = 0x0D;
constexpr std::uint32_t vk_escape = 0x1B;

void register_dialog_classes() {
  if (find_class(dialog_class_name) == nullptr) CWnd::RegisterClass(dialog_class_name, get_sys_color(sys_color::window));
  register_static_class();
  register_push_button_class();
  register_radio_button_class();
  register_check_box_class();
  register_edit_class();
  register_text_view_class();
  register_listbox_class();
  list_view::register_class();
  tab_control::register_class();
  tree_view::register_class();
}

bool is_class(hwnd h, const std::wstring& name) { return h != no_window && class_name_of(h) == name; }

}  // namespace

CDialog::CDialog(std::uint16_t template_id, CWnd* parent)
    : CDialog(dialog_template_ids{template_id, template_id, template_id}, parent) {}

CDialog::CDialog(const dialog_template_ids& ids, CWnd* parent) : m_ids(ids), m_pParent(parent) {}

std::uint16_t CDialog::PickTemplate() const { return pick_dialog_template(m_ids, screen_size()); }

rect CDialog::PlaceOnScreen(size units) const {
  const size screen = screen_size();
  const size wanted = dialog_units_to_pixels(units, m_base);
  const size extent{std::min(wanted.cx, screen.cx), std::min(wanted.cy, screen.cy)};
  return rect::from_size({(screen.cx - extent.cx) / 2, (screen.cy - extent.cy) / 2}, extent);
}

int CDialog::DoModal() {
  if (m_hWnd != no_window) return -1;  // already open
  const module& from = m_module != nullptr ? *m_module : program_module();
  dialog_template layout;
  m_templateId = PickTemplate();
  if (load_dialog_template(from, m_templateId, layout) != zq::rc::ok) return -1;
  register_dialog_classes();
  m_font = dialog_font(layout.font_face, layout.font_points);
  if (!m_font) return -1;
  m_base = base_units_of(*m_font);
  m_ended = false;
  m_result = static_cast<int>(idcancel);
  m_defId = idok;
  m_lastFocus = no_window;

  hwnd owner = m_pParent != nullptr ? top_level_of(m_pParent->m_hWnd) : active_window();
  CWnd* owner_object = owner != no_window ? CWnd::FromHandle(owner) : nullptr;
  // A top-level window without an object of its own still owns the dialog through a stand-in.
  CWnd stand_in;
  if (owner != no_window && owner_object == nullptr) {
    stand_in.m_hWnd = owner;
    owner_object = &stand_in;
  }
  const bool made = CreateEx(0, dialog_class_name, layout.caption, ws::popup, PlaceOnScreen(layout.extent),
                             owner_object, 0);
  stand_in.m_hWnd = no_window;
  if (!made) return -1;
  if (!CreateControls(layout)) {
    DestroyWindow();
    return -1;
  }
  const std::vector<hwnd> stops = tab_stops_of(m_hWnd);
  const hwnd first_stop = stops.empty() ? no_window : stops.front();
  if (send_message(m_hWnd, wm::initdialog, handle_value(first_stop), 0) != 0) {
    m_lastFocus = first_stop;
  } else if (is_child_of(m_hWnd, focus_window())) {
    m_lastFocus = focus_window();
  }

  const bool disable_owner = owner != no_window && is_window_enabled(owner);
  if (disable_owner) enable_window(owner, false);
  if (!m_ended && is_window(m_hWnd)) {
    ShowWindow(sw::show);
    if (!is_child_of(m_hWnd, focus_window())) set_focus(m_lastFocus != no_window ? m_lastFocus : m_hWnd);
    run_nested_loop([&] { return m_ended || !is_window(m_hWnd); });
  }
  // The owner is enabled again before the dialog goes, so that the activation returns to it.
  if (disable_owner && is_window(owner)) enable_window(owner, true);
  if (m_hWnd != no_window) DestroyWindow();
  return m_result;
}

bool CDialog::CreateControls(const dialog_template& layout) {
  // Each control is made in front of the ones before, so they are made last first: the children
  // front to back are then in the template's order, the order of the tab stops and groups.
  for (auto it = layout.controls.rbegin(); it != layout.controls.rend(); ++it) {
    const hwnd control = create_window({it->class_name, it->text, it->style, 0,
                                        dialog_units_to_pixels(it->position, m_base), m_hWnd, it->id, nullptr});
    if (control == no_window) return false;
    set_control_font(control, m_font, false);
  }
  for (const hwnd child : children_of(m_hWnd)) {
    if (is_class(child, push_button_class_name) && (window_style(child) & bs::defpushbutton) != 0) {
      m_defId = window_id(child);
      break;
    }
  }
  return true;
}

bool CDialog::ApplyTemplate(std::uint16_t template_id) {
  const module& from = m_module != nullptr ? *m_module : program_module();
  dialog_template layout;
  if (m_hWnd == no_window || load_dialog_template(from, template_id, layout) != zq::rc::ok) return false;
  m_templateId = template_id;
  MoveWindow(PlaceOnScreen(layout.extent));
  for (const dialog_control_template& c : layout.controls) {
    const hwnd control = GetDlgItem(c.id);
    if (control != no_window) move_window(control, dialog_units_to_pixels(c.position, m_base));
  }
  Invalidate();
  return true;
}

void CDialog::EndDialog(int result) {
  m_result = result;
  m_ended = true;
  // Wakes the dialog's loop, which may be waiting, so that it sees the flag.
  if (m_hWnd != no_window) PostMessage(wm::null);
}

bool CDialog::OnCommand(wparam_t w, lparam_t) {
  const std::uint32_t id = loword(w);
  if (hiword(w) == bn_clicked && id == idok) {
    OnOK();
    return true;
  }
  if (hiword(w) == bn_clicked && id == idcancel) {
    OnCancel();
    return true;
  }
  return OnCmdMsg(id);
}

bool CDialog::OnNotify(wparam_t, lparam_t, lresult_t&) { return false; }

void CDialog::SetDlgItemText(std::uint32_t id, const std::wstring& text) {
  const hwnd control = GetDlgItem(id);
  if (control == no_window) return;
  set_window_text(control, text);
  invalidate_rect(control, std::nullopt, true);
}

bool CDialog::IsDlgButtonChecked(std::uint32_t id) const {
  const hwnd control = GetDlgItem(id);
  return control != no_window && is_button_checked(control);
}

void CDialog::CheckDlgButton(std::uint32_t id, bool checked) {
  const hwnd control = GetDlgItem(id);
  if (control != no_window) set_button_checked(control, checked);
}

void CDialog::CheckRadioButton(std::uint32_t first, std::uint32_t last, std::uint32_t id) {
  for (const hwnd child : children_of(m_hWnd)) {
    const std::uint32_t child_id = window_id(child);
    if (child_id >= first && child_id <= last) set_button_checked(child, child_id == id);
  }
}

std::uint32_t CDialog::GetCheckedRadioButton(std::uint32_t first, std::uint32_t last) const {
  for (const hwnd child : children_of(m_hWnd)) {
    const std::uint32_t child_id = window_id(child);
    if (child_id >= first && child_id <= last && is_button_checked(child)) return child_id;
  }
  return 0;
}

void CDialog::NextDlgCtrl(bool forward) {
  const hwnd next = next_tab_stop(m_hWnd, focus_window(), forward);
  if (next != no_window) FocusControl(next, false);
}

void CDialog::FocusControl(hwnd control, bool by_pad) {
  set_focus(control);
  m_lastFocus = control;
  // A text field reached this way has its text selected, so that typing replaces it.
  if ((send_message(control, wm::getdlgcode, 0, 0) & dlgc::hassetsel) != 0) send_message(control, em::setsel, 0, -1);
  if (by_pad && is_class(control, radio_button_class_name) && !is_button_checked(control)) {
    send_message(control, wm::bm_click, 0, 0);
  }
}

void CDialog::PressSelect() {
  const hwnd focus = focus_window();
  if (is_child_of(m_hWnd, focus) && (is_class(focus, push_button_class_name) || is_class(focus, check_box_class_name))) {
    send_message(focus, wm::bm_click, 0, 0);
    return;
  }
  const hwnd default_button = GetDlgItem(m_defId);
  if (default_button == no_window) {
    send_message(m_hWnd, wm::command, make_long(static_cast<int>(m_defId), static_cast<int>(bn_clicked)), 0);
  } else if (is_window_enabled(default_button) && is_window_visible(default_button)) {
    if (is_class(default_button, push_button_class_name)) {
      send_message(default_button, wm::bm_click, 0, 0);
    } else {
      send_message(m_hWnd, wm::command, make_long(static_cast<int>(m_defId), static_cast<int>(bn_clicked)),
                   lparam_of(default_button));
    }
  }
}

bool CDialog::HandleKey(hwnd target, std::uint32_t key) {
  const bool arrow = key == vk_nav_up || key == vk_nav_down || key == vk_nav_left || key == vk_nav_right;
  if (!arrow && key != vk_nav_select && key != vk_return && key != vk_escape) return false;
  if (target != m_hWnd && control_keeps_key(target, key)) return false;
  if (arrow) {
    const hwnd next = next_tab_stop(m_hWnd, focus_window(), key == vk_nav_down || key == vk_nav_right);
    if (next != no_window) FocusControl(next, true);
  } else if (key == vk_escape) {
    send_message(m_hWnd, wm::command, make_long(static_cast<int>(idcancel), static_cast<int>(bn_clicked)),
                 lparam_of(GetDlgItem(idcancel)));
  } else {
    PressSelect();
  }
  return true;
}

bool CDialog::PreTranslateMessage(msg& m) {
  if (m.message != wm::keydown || m_hWnd == no_window) return false;
  if (m.window != m_hWnd && !is_child_of(m_hWnd, m.window)) return false;
  return HandleKey(m.window, static_cast<std::uint32_t>(m.wparam));
}

lresult_t CDialog::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  switch (message) {
    case wm::initdialog:
      return OnInitDialog() ? 1 : 0;
    case wm::command:
      if (OnCommand(w, l)) return 0;
      return DefWindowProc(message, w, l);
    case wm_notify: {
      lresult_t result = 0;
      if (OnNotify(w, l, result)) return result;
      return DefWindowProc(message, w, l);
    }
    case wm::settingchange:
      // The screen turned: the controls move to the template the new shape picks.
      if (w == settingchange_reset && PickTemplate() != m_templateId) ApplyTemplate(PickTemplate());
      return DefWindowProc(message, w, l);
    case wm::activate:
      // Remembers the control that had the focus, to give it back when the dialog is active again.
      if (loword(w) == wa::inactive && is_child_of(m_hWnd, focus_window())) m_lastFocus = focus_window();
      return DefWindowProc(message, w, l);
    case wm::setfocus: {
      hwnd target = m_lastFocus;
      if (!is_window(target) || !is_child_of(m_hWnd, target) || !is_window_enabled(target)) {
        target = next_tab_stop(m_hWnd, no_window, true);
      }
      if (target != no_window) set_focus(target);
      return 0;
    }
    case wm::paint: {
      paint_context pc = begin_paint(m_hWnd);
      // A dialog smaller than the screen has a thin frame around it.
      if (GetWindowRect() != screen_surface().bounds()) {
        const pen old_pen = pc.hdc.select_pen({pen_style_t::solid, screen_scale(), get_sys_color(sys_color::window_frame)});
        const brush old_brush = pc.hdc.select_brush(brush::hollow());
        pc.hdc.rectangle(GetClientRect());
        pc.hdc.select_pen(old_pen);
        pc.hdc.select_brush(old_brush);
      }
      end_paint(pc);
      return 0;
    }
    default:
      return DefWindowProc(message, w, l);
  }
}

}  // namespace platform
