// The IR port setup dialog ("Tuning Infrared Driver"): the handheld's serial ports with their
// friendly names, the stored port (or, when none is stored, the autodetected one) selected; Test
// sends the test signal through the selected port and tells how it went, without changing the
// port in force; OK puts the selected port in force and stores it (with nothing selected the
// dialog stays open). The help button shows the setup's help page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/zq_dialog.h"

namespace xman {
class settings;
}

// The dialog's templates (portrait, landscape, square) among the program's dialog resources.
inline constexpr std::uint16_t ir_setup_dialog_portrait_id = 180;
inline constexpr std::uint16_t ir_setup_dialog_landscape_id = 181;
inline constexpr std::uint16_t ir_setup_dialog_square_id = 182;
inline constexpr std::uint32_t ir_setup_port_list_id = 1030;
inline constexpr std::uint32_t ir_setup_test_id = 1031;

class CIrSetupDlg : public CZQDialog {
 public:
  // settings holds the stored port and receives the chosen one.
  explicit CIrSetupDlg(xman::settings& settings, platform::CWnd* parent = nullptr);

  bool OnInitDialog() override;
  bool OnCommand(platform::wparam_t w, platform::lparam_t l) override;
  void OnOK() override;

 private:
  // The selected port-list entry, nothing when none is selected.
  std::optional<std::wstring> SelectedEntry() const;
  void OnTest();

  xman::settings& m_settings;
};
