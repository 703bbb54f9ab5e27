// The remote control form in the main frame on the headless backend, with codebases in the
// program's folder: the commands it carries out itself and what it keeps while hidden.
#include "shell/remote_control_form.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/message_loop.h"
#include "remote/device.h"
#include "remote/layer.h"
#include "remote/skin_libraries.h"
#include "shell/environment.h"
#include "shell/main_frame.h"
#include "storage/codebase_catalog.h"
#include "storage/program_databases.h"
#include "storage/settings.h"
#include "support/codebase_image.h"
#include "support/message_recorder.h"
#include "support/remote_document.h"
#include "support/temp_folder.h"

namespace {

using zqtest::button_text;

class RemoteControlForm : public ::testing::Test {
 protected:
  RemoteControlForm() {
    layer::set_screen_class(0);
    remote::skin_libraries::instance().set_folder(platform::device_path(std::string(ZQ_SKIN_FOLDER)));
    std::filesystem::create_directories(folder_.path() / "Codebases");
    for (const char* name : {"Amp", "DVD", "TV"}) make_codebase(name);
    xman::program_databases::instance().set_up(folder_.device_path(), settings_);
    frame_ = new shell::CMainFrame(settings_, 0);  // deletes itself with its window
    EXPECT_TRUE(frame_->Create());
    form_ = std::make_unique<shell::CRemoteControlForm>(settings_, [](std::uint32_t) {});
    EXPECT_TRUE(form_->Create(frame_->View()));
    form_->Show();
    platform::process_pending_messages();
  }
  ~RemoteControlForm() override {
    form_.reset();
    if (platform::is_window(frame_->GetSafeHwnd())) frame_->DestroyWindow();
    outworld::environment::instance().set_full_screen(false);
  }
  void make_codebase(const std::string& name) {
    xman::database_catalog databases;
    databases.set_up(folder_.device_path() + L"Codebases", xman::codebase_catalog::filter());
    const std::string layout = zqtest::portrait_document(
        {{button_text(0, 0, 60, 30, "Power")}, {button_text(0, 0, 60, 30, "Vol+")}, {button_text(0, 0, 60, 30, "1")}});
    ASSERT_EQ(xman::codebase_catalog(databases).create(name, zqtest::compiled(layout)), 0);
  }
  // A command as a button or a macro sends it; the page is read as the next paint would.
  redeye::error_t command(std::string_view text) {
    redeye::error_t error;
    form_->Control().dispatch(form_->Control().remote().ir(), text, error);
    form_->Control().remote().prepare();
    return error;
  }
  std::string shown() { return form_->Control().current_codebase(); }
  std::int32_t page() { return form_->Control().current_page(); }

  zqtest::message_recorder log_;
  zqtest::temp_folder folder_;
  xman::settings settings_{folder_.device_path("Zequon.pref")};
  shell::CMainFrame* frame_ = nullptr;
  std::unique_ptr<shell::CRemoteControlForm> form_;
};

TEST_F(RemoteControlForm, RemoteLoadsACodebaseOnTheNamedPageOrTheOneItWasLeftOn) {
  EXPECT_FALSE(command("@remote:TV:2").failed());
  EXPECT_EQ(shown(), "TV");
  EXPECT_EQ(page(), 1);
  form_->Control().room().hot_buttons[0] = {"DVD", "DVD", 2};
  command("@remote:DVD");
  EXPECT_EQ(shown(), "DVD");
  EXPECT_EQ(page(), 2);
  // "TV:" with nothing after the colon asks for page 0, which does not exist: the page stays.
  command("@remote:TV:");
  EXPECT_EQ(shown(), "TV");
  const redeye::error_t missing = command("@remote:Gone");
  EXPECT_EQ(missing.category, 3u);
  EXPECT_EQ(missing.code, 1023);
}

TEST_F(RemoteControlForm, DeviceCommandsWalkTheInstalledCodebasesAndStopAtTheEnds) {
  command("@device-");
  EXPECT_EQ(shown(), "Amp");  // nothing shown: the first
  command("@device-");
  EXPECT_EQ(shown(), "Amp");
  command("@device+");
  command("@device+");
  EXPECT_EQ(shown(), "TV");
  command("@device+");
  EXPECT_EQ(shown(), "TV");
  command("@device-");
  EXPECT_EQ(shown(), "DVD");
  command("Info");  // case matters: nobody takes it
  EXPECT_EQ(shown(), "DVD");
}

TEST_F(RemoteControlForm, HiddenItKeepsTheCodebaseAndPageAndWritesThemToTheProfile) {
  command("@remote:TV:3");
  form_->Hide();
  EXPECT_TRUE(form_->IsHidden());
  EXPECT_EQ(shown(), "");  // the device is empty while hidden
  EXPECT_EQ(form_->RememberedCodebase(), "TV");
  remote::room_state stored;
  ASSERT_EQ(xman::program_databases::instance().profile().load(stored, nullptr), 0);
  EXPECT_EQ(stored.current, "TV");
  EXPECT_EQ(stored.page, 2);

  form_->SetCodebase("DVD");  // hidden: only remembered, on its first page
  EXPECT_EQ(shown(), "");
  form_->Show();
  form_->Control().remote().prepare();
  EXPECT_EQ(shown(), "DVD");
  EXPECT_EQ(page(), 0);
}

}  // namespace
