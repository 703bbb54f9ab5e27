#include "tour_stops.h"

#include "dialogs/screen_class.h"
#include "dialogs/zqx_help_dlg.h"
#include "ir/ir_setup_texts.h"
#include "ir/port_test.h"
#include "ir/setup/ir_setup_dlg.h"
#include "manage/about_dlg.h"
#include "manage/flip_screen_dlg.h"
#include "platform/display_settings.h"
#include "platform/message_box.h"
#include "storage/settings.h"

namespace zqtour {

namespace {

// Settings as on a first start: nothing chosen yet. The tour never presses OK, so nothing is stored.
xman::settings& first_start_settings() {
  static xman::settings settings(L"");
  return settings;
}

int run_ir_setup(platform::CWnd& owner) { return CIrSetupDlg(first_start_settings(), &owner).DoModal(); }

int run_ir_setup_help(platform::CWnd& owner) {
  return CZQXHelpDlg(std::wstring(redeye::ir_setup_help_title), std::wstring(redeye::ir_setup_help_page), &owner)
      .DoModal();
}

int run_flip_screen(platform::CWnd& owner) {
  return CFlipScreenDlg(first_start_settings(), platform::display_orientation_now(),
                        dialogs::current_screen_class(), &owner)
      .DoModal();
}

int run_about(platform::CWnd& owner) { return CAboutDlg(&owner).DoModal(); }

// The box a port test shows when the port drives no infrared UART.
int run_port_warning(platform::CWnd& owner) {
  platform::message_box(owner.GetSafeHwnd(), redeye::port_test_message(303), redeye::ir_setup_caption,
                        platform::message_box_icon_t::warning, platform::message_box_buttons_t::ok);
  return 1;
}

const tour_stop stops[] = {
    {"ir-setup", run_ir_setup},         {"ir-setup-help", run_ir_setup_help},
    {"port-warning", run_port_warning}, {"flip-screen", run_flip_screen},
    {"about", run_about},
};

}  // namespace

std::span<const tour_stop> tour_stops() { return stops; }

}  // namespace zqtour
