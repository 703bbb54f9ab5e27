#include "dialogs/zqx_base_dlg.h"

#include <utility>

using namespace platform;

CZQXBaseDlg::CZQXBaseDlg(std::uint16_t portrait_id, std::uint16_t landscape_id, std::uint16_t square_id,
                         CWnd* parent)
    : CDialog(dialog_template_ids{portrait_id, landscape_id, square_id}, parent) {}

std::uint16_t CZQXBaseDlg::PickTemplate() const {
  // Every pick is followed by opening or moving to the picked template, so the shape picked last is
  // the shape in use.
  m_shape = dialogs::template_shape_of(dialogs::current_screen_class());
  switch (m_shape) {
    case dialogs::template_shape::landscape:
      return TemplateIds().landscape;
    case dialogs::template_shape::square:
      return TemplateIds().square;
    case dialogs::template_shape::portrait:
      break;
  }
  return TemplateIds().portrait;
}

void CZQXBaseDlg::OnPaint(dc&) {}

bool CZQXBaseDlg::PreTranslateMessage(msg& m) {
  // A wake-up that reaches a hidden dialog is dropped.
  if (m.message == wm_wakeup && m.window == m_hWnd && !IsWindowVisible()) return true;
  return CDialog::PreTranslateMessage(m);
}

namespace {
CZQXBaseDlg::activation_handler& installed_activation_handler() {
  static CZQXBaseDlg::activation_handler handler;
  return handler;
}
}  // namespace

void CZQXBaseDlg::SetActivationHandler(activation_handler handler) {
  installed_activation_handler() = std::move(handler);
}

// The activation handling (publishing the window handle in the shared block, orientation) belongs
// to the shell, which installs it.
lresult_t CZQXBaseDlg::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  switch (message) {
    case wm::activate:
      if (installed_activation_handler()) installed_activation_handler()(m_hWnd, loword(w) != wa::inactive);
      return CDialog::WindowProc(message, w, l);
    case wm::size: {
      const lresult_t result = CDialog::WindowProc(message, w, l);
      const std::uint16_t picked = PickTemplate();
      if (picked != TemplateId()) ApplyTemplate(picked);
      OnLayout();
      return result;
    }
    case wm::paint: {
      paint_context pc = begin_paint(m_hWnd);
      OnPaint(pc.hdc);
      end_paint(pc);
      return 0;
    }
    default:
      return CDialog::WindowProc(message, w, l);
  }
}
