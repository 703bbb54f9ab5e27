// Modal dialogs made from templates. DoModal reads the template the screen's shape picks, makes
// the dialog window (centred on the screen, at most the screen's size) and its controls (in the
// template's order, each with the dialog font), sends the initialisation message, shows the
// dialog with the focus on its first tab stop, disables the owner's top-level window and runs a
// nested message loop until EndDialog sets the flag that ends it.
//
// Controls report to the dialog with the command and notify messages: the OK and Cancel commands
// end the dialog with their id unless OnOK or OnCancel is overridden. The navigation pad works
// the dialog without the stylus: Up and Left move the focus to the previous tab stop, Down and
// Right to the next one (a radio button reached that way is clicked, as a group's arrows do);
// Select or Enter presses the focused push button, turns over the focused check box, and
// otherwise presses the default button (or sends its command when it has no control); Escape
// sends the Cancel command. A control that answers the dialog-code message with dlgc bits keeps
// those keys for itself (lists keep Up and Down, tab rows Left and Right: dialog_code_of).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/control_notify.h"
#include "platform/dialog_messages.h"
#include "platform/dialog_template.h"
#include "platform/dialog_template_choice.h"
#include "platform/dialog_units.h"
#include "platform/module.h"
#include "platform/window_cwnd.h"

namespace platform {

inline const std::wstring dialog_class_name = L"ZqDialog";

class CDialog : public CWnd {
 public:
  // One template for every screen shape, or three.
  explicit CDialog(std::uint16_t template_id, CWnd* parent = nullptr);
  explicit CDialog(const dialog_template_ids& ids, CWnd* parent = nullptr);

  // The result EndDialog was given; Cancel when the loop ended otherwise (the quit message, the
  // window destroyed from outside); -1 when the template cannot be read or a control cannot be made.
  int DoModal();
  void EndDialog(int result);

  // The initialisation message: true puts the focus on the first tab stop; false leaves it where
  // the dialog put it.
  virtual bool OnInitDialog() { return true; }
  virtual void OnOK() { EndDialog(static_cast<int>(idok)); }
  virtual void OnCancel() { EndDialog(static_cast<int>(idcancel)); }
  // A command from a control (wparam: id and notification code; lparam: the control) or a menu;
  // true when handled. The base sends OK and Cancel to OnOK and OnCancel, the rest to OnCmdMsg.
  virtual bool OnCommand(wparam_t w, lparam_t l);
  // A control's wm_notify (lparam: its notify_header); true when handled, with the answer in result.
  virtual bool OnNotify(wparam_t w, lparam_t l, lresult_t& result);
  // The template the dialog opens with; the base goes by the screen's shape.
  virtual std::uint16_t PickTemplate() const;

  // Moves and resizes the dialog and every control to their rectangles in another of the dialog's
  // templates (controls found by id). A screen reset (a rotation) does it with the template the
  // new screen picks, so an open dialog follows the screen without being made again.
  bool ApplyTemplate(std::uint16_t template_id);
  std::uint16_t TemplateId() const { return m_templateId; }
  const dialog_template_ids& TemplateIds() const { return m_ids; }
  dialog_base_units BaseUnits() const { return m_base; }
  rect MapDialogRect(const rect& units) const { return dialog_units_to_pixels(units, m_base); }
  // Templates come from the program's module unless another is set.
  void SetTemplateModule(const module& from) { m_module = &from; }

  hwnd GetDlgItem(std::uint32_t id) const { return child_by_id(m_hWnd, id); }
  // Sets a control's text and redraws it.
  void SetDlgItemText(std::uint32_t id, const std::wstring& text);
  std::wstring GetDlgItemText(std::uint32_t id) const { return window_text(GetDlgItem(id)); }
  bool IsDlgButtonChecked(std::uint32_t id) const;
  void CheckDlgButton(std::uint32_t id, bool checked);
  // Checks `id` and clears the other controls first..last.
  void CheckRadioButton(std::uint32_t first, std::uint32_t last, std::uint32_t id);
  // The id of the checked control among first..last; 0 when none is.
  std::uint32_t GetCheckedRadioButton(std::uint32_t first, std::uint32_t last) const;
  std::uint32_t GetDefID() const { return m_defId; }
  void SetDefID(std::uint32_t id) { m_defId = id; }
  // Moves the focus to the next (or previous) tab stop.
  void NextDlgCtrl(bool forward = true);

  lresult_t WindowProc(std::uint32_t message, wparam_t w, lparam_t l) override;
  bool PreTranslateMessage(msg& m) override;

 private:
  bool CreateControls(const dialog_template& layout);
  rect PlaceOnScreen(size units) const;
  void FocusControl(hwnd control, bool by_pad);
  void PressSelect();
  bool HandleKey(hwnd target, std::uint32_t key);

  dialog_template_ids m_ids;
  CWnd* m_pParent = nullptr;
  const module* m_module = nullptr;
  std::uint16_t m_templateId = 0;
  dialog_base_units m_base;
  std::shared_ptr<const font> m_font;
  std::uint32_t m_defId = idok;
  hwnd m_lastFocus = no_window;  // the control that had the focus when the dialog was deactivated
  bool m_ended = false;
  int m_result = static_cast<int>(idcancel);
};

}  // namespace platform
