// The Flip Screen form on the headless backend, driven by taps and keys: what it opens on, what OK
// stores, and the controls following a turn of the display while it is open.
#include "manage/flip_screen_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/dialog_template.h"
#include "platform/display_settings.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_loop.h"
#include "platform/module_program.h"
#include "platform/screen.h"
#include "storage/settings.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;
constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;
constexpr std::uint32_t vk_escape = 0x1B;
constexpr std::uint32_t vk_return = 0x0D;

struct opened {
  std::uint32_t ir_radio = 0;
  std::uint32_t resolution_radio = 0;
};

class FlipScreenForm : public ::testing::Test {
 protected:
  ~FlipScreenForm() override { reset_display_orientation(); }

  // Runs the form on a display turned to `orientation` with a screen detected as `detected`: notes
  // the radios it opened with, then plays the test's steps.
  int run(std::int32_t orientation, std::int32_t detected, const std::function<void(CFlipScreenDlg&)>& steps = {}) {
    CFlipScreenDlg dialog(settings_, orientation, detected);
    const hwnd owner = log_.create("A", top_visible, {0, 0, 240, 320});
    log_.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
      if (m != wm::user) return std::nullopt;
      opened_.ir_radio = dialog.GetCheckedRadioButton(flip_screen_ir_top_id, flip_screen_ir_right_id);
      opened_.resolution_radio = dialog.GetCheckedRadioButton(flip_screen_240x320_id, flip_screen_480x640_id);
      if (steps) steps(dialog);
      return 0;
    };
    post_message(owner, wm::user, 0, 0);
    return dialog.DoModal();
  }
  static void tap(CFlipScreenDlg& dialog, std::uint32_t id) {
    const rect r = window_rect(dialog.GetDlgItem(id));
    headless::tap({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  // What the next start reads.
  std::pair<std::int32_t, std::int32_t> stored() {
    xman::settings next_start(settings_.path());
    EXPECT_EQ(next_start.load(), 0);
    return {next_start.screen_orientation(), next_start.screen_class()};
  }

  zqtest::message_recorder log_;
  zqtest::temp_folder folder_;
  xman::settings settings_{folder_.device_path("Zequon.pref")};
  opened opened_;
};

TEST_F(FlipScreenForm, UnsetChoicesOpenOnTheDisplaysTurnAndTheDetectedScreen) {
  struct turn {
    std::int32_t orientation;
    std::uint32_t ir_radio;
  };
  for (const turn t : {turn{display_orientation::angle_0, 1040}, turn{display_orientation::angle_90, 1042},
                       turn{display_orientation::angle_180, 1041}, turn{display_orientation::angle_270, 1043},
                       turn{-1, 1040}}) {
    EXPECT_EQ(run(t.orientation, 0, [](CFlipScreenDlg&) { headless::key(vk_escape); }), idcancel);
    EXPECT_EQ(opened_.ir_radio, t.ir_radio) << t.orientation;
    EXPECT_EQ(opened_.resolution_radio, flip_screen_240x320_id);
  }
  struct detected {
    std::int32_t screen_class;
    std::uint32_t resolution_radio;
  };
  for (const detected d : {detected{1, 1044}, detected{2, 1045}, detected{3, 1046}, detected{6, 1046}}) {
    run(display_orientation::angle_0, d.screen_class, [](CFlipScreenDlg&) { headless::key(vk_escape); });
    EXPECT_EQ(opened_.resolution_radio, d.resolution_radio) << d.screen_class;
  }
  // Cancel stored nothing: no settings file was written.
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "Zequon.pref"));
}

TEST_F(FlipScreenForm, StoredChoicesWinAndOkStoresTheModeOfTheResolutionAndSide) {
  // A stored mode 5 (a large screen in portrait) opens on "480 x 640", whatever was detected.
  ASSERT_EQ(settings_.set_screen_orientation(1), 0);
  ASSERT_EQ(settings_.set_screen_class(5), 0);
  EXPECT_EQ(run(display_orientation::angle_90, 0, [](CFlipScreenDlg&) { headless::key(vk_return); }), idok);
  EXPECT_EQ(opened_.ir_radio, 1041u);
  EXPECT_EQ(opened_.resolution_radio, flip_screen_480x640_id);
  EXPECT_EQ(stored(), std::make_pair(1, 3));

  // Turned to the right side, the large screen is stored as its landscape mode.
  EXPECT_EQ(run(0, 0, [](CFlipScreenDlg& d) {
              tap(d, 1043);
              tap(d, idok);
            }),
            idok);
  EXPECT_EQ(stored(), std::make_pair(3, 4));

  // 240 x 240 has one mode whatever the side; 240 x 320 has a landscape one.
  EXPECT_EQ(run(0, 0, [](CFlipScreenDlg& d) {
              tap(d, 1042);
              tap(d, flip_screen_240x240_id);
              tap(d, idok);
            }),
            idok);
  EXPECT_EQ(stored(), std::make_pair(2, 2));
  run(0, 0, [](CFlipScreenDlg& d) {
    tap(d, flip_screen_240x320_id);
    tap(d, idok);
  });
  EXPECT_EQ(stored(), std::make_pair(2, 1));
  run(0, 0, [](CFlipScreenDlg& d) {
    tap(d, 1040);
    tap(d, idok);
  });
  EXPECT_EQ(stored(), std::make_pair(0, 0));
}

TEST_F(FlipScreenForm, TurningTheDisplayWhileOpenMovesEveryControlToTheLandscapeTemplate) {
  dialog_template landscape;
  ASSERT_EQ(load_dialog_template(program_module(), flip_screen_dialog_landscape_id, landscape), 0);
  std::uint16_t template_id = 0;
  std::uint32_t still_checked = 0;
  std::size_t compared = 0;
  run(0, 0, [&](CFlipScreenDlg& d) {
    tap(d, 1042);
    process_pending_messages();  // the tap lands before the screen turns
    display_mode turn{dm_display_orientation, display_orientation::angle_90};
    ASSERT_EQ(change_display_settings(turn, display_request_t::apply), display_change::successful);
    template_id = d.TemplateId();
    for (const dialog_control_template& c : landscape.controls) {
      const hwnd control = d.GetDlgItem(c.id);
      EXPECT_EQ(position_in_parent(control), d.MapDialogRect(c.position)) << c.id;
      const rect on_screen = window_rect(control);
      EXPECT_TRUE(on_screen.left >= 0 && on_screen.top >= 0 && on_screen.right <= 320 && on_screen.bottom <= 240)
          << c.id;
      ++compared;
    }
    still_checked = d.GetCheckedRadioButton(flip_screen_ir_top_id, flip_screen_ir_right_id);
    // The turned screen's OK is still where the stylus finds it.
    tap(d, idok);
  });
  EXPECT_EQ(template_id, flip_screen_dialog_landscape_id);
  EXPECT_EQ(screen_size(), (size{320, 240}));
  EXPECT_EQ(compared, 11u);
  EXPECT_EQ(still_checked, 1042u);
  EXPECT_EQ(stored(), std::make_pair(2, 1));
}

}  // namespace
