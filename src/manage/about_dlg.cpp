#include "manage/about_dlg.h"

#include "dialogs/point_font.h"
#include "dialogs/screen_class.h"
#include "ir/driver_layer_version.h"
#include "platform/control_font.h"

using namespace platform;

std::wstring about_version_text() {
  return L"version 4.2\r\n2009.07.25d, IRv" + std::wstring(redeye::driver_layer_version);
}

CAboutDlg::CAboutDlg(CWnd* parent)
    : CZQDialog(about_dialog_portrait_id, about_dialog_landscape_id, about_dialog_square_id, parent) {}

bool CAboutDlg::OnInitDialog() {
  const bool focus = CZQDialog::OnInitDialog();
  set_control_font(GetDlgItem(about_product_name_id),
                   dialogs::point_font(L"Tahoma", 112, 900, dialogs::current_screen_class()));
  SetDlgItemText(about_version_id, about_version_text());
  return focus;
}
