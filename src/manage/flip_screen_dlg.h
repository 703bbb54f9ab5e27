// The Flip Screen form: where the handheld's IR port sits (top, bottom, left or right side) and which
// resolution its screen has. It opens on the stored choices, or on what the display's turn and the
// detected screen suggest; OK stores both as the IR position and the screen mode, Cancel stores
// nothing. The caller applies the screen mode afterwards.
#pragma once

#include <cstdint>

#include "dialogs/zq_dialog.h"

namespace xman {
class settings;
}

// The form's templates (portrait, landscape, square) among the program's dialog resources.
inline constexpr std::uint16_t flip_screen_dialog_portrait_id = 190;
inline constexpr std::uint16_t flip_screen_dialog_landscape_id = 191;
inline constexpr std::uint16_t flip_screen_dialog_square_id = 192;
// The IR position radios, in position order (top, bottom, left, right).
inline constexpr std::uint32_t flip_screen_ir_top_id = 1040;
inline constexpr std::uint32_t flip_screen_ir_right_id = 1043;
// The resolution radios: 240 x 320, 240 x 240, 480 x 640.
inline constexpr std::uint32_t flip_screen_240x320_id = 1044;
inline constexpr std::uint32_t flip_screen_240x240_id = 1045;
inline constexpr std::uint32_t flip_screen_480x640_id = 1046;

class CFlipScreenDlg : public CZQDialog {
 public:
  // display_orientation is the display's orientation code now (-1 when unknown); detected_screen_class
  // the class the screen was found to be at start. Both only matter while a setting is unset.
  CFlipScreenDlg(xman::settings& settings, std::int32_t display_orientation, std::int32_t detected_screen_class,
                 platform::CWnd* parent = nullptr);

  bool OnInitDialog() override;
  void OnOK() override;

 private:
  xman::settings& m_settings;
  std::int32_t m_displayOrientation;
  std::int32_t m_detectedScreenClass;
};
