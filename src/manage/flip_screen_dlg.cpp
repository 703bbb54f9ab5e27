#include "manage/flip_screen_dlg.h"

#include "manage/screen_choice.h"
#include "storage/settings.h"

using namespace platform;
using outworld::screen_resolution_t;

namespace {

std::uint32_t radio_of(screen_resolution_t resolution) {
  switch (resolution) {
    case screen_resolution_t::r240x240: return flip_screen_240x240_id;
    case screen_resolution_t::r480x640: return flip_screen_480x640_id;
    case screen_resolution_t::r240x320: break;
  }
  return flip_screen_240x320_id;
}

screen_resolution_t resolution_of_radio(std::uint32_t id) {
  if (id == flip_screen_240x240_id) return screen_resolution_t::r240x240;
  if (id == flip_screen_480x640_id) return screen_resolution_t::r480x640;
  return screen_resolution_t::r240x320;
}

}  // namespace

CFlipScreenDlg::CFlipScreenDlg(xman::settings& settings, std::int32_t display_orientation,
                               std::int32_t detected_screen_class, CWnd* parent)
    : CZQDialog(flip_screen_dialog_portrait_id, flip_screen_dialog_landscape_id, flip_screen_dialog_square_id,
                parent),
      m_settings(settings),
      m_displayOrientation(display_orientation),
      m_detectedScreenClass(detected_screen_class) {}

bool CFlipScreenDlg::OnInitDialog() {
  const bool focus = CZQDialog::OnInitDialog();
  const std::int32_t position = outworld::opening_ir_position(m_settings.screen_orientation(), m_displayOrientation);
  CheckRadioButton(flip_screen_ir_top_id, flip_screen_ir_right_id,
                   flip_screen_ir_top_id + static_cast<std::uint32_t>(position));
  const std::int32_t mode = outworld::opening_screen_mode(m_settings.screen_class(), m_detectedScreenClass);
  CheckRadioButton(flip_screen_240x320_id, flip_screen_480x640_id,
                   radio_of(outworld::resolution_of_screen_mode(mode)));
  return focus;
}

void CFlipScreenDlg::OnOK() {
  const std::uint32_t ir_radio = GetCheckedRadioButton(flip_screen_ir_top_id, flip_screen_ir_right_id);
  const std::int32_t position = ir_radio == 0 ? outworld::ir_position::top
                                              : static_cast<std::int32_t>(ir_radio - flip_screen_ir_top_id);
  const screen_resolution_t resolution =
      resolution_of_radio(GetCheckedRadioButton(flip_screen_240x320_id, flip_screen_480x640_id));
  // A file that cannot be written still leaves both choices in force for this run.
  (void)m_settings.set_screen_orientation(position);
  (void)m_settings.set_screen_class(outworld::screen_mode_of(resolution, position));
  EndDialog(static_cast<int>(idok));
}
