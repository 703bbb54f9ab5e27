#include "ir/setup/ir_setup_dlg.h"

#include "base/text_conversion.h"
#include "ir/chosen_port.h"
#include "ir/error_report.h"
#include "ir/ir_setup_texts.h"
#include "ir/port_choice.h"
#include "ir/port_test.h"
#include "ir/serial_port_list.h"
#include "platform/control_listbox.h"
#include "platform/message_box.h"
#include "storage/settings.h"

using namespace platform;

CIrSetupDlg::CIrSetupDlg(xman::settings& settings, CWnd* parent)
    : CZQDialog(ir_setup_dialog_portrait_id, ir_setup_dialog_landscape_id, ir_setup_dialog_square_id, parent),
      m_settings(settings) {}

bool CIrSetupDlg::OnInitDialog() {
  const bool focus = CZQDialog::OnInitDialog();
  const std::wstring caption(redeye::ir_setup_caption);
  SetWindowText(caption);
  SetDlgItemText(dialog_title_id, caption);
  SetDlgItemText(dialog_subtitle_id, std::wstring(redeye::ir_setup_prompt));
  SetHelpText(std::wstring(redeye::ir_setup_help_title), std::wstring(redeye::ir_setup_help_page));

  const hwnd list = GetDlgItem(ir_setup_port_list_id);
  const std::vector<std::wstring> ports = redeye::enumerate_serial_ports();
  for (const std::wstring& port : ports)
    send_message(list, lb::addstring, 0, reinterpret_cast<lparam_t>(port.c_str()));
  if (const auto selected = redeye::initial_port_entry(ports, m_settings.ir_port()))
    send_message(list, lb::setcursel, static_cast<wparam_t>(*selected), 0);
  return focus;
}

bool CIrSetupDlg::OnCommand(wparam_t w, lparam_t l) {
  if ((w & 0xFFFF) == ir_setup_test_id && ((w >> 16) & 0xFFFF) == 0) {
    OnTest();
    return true;
  }
  return CZQDialog::OnCommand(w, l);
}

std::optional<std::wstring> CIrSetupDlg::SelectedEntry() const {
  const lresult_t selected = send_message(GetDlgItem(ir_setup_port_list_id), lb::getcursel, 0, 0);
  if (selected == lb::err) return std::nullopt;
  return listbox_text(GetDlgItem(ir_setup_port_list_id), static_cast<int>(selected));
}

void CIrSetupDlg::OnTest() {
  const std::optional<std::wstring> entry = SelectedEntry();
  if (!entry) return;
  const std::optional<zq::result_t> code =
      redeye::test_port(redeye::port_name_of_entry(*entry), m_settings.ir_port());
  if (!code) return;  // no driver for this processor: there is nothing to test
  message_box(m_hWnd, redeye::port_test_message(*code), redeye::ir_setup_caption,
              *code == zq::rc::ok ? message_box_icon_t::information : message_box_icon_t::warning,
              message_box_buttons_t::ok);
}

void CIrSetupDlg::OnOK() {
  const std::optional<std::wstring> entry = SelectedEntry();
  if (!entry) return;
  if (!redeye::apply_chosen_port(*entry, m_settings).driver_found) {
    if (const auto report = redeye::report_of(redeye::error_t{redeye::error_category::no_driver, 0}))
      message_box(m_hWnd, zq::code_page_to_wide(report->text), redeye::ir_setup_caption,
                  report->icon == redeye::report_icon_t::warning ? message_box_icon_t::warning
                                                                 : message_box_icon_t::error,
                  message_box_buttons_t::ok);
  }
  EndDialog(static_cast<int>(idok));
}
