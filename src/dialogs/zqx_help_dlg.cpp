#include "dialogs/zqx_help_dlg.h"

#include <utility>

#include "dialogs/point_font.h"
#include "dialogs/screen_class.h"
#include "platform/control_text_view.h"
#include "platform/gdi_sys_color.h"
#include "platform/text_layout.h"

using namespace platform;

CZQXHelpDlg::CZQXHelpDlg(std::wstring title, std::wstring body, CWnd* parent)
    : CZQDialog(help_dialog_portrait_id, help_dialog_landscape_id, help_dialog_square_id, parent),
      m_title(std::move(title)),
      m_body(std::move(body)) {}

// The shell leaves full-screen mode without showing the main window before the help opens.
bool CZQXHelpDlg::OnInitDialog() {
  const bool result = CZQDialog::OnInitDialog();
  SetDlgItemText(dialog_title_id, m_title);
  if (const hwnd body = GetDlgItem(help_body_id); body != no_window) text_view_set_text(body, m_body);
  return result;
}

void CZQXHelpDlg::OnPaint(dc& hdc) {
  // The header: the band above the title, white, with "Tips" in Tahoma 14 points, weight 600.
  const int screen_class = dialogs::current_screen_class();
  const int s = dialogs::pixel_scale_of(screen_class);
  const rect client = GetClientRect();
  const hwnd title = GetDlgItem(dialog_title_id);
  const int header_bottom = title != no_window ? position_in_parent(title).top : client.top;
  rect header{client.left, client.top, client.right, header_bottom};
  hdc.fill_rect(header, brush::solid(0xFFFFFF));
  const auto old_font = hdc.select_font(dialogs::point_font(L"Tahoma", 140, 600, screen_class));
  hdc.set_text_color(get_sys_color(sys_color::highlight));
  hdc.set_bk_mode(background_mode_t::transparent);
  header.left += 10 * s;
  hdc.draw_text(L"Tips", header, dt_left | dt_vcenter | dt_singleline);
  hdc.select_font(old_font);
  CZQDialog::OnPaint(hdc);
}
