// The IR port setup dialog on the headless backend, over a registry loaded from REGEDIT4 text and
// a simulated handheld whose IrDA UART is switched on through COM3:.
#include "ir/setup/ir_setup_dlg.h"

#include <gtest/gtest.h>

#include "ir/driver_registry.h"
#include "platform/control_listbox.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/transcript.h"
#include "storage/settings.h"
#include "support/ir_driver_harness.h"
#include "support/lirc_device_double.h"
#include "support/message_recorder.h"
#include "support/run_tool.h"
#include "support/simulated_handheld.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;
constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;
constexpr std::uint32_t vk_escape = 0x1B;
constexpr std::uint32_t vk_return = 0x0D;

constexpr std::string_view ports_registry =
    "REGEDIT4\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\01]\r\n"
    "\"Name\"=\"COM1:\"\r\n"
    "\"Key\"=\"Drivers\\\\Serial\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\02]\r\n"
    "\"Name\"=\"COM2:\"\r\n"
    "\"Key\"=\"Drivers\\\\IrCOMM\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\03]\r\n"
    "\"Name\"=\"COM3:\"\r\n"
    "\"Key\"=\"Drivers\\\\IrDA\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Serial]\r\n"
    "\"FriendlyName\"=\"Serial Cable\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\IrCOMM]\r\n"
    "\"FriendlyName\"=\"IrCOMM (IrDA)\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\IrDA]\r\n"
    "\"FriendlyName\"=\"Infrared Port\"\r\n";

class IrSetupDialog : public ::testing::Test {
 protected:
  IrSetupDialog() {
    registry_text_error error;
    EXPECT_EQ(load_registry_text(ports_registry, error), zq::rc::ok);
    EXPECT_EQ(transcript::open(folder_.device_path("transcript.txt")), 0);
  }
  ~IrSetupDialog() override {
    transcript::close();
    replace_registry({});
  }

  // Runs the dialog: first, while it is open, the test's steps; an open message box is answered OK.
  int run(const std::function<void(CIrSetupDlg&)>& steps) {
    CIrSetupDlg dialog(settings_);
    const hwnd owner = log_.create("A", top_visible, {0, 0, 240, 320});
    log_.on = [&](hwnd, std::uint32_t m, wparam_t w, lparam_t) -> std::optional<lresult_t> {
      if (m != wm::user) return std::nullopt;
      if (w == 0) steps(dialog);
      if (w == 1) answer_message_box(message_box_button_t::ok);
      return 0;
    };
    post_message(owner, wm::user, 0, 0);
    return dialog.DoModal();
  }
  // Presses Test; the message box it opens is answered OK.
  void test(CIrSetupDlg& dialog) {
    post_message(log_.create("B", 0, {0, 0, 1, 1}), wm::user, 1, 0);
    dialog.SendMessage(wm::command, ir_setup_test_id, 0);
  }
  static int selected(CIrSetupDlg& dialog) {
    return static_cast<int>(send_message(dialog.GetDlgItem(ir_setup_port_list_id), lb::getcursel, 0, 0));
  }
  std::wstring stored_port() {
    xman::settings next_start(settings_.path());
    EXPECT_EQ(next_start.load(), 0);
    return next_start.ir_port();
  }

  // COM3: switches the IrDA UART on; COM1: and COM2: open but drive no infrared UART.
  static hwsim::device_description handheld() {
    hwsim::device_description d = zqtest::described("Intel PXA255", 3, false);
    d.other_ports = {L"COM1:", L"COM2:"};
    return d;
  }

  zqtest::simulated_handheld handheld_{handheld()};
  zqtest::lirc_devices_double lirc_;
  zqtest::message_recorder log_;
  zqtest::temp_folder folder_;
  xman::settings settings_{folder_.device_path("Zequon.pref")};
};

TEST_F(IrSetupDialog, OpensOnTheInfraredPortWhoseTestSendsAndOkStoresIt) {
  std::wstring prompt;
  int first_selection = -2;
  const int result = run([&](CIrSetupDlg& dialog) {
    prompt = dialog.GetDlgItemText(dialog_subtitle_id);
    first_selection = selected(dialog);
    // Every control lies on the screen, so the stylus reaches them all.
    for (const std::uint32_t id : {1021u, 1026u, 1022u, 1030u, 1031u, 1u}) {
      const rect r = window_rect(dialog.GetDlgItem(id));
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 240 && r.bottom <= 320) << id;
    }
    test(dialog);
    const rect ok = window_rect(dialog.GetDlgItem(idok));
    headless::tap({(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2});
  });
  EXPECT_EQ(result, static_cast<int>(idok));
  EXPECT_EQ(prompt, L"Select the COM port to be used  for controlling your home devices:");
  EXPECT_EQ(first_selection, 2);
  EXPECT_EQ(zqtest::read_text(folder_.path() / "transcript.txt"),
            "msgbox information \"Selected COM port looks good!\"\nanswer ok\n");
  EXPECT_FALSE(handheld_.device().led().edges().empty());
  EXPECT_EQ(stored_port(), L"COM3:");
  EXPECT_EQ(redeye::get_driver()->port_name(), L"COM3:");
}

TEST_F(IrSetupDialog, AStoredPortIsSelectedAndTestingAnotherThenCancellingKeepsIt) {
  ASSERT_EQ(settings_.set_ir_port(L"COM1:"), 0);
  redeye::get_driver()->set_port_name(L"COM1:");
  int first_selection = -2;
  const int result = run([&](CIrSetupDlg& dialog) {
    first_selection = selected(dialog);
    send_message(dialog.GetDlgItem(ir_setup_port_list_id), lb::setcursel, 1, 0);
    test(dialog);  // COM2: drives no infrared UART
    headless::key(vk_escape);
  });
  EXPECT_EQ(result, static_cast<int>(idcancel));
  EXPECT_EQ(first_selection, 0);
  EXPECT_EQ(zqtest::read_text(folder_.path() / "transcript.txt"),
            "msgbox warning \"Selected COM port won't work (error 303). Try another port!\"\nanswer ok\n");
  EXPECT_EQ(stored_port(), L"COM1:");
  EXPECT_EQ(redeye::get_driver()->port_name(), L"COM1:");
}

}  // namespace
