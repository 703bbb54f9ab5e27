// The base dialog on the headless backend: the template each screen class picks, a size change or
// a rotation moving the open dialog's controls to the other template, and the wake-up message
// dropped while the dialog is hidden.
#include "dialogs/zqx_base_dlg.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/screen.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;

// The framed sample: portrait 9201, landscape 9202, square 9203; OK is control 1.
class sample_base_dialog : public CZQXBaseDlg {
 public:
  sample_base_dialog() : CZQXBaseDlg(9201, 9202, 9203) {}
  std::function<void(sample_base_dialog&)> on_init;
  int wakeups = 0;
  bool OnInitDialog() override {
    if (on_init) on_init(*this);
    return true;
  }
  lresult_t WindowProc(std::uint32_t message, wparam_t w, lparam_t l) override {
    if (message == wm_wakeup) ++wakeups;
    return CZQXBaseDlg::WindowProc(message, w, l);
  }
};

TEST(BaseDialog, TheScreenClassPicksTheTemplateAndAnUnsupportedScreenTakesPortrait) {
  struct pick_case {
    size screen;
    int dpi;
    std::uint16_t id;
  };
  const pick_case cases[] = {
      {{240, 320}, 96, 9201},  {{400, 240}, 96, 9202},  {{240, 240}, 96, 9203},  {{480, 640}, 192, 9201},
      {{640, 480}, 192, 9202}, {{480, 800}, 96, 9201},  {{800, 480}, 96, 9202},
      // Unsupported screens open the portrait template whatever their shape.
      {{320, 320}, 96, 9201},  {{640, 480}, 120, 9201},
  };
  for (const pick_case& c : cases) {
    zqtest::message_recorder log;
    set_screen_size(c.screen);
    set_screen_dpi(c.dpi);
    log.create("A", top_visible, {0, 0, c.screen.cx, c.screen.cy});
    sample_base_dialog dialog;
    std::uint16_t picked = 0;
    dialog.on_init = [&](sample_base_dialog& d) {
      picked = d.TemplateId();
      d.EndDialog(1);
    };
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(picked, c.id) << c.screen.cx << "x" << c.screen.cy << " " << c.dpi;
  }
  set_screen_dpi(96);
}

TEST(BaseDialog, ARotationOrASizeChangeMovesTheOpenDialogsControlsToTheNewlyPickedTemplate) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
  sample_base_dialog dialog;
  hwnd ok_at_start = no_window;
  rect ok_rotated;
  rect ok_square;
  std::uint16_t rotated_id = 0;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    ok_at_start = dialog.GetDlgItem(1);
    reset_screen({320, 240});  // the screen turns
    rotated_id = dialog.TemplateId();
    ok_rotated = position_in_parent(dialog.GetDlgItem(1));
    // A square screen without a reset: the dialog's next size change picks again.
    set_screen_size({240, 240});
    dialog.MoveWindow({0, 0, 240, 240});
    ok_square = position_in_parent(dialog.GetDlgItem(1));
    dialog.EndDialog(1);
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  EXPECT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(rotated_id, 9202);
  EXPECT_EQ(ok_rotated, dialog.MapDialogRect({67, 124, 115, 140}));
  EXPECT_EQ(dialog.TemplateId(), 9203);
  EXPECT_EQ(dialog.TemplateShape(), dialogs::template_shape::square);
  EXPECT_EQ(ok_square, dialog.MapDialogRect({44, 124, 92, 140}));
  EXPECT_NE(ok_at_start, no_window);
}

TEST(BaseDialog, TheWakeUpMessageIsDroppedWhileTheDialogIsHidden) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
  sample_base_dialog dialog;
  int step = 0;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    if (step++ == 0) {
      dialog.ShowWindow(sw::hide);
      dialog.PostMessage(wm_wakeup);  // dropped
      post_message(owner, wm::user, 0, 0);
    } else {
      dialog.ShowWindow(sw::show);
      dialog.PostMessage(wm_wakeup);  // handled
      dialog.PostMessage(wm::command, 2, 0);
    }
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  EXPECT_EQ(dialog.DoModal(), 2);
  EXPECT_EQ(step, 2);
  EXPECT_EQ(dialog.wakeups, 1);
}

}  // namespace
