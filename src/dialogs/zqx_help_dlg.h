// The help dialog: a "Tips" header on white, the help's title (control 1021, in the title font) and
// its body in a read-only scrollable text (control 1023); OK or Escape closes it.
#pragma once

#include <cstdint>
#include <string>

#include "dialogs/zq_dialog.h"

// The help dialog's templates (portrait, landscape, square) among the program's dialog resources.
inline constexpr std::uint16_t help_dialog_portrait_id = 170;
inline constexpr std::uint16_t help_dialog_landscape_id = 171;
inline constexpr std::uint16_t help_dialog_square_id = 172;
inline constexpr std::uint32_t help_body_id = 1023;

class CZQXHelpDlg : public CZQDialog {
 public:
  CZQXHelpDlg(std::wstring title, std::wstring body, platform::CWnd* parent = nullptr);

  bool OnInitDialog() override;

 protected:
  void OnPaint(platform::dc& hdc) override;

 private:
  std::wstring m_title;
  std::wstring m_body;
};
