// The activation of the program's windows through the environment, with the real Orientix library:
// the window in front published and told it woke up, the display turned to the settings' choice
// while the program is active and back when it is not, and a minimised program left alone.
#include <gtest/gtest.h>

#include "platform/display_settings.h"
#include "platform/file_system.h"
#include "platform/message_queue.h"
#include "shell/environment.h"
#include "storage/settings.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;

class Activation : public ::testing::Test {
 protected:
  Activation() {
    environment_.orientix().load_from(device_path(std::filesystem::path(ZQ_PROGRAM_DIR)));
    EXPECT_EQ(settings_.set_screen_orientation(1), 0);  // IR on the bottom: the display upside down
  }
  ~Activation() override {
    environment_.orientix().unload();
    environment_.set_minimised(false);
    reset_display_orientation();
  }
  void activate(bool active) {
    environment_.on_activation(window_, active, settings_, [this](hwnd w) { published_.push_back(w); });
  }
  int wakeups_waiting() {
    int count = 0;
    msg m;
    while (peek_message(m, window_, wm_wakeup, wm_wakeup, pm::remove)) ++count;
    return count;
  }

  zqtest::message_recorder log_;
  zqtest::temp_folder folder_;
  xman::settings settings_{folder_.device_path("Zequon.pref")};
  outworld::environment environment_;
  hwnd window_ = log_.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  std::vector<hwnd> published_;
};

TEST_F(Activation, TheDisplayIsTurnedWhileActiveAndBackWhenNot) {
  ASSERT_TRUE(environment_.orientix().supported());
  activate(true);
  EXPECT_EQ(display_orientation_now(), display_orientation::angle_180);
  EXPECT_EQ(wakeups_waiting(), 1);
  // Already active (another of its windows came forward): nothing happens again.
  activate(true);
  EXPECT_EQ(wakeups_waiting(), 0);
  activate(false);
  EXPECT_EQ(display_orientation_now(), display_orientation::angle_0);
  EXPECT_EQ(published_, (std::vector<hwnd>{window_, no_window}));
}

TEST_F(Activation, AMinimisedProgramIsNeitherToldNorTurned) {
  environment_.set_minimised(true);
  activate(true);
  EXPECT_EQ(display_orientation_now(), display_orientation::angle_0);
  EXPECT_EQ(wakeups_waiting(), 0);
  EXPECT_EQ(published_, std::vector<hwnd>{window_});
}

}  // namespace
