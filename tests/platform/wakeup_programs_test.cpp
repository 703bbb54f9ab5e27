// The wake-up registrations: kept in a file at the device root, replaced all-or-nothing, and run
// when the headless script says the handheld resumes.
#include "platform/wakeup_programs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/display_settings.h"
#include "platform/file_system.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_script_runner.h"
#include "platform/headless/headless_session.h"
#include "platform/message_loop.h"
#include "platform/screen.h"
#include "platform/shell_execute.h"
#include "support/message_recorder.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;
using programs_t = std::vector<std::wstring>;

class WakeupPrograms : public ::testing::Test {
 protected:
  void SetUp() override {
    set_device_root(root_.path());
    // The registrations file lies where the named objects do, which here is below the test's root.
    std::filesystem::create_directories(host_path(wakeup_programs_file()).parent_path());
  }
  void TearDown() override {
    set_device_root("/");
    file_faults::reset();
    EXPECT_TRUE(headless::start());  // the headless input is the idle source again
  }
  programs_t registered() {
    programs_t programs;
    EXPECT_EQ(wakeup_programs(programs), 0);
    return programs;
  }
  std::string stored() const { return zqtest::read_text(host_path(wakeup_programs_file())); }

  zqtest::temp_folder root_;
};

TEST_F(WakeupPrograms, RegistrationsPersistOncePerPathAndClearing) {
  EXPECT_TRUE(registered().empty());
  ASSERT_EQ(register_wakeup_program(L"\\Windows\\zqxwakeup.exe"), 0);
  ASSERT_EQ(register_wakeup_program(L"\\windows\\ZQXWAKEUP.EXE"), 0);  // the same program
  ASSERT_EQ(register_wakeup_program(L"\\Programs\\Gr\u00FC\u00DF.exe"), 0);
  EXPECT_EQ(stored(), "\\Windows\\zqxwakeup.exe\n\\Programs\\Gr\xC3\xBC\xC3\x9F.exe\n");
  EXPECT_EQ(register_wakeup_program(L"a\nb"), EINVAL);
  EXPECT_EQ(register_wakeup_program(std::wstring(max_wakeup_program_path + 1, L'x')), EINVAL);

  ASSERT_EQ(clear_wakeup_program(L"\\WINDOWS\\zqxwakeup.exe"), 0);
  ASSERT_EQ(clear_wakeup_program(L"\\never\\registered.exe"), 0);
  EXPECT_EQ(registered(), (programs_t{L"\\Programs\\Gr\u00FC\u00DF.exe"}));
}

TEST_F(WakeupPrograms, AFailedStepLeavesTheEarlierRegistrationsWhole) {
  // Every step fails once (the staging file is then removed), or the process dies there (sticky).
  for (const bool sticky : {false, true}) {
    ASSERT_EQ(register_wakeup_program(L"\\a.exe"), 0);
    const std::string before = stored();
    for (long step = 1;; ++step) {
      ASSERT_LT(step, 20);
      file_faults::fail_operation(step, sticky);
      const int rc = register_wakeup_program(L"\\b.exe");
      file_faults::reset();
      if (rc == 0) break;
      EXPECT_EQ(stored(), before) << "step " << step;
      if (!sticky) {
        EXPECT_FALSE(path_exists(wakeup_programs_file() + L".new")) << "step " << step;
      }
    }
    EXPECT_EQ(registered(), (programs_t{L"\\a.exe", L"\\b.exe"}));
    ASSERT_EQ(clear_wakeup_program(L"\\b.exe"), 0);
  }
}

TEST_F(WakeupPrograms, TheFileIsReadWithRepeatsBlankAndOverlongLinesSkipped) {
  const std::string text = "\\a.exe\r\n\n\\A.EXE\n" + std::string(300, 'x') + "\n\\b.exe";
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  EXPECT_EQ(parse_wakeup_programs(bytes), (programs_t{L"\\a.exe", L"\\b.exe"}));
}

TEST_F(WakeupPrograms, TheScriptsResumeRunsThemAndItsRotateTurnsTheDisplay) {
  zqtest::message_recorder log;
  log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  log.take();
  ASSERT_EQ(register_wakeup_program(L"\\Windows\\zqxwakeup.exe"), 0);
  std::vector<std::filesystem::path> started;
  set_program_starter([&](const std::filesystem::path& host) {
    started.push_back(host);
    return 0;
  });
  std::vector<std::string> program_calls;
  headless::script_hooks program;
  program.resume = [&] { program_calls.push_back("resume"); };

  std::vector<headless::script_command> commands;
  headless::script_error error;
  ASSERT_TRUE(headless::parse_script("resume\nrotate 4\nresume\n", commands, error));
  headless::script_runner runner(std::move(commands), headless::platform_hooks(std::move(program)));
  headless::install_script_runner(&runner);
  EXPECT_EQ(run_message_loop(), 0);
  headless::install_script_runner(nullptr);
  set_program_starter({});

  const std::filesystem::path wakeup = root_.path() / "Windows" / "zqxwakeup.exe";
  EXPECT_EQ(started, (std::vector<std::filesystem::path>{wakeup, wakeup}));
  EXPECT_EQ(program_calls, (std::vector<std::string>{"resume", "resume"}));
  EXPECT_EQ(display_orientation_now(), display_orientation::angle_270);
  EXPECT_EQ(screen_size(), (size{320, 240}));
  const std::vector<std::string> heard = log.take();
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "A settingchange 0x3002"), 1);
}

}  // namespace
