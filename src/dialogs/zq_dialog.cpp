#include "dialogs/zq_dialog.h"

#include <utility>

#include "dialogs/input_panel.h"
#include "dialogs/point_font.h"
#include "dialogs/screen_class.h"
#include "dialogs/zqx_help_dlg.h"
#include "platform/control_button_press.h"
#include "platform/control_font.h"
#include "platform/gdi_sys_color.h"

using namespace platform;

void CZQDialog::SetHelpText(std::wstring title, std::wstring body) {
  m_helpTitle = std::move(title);
  m_helpBody = std::move(body);
}

// The shell's done button of the dialog is hidden, and full-screen mode left with the menu bar kept
// hidden, by the shell's dialog hook once the shell exists.
bool CZQDialog::OnInitDialog() {
  const int screen_class = dialogs::current_screen_class();
  if (const hwnd title = GetDlgItem(dialog_title_id); title != no_window) {
    set_control_font(title, dialogs::title_font(screen_class));
  }
  if (const hwnd subtitle = GetDlgItem(dialog_subtitle_id); subtitle != no_window) {
    set_control_font(subtitle, dialogs::subtitle_font(screen_class));
  }
  m_helpButton.reset();
  if (const hwnd help = GetDlgItem(help_button_id); help != no_window) {
    m_helpButton = std::make_unique<CHelpButton>();
    if (!m_helpButton->SubclassWindow(help)) m_helpButton.reset();
  }
  return CZQXBaseDlg::OnInitDialog();
}

bool CZQDialog::OnCommand(wparam_t w, lparam_t l) {
  if (loword(w) == help_button_id && hiword(w) == bn_clicked && m_helpButton) {
    OnHelp();
    return true;
  }
  return CZQXBaseDlg::OnCommand(w, l);
}

void CZQDialog::OnHelp() {
  CZQXHelpDlg help(m_helpTitle, m_helpBody, this);
  help.DoModal();
}

void CZQDialog::OnLayout() { Invalidate(); }

void CZQDialog::OnPaint(dc& hdc) {
  const int s = dialogs::pixel_scale_of(dialogs::current_screen_class());
  const rect client = GetClientRect();
  const colorref highlight = get_sys_color(sys_color::highlight);
  const bool square = TemplateShape() == dialogs::template_shape::square;
  const brush old_brush = hdc.select_brush(brush::hollow());
  const pen old_pen = hdc.select_pen({pen_style_t::solid, 4 * s, highlight});
  if (!square) {
    // Without the input panel the bottom edge lies lower, where the panel would be.
    const int bottom_inset = dialogs::input_panel_shown() ? 3 * s : -7 * s;
    hdc.round_rect({client.left + 4 * s, client.top + 4 * s, client.right - 3 * s, client.bottom - bottom_inset},
                   10 * s, 10 * s);
  }
  if (const hwnd title = GetDlgItem(dialog_title_id); title != no_window) {
    const int top = position_in_parent(title).bottom + 2 * s;
    const int inset = square ? 1 * s : 10 * s;
    hdc.fill_rect({client.left + inset, top, client.right - inset, top + 2 * s}, brush::solid(highlight));
  }
  hdc.select_pen(old_pen);
  hdc.select_brush(old_brush);
}
