// The framed dialog on the headless backend: the title and subtitle fonts, the frame and the line
// under the title as pictures, and the help button opening the help dialog with the dialog's texts.
#include "dialogs/zq_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/input_panel.h"
#include "dialogs/point_font.h"
#include "dialogs/zqx_help_dlg.h"
#include "platform/control_font.h"
#include "platform/dialog_messages.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_loop.h"
#include "platform/screen.h"
#include "support/golden_image.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;
constexpr std::uint32_t vk_escape = 0x1B;

point middle_of(hwnd control) {
  const rect r = window_rect(control);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The framed sample (9201-9203): title, help button, subtitle, a check box and OK.
class framed_dialog : public CZQDialog {
 public:
  framed_dialog() : CZQDialog(9201, 9202, 9203) {}
  hwnd owner = no_window;
  int helps = 0;

 protected:
  void OnHelp() override {
    ++helps;
    post_message(owner, wm::user, 1, 0);  // looked at while the help dialog runs
    CZQDialog::OnHelp();
  }
};

TEST(FramedDialog, FrameAndTitleLinePictureAtBothScreenSizes) {
  for (const size screen : {size{240, 320}, size{480, 640}}) {
    zqtest::message_recorder log;
    set_screen_size(screen);
    const hwnd owner = log.create("A", top_visible, {0, 0, screen.cx, screen.cy});
    framed_dialog dialog;
    pixel_surface shot;
    std::shared_ptr<const font> title;
    std::shared_ptr<const font> subtitle;
    log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
      if (m != wm::user) return std::nullopt;
      process_pending_messages();  // the paints
      shot = screen_surface();
      title = control_font(dialog.GetDlgItem(dialog_title_id));
      subtitle = control_font(dialog.GetDlgItem(dialog_subtitle_id));
      dialog.EndDialog(2);
      return 0;
    };
    post_message(owner, wm::user, 0, 0);
    EXPECT_EQ(dialog.DoModal(), 2);
    const int screen_class = screen.cx == 240 ? 0 : 5;
    EXPECT_EQ(title, dialogs::title_font(screen_class));
    EXPECT_EQ(subtitle, dialogs::subtitle_font(screen_class));
    EXPECT_TRUE(zqtest::matches_golden(shot, "zq_dialog_frame_" + std::to_string(screen.cx) + "x" +
                                                 std::to_string(screen.cy)));
  }
}

TEST(FramedDialog, TheTitleFontIsBolderOnSmallScreensAndTheFontsDoubleOnLargeOnes) {
  EXPECT_EQ(dialogs::title_font(0)->description(), (font_description{L"Tahoma", -15, 850}));
  EXPECT_EQ(dialogs::title_font(3)->description(), (font_description{L"Tahoma", -30, 600}));
  EXPECT_EQ(dialogs::subtitle_font(0)->description(), (font_description{L"Tahoma", -11, 700}));
  EXPECT_EQ(dialogs::subtitle_font(6)->description(), (font_description{L"Tahoma", -22, 700}));
}

TEST(FramedDialog, TheHelpButtonOpensTheHelpDialogWithTheDialogsTexts) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
  framed_dialog dialog;
  dialog.owner = owner;
  dialog.SetHelpText(L"Hard Buttons", L"Tap a key.\r\n\r\nThen a button.\r\n\r\n");
  hwnd help_window = no_window;
  std::wstring help_title;
  std::wstring help_body;
  bool dialog_disabled = false;
  pixel_surface shot;
  log.on = [&](hwnd, std::uint32_t m, wparam_t w, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    if (w == 0) {
      headless::tap(middle_of(dialog.GetDlgItem(help_button_id)));
      return 0;
    }
    help_window = active_window();
    help_title = window_text(child_by_id(help_window, dialog_title_id));
    help_body = window_text(child_by_id(help_window, help_body_id));
    dialog_disabled = !is_window_enabled(dialog.m_hWnd);
    process_pending_messages();
    shot = screen_surface();
    headless::key(vk_escape);  // closes the help
    headless::key(vk_escape);  // closes the dialog
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  EXPECT_EQ(dialog.DoModal(), 2);
  EXPECT_EQ(dialog.helps, 1);
  EXPECT_NE(help_window, dialog.m_hWnd);
  EXPECT_EQ(help_title, L"Hard Buttons");
  EXPECT_EQ(help_body, L"Tap a key.\r\n\r\nThen a button.\r\n\r\n");
  EXPECT_TRUE(dialog_disabled);
  EXPECT_FALSE(is_window(help_window));
  EXPECT_TRUE(zqtest::matches_golden(shot, "zq_help_dialog_240x320"));
}

}  // namespace
