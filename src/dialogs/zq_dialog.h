// The program's framed dialog: on opening, the title (control 1021) and subtitle (control 1022)
// get their fonts and a control 1026 becomes the help button; the dialog draws a rounded frame in
// the highlight colour around its client area (not on the square template) and a line under the
// title. Its help button opens the help dialog with the texts the dialog was given.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dialogs/help_button.h"
#include "dialogs/zqx_base_dlg.h"

inline constexpr std::uint32_t dialog_title_id = 1021;
inline constexpr std::uint32_t dialog_subtitle_id = 1022;

class CZQDialog : public CZQXBaseDlg {
 public:
  using CZQXBaseDlg::CZQXBaseDlg;

  // The texts the help button shows.
  void SetHelpText(std::wstring title, std::wstring body);

  bool OnInitDialog() override;
  bool OnCommand(platform::wparam_t w, platform::lparam_t l) override;

 protected:
  void OnPaint(platform::dc& hdc) override;
  void OnLayout() override;
  // The help button's click: runs the help dialog with the help texts.
  virtual void OnHelp();

 private:
  std::unique_ptr<CHelpButton> m_helpButton;
  std::wstring m_helpTitle;
  std::wstring m_helpBody;
};
