// The base of every dialog of the program: three templates (portrait, landscape, square) chosen by
// the screen class, followed again on every size change and screen reset so that an open dialog
// moves its controls to the other template when the screen turns instead of being made again; a
// paint hook; and the message filter that drops the wake-up message while the dialog is hidden.
#pragma once

#include <cstdint>
#include <functional>

#include "dialogs/screen_class.h"
#include "platform/dialog.h"

class CZQXBaseDlg : public platform::CDialog {
 public:
  // What the program does when one of its windows becomes active or stops being active (the window,
  // and whether it is active now): the shell installs it; every dialog of the family calls it.
  using activation_handler = std::function<void(platform::hwnd, bool)>;
  static void SetActivationHandler(activation_handler handler);

  CZQXBaseDlg(std::uint16_t portrait_id, std::uint16_t landscape_id, std::uint16_t square_id,
              platform::CWnd* parent = nullptr);

  // Landscape on screen classes 1, 4 and 6, square on 2, portrait otherwise.
  std::uint16_t PickTemplate() const override;
  // The shape of the template in use (the one the screen picked last).
  dialogs::template_shape TemplateShape() const { return m_shape; }

  platform::lresult_t WindowProc(std::uint32_t message, platform::wparam_t w, platform::lparam_t l) override;
  bool PreTranslateMessage(platform::msg& m) override;

 protected:
  // Called with the paint message's context; the base draws nothing.
  virtual void OnPaint(platform::dc& hdc);
  // Called after a size change, once the controls are where the picked template puts them.
  virtual void OnLayout() {}

 private:
  mutable dialogs::template_shape m_shape = dialogs::template_shape::portrait;
};
