#include "dialogs/zqx_input_dialog.h"

#include "dialogs/input_panel.h"
#include "platform/control_edit.h"

using namespace platform;

CZQXEdit* CZQXInputDialog::Field(std::uint32_t id) {
  for (const auto& field : m_fields) {
    if (field->m_hWnd != no_window && field->GetDlgCtrlID() == id) return field.get();
  }
  return nullptr;
}

bool CZQXInputDialog::OnInitDialog() {
  m_fields.clear();
  for (const hwnd child : children_of(m_hWnd)) {
    if (class_name_of(child) != edit_class) continue;
    auto field = std::make_unique<CZQXEdit>();
    if (field->SubclassWindow(child)) m_fields.push_back(std::move(field));
  }
  return CZQDialog::OnInitDialog();
}

bool CZQXInputDialog::OnCommand(wparam_t w, lparam_t l) {
  const hwnd control = hwnd_of(static_cast<std::uint32_t>(l));
  if (control != no_window && class_name_of(control) == edit_class) {
    if (hiword(w) == en::setfocus) ShowInputPanel(true);
    if (hiword(w) == en::killfocus) ShowInputPanel(false);
  }
  return CZQDialog::OnCommand(w, l);
}

lresult_t CZQXInputDialog::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::destroy) ShowInputPanel(false);
  return CZQDialog::WindowProc(message, w, l);
}

void CZQXInputDialog::ShowInputPanel(bool shown) {
  if (dialogs::input_panel_shown() == shown) return;
  dialogs::set_input_panel_shown(shown);
  if (m_hWnd != no_window) Invalidate();  // the frame's bottom edge moves
}
