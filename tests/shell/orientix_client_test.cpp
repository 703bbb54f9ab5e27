// The program's Orientix client over the built library: the display turns to the settings' choice
// while the program is active and back afterwards; a missing or damaged library is reported once
// and the display is left alone.
#include "shell/orientix_client.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/display_settings.h"
#include "platform/file_system.h"
#include "platform/headless/headless_backend.h"
#include "platform/transcript.h"
#include "storage/settings.h"
#include "support/message_recorder.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;
constexpr std::uint32_t vk_escape = 0x1B;

void turn_display(std::int32_t code) {
  display_mode mode{dm_display_orientation, code};
  ASSERT_EQ(change_display_settings(mode, display_request_t::apply), display_change::successful);
}

class OrientixClient : public ::testing::Test {
 protected:
  OrientixClient() { EXPECT_EQ(transcript::open(folder_.device_path("transcript.txt")), 0); }
  ~OrientixClient() override { transcript::close(); }

  std::string transcript_text() {
    transcript::close();
    return zqtest::read_text(folder_.path() / "transcript.txt");
  }
  void choose(std::int32_t choice) { ASSERT_EQ(settings_.set_screen_orientation(choice), 0); }
  // A folder holding a file named as the library.
  std::wstring folder_with_library(const std::filesystem::path& library) {
    std::filesystem::create_directory(folder_.path() / "program");
    std::filesystem::copy_file(library, folder_.path() / "program" / "Orientix.so");
    return device_path(folder_.path() / "program");
  }

  zqtest::message_recorder log_;
  zqtest::temp_folder folder_;
  xman::settings settings_{folder_.device_path("Zequon.pref")};
  const std::wstring program_folder_ = device_path(std::filesystem::path(ZQ_PROGRAM_DIR));
  outworld::orientix_client client_;
};

TEST_F(OrientixClient, TurnsToTheChoiceWhileActiveAndBackToTheSavedOrientation) {
  turn_display(display_orientation::angle_90);
  client_.load_from(program_folder_);
  ASSERT_TRUE(client_.supported());
  EXPECT_EQ(client_.query(), 1);

  choose(1);
  client_.apply(settings_, true);
  EXPECT_EQ(display_orientation_now(), 2);
  EXPECT_EQ(client_.saved_orientation(), 1);
  // Applying again without saving keeps what was saved before the program turned the display.
  client_.apply(settings_, false);
  EXPECT_EQ(client_.saved_orientation(), 1);
  client_.restore(settings_);
  EXPECT_EQ(display_orientation_now(), 1);

  client_.unload();
  EXPECT_FALSE(client_.supported());
  EXPECT_EQ(client_.saved_orientation(), -1);
  EXPECT_EQ(client_.query(), -1);
  EXPECT_EQ(transcript_text(), "");
}

TEST_F(OrientixClient, EachChoiceTurnsToItsOrientationCode) {
  client_.load_from(program_folder_);
  const std::int32_t expected[] = {0, 2, 1, 4};
  for (std::int32_t choice = 3; choice >= 0; --choice) {
    choose(choice);
    client_.apply(settings_, false);
    EXPECT_EQ(display_orientation_now(), expected[choice]) << choice;
  }
}

TEST_F(OrientixClient, WithoutAChoiceTheDisplayIsLeftAlone) {
  client_.load_from(program_folder_);
  turn_display(display_orientation::angle_270);
  choose(-1);
  client_.apply(settings_, true);
  EXPECT_EQ(client_.saved_orientation(), -1);
  turn_display(display_orientation::angle_90);
  client_.restore(settings_);
  EXPECT_EQ(display_orientation_now(), 1);
}

TEST_F(OrientixClient, AMissingLibraryIsReportedAndOrientationIsNotManaged) {
  choose(1);
  headless::key(vk_escape);  // answers the box
  client_.load_from(folder_.device_path());
  EXPECT_FALSE(client_.supported());
  EXPECT_EQ(transcript_text(), "msgbox stop \"Orientix.dll not found\"\nanswer ok\n");
  client_.apply(settings_, true);
  client_.change(2);
  EXPECT_EQ(display_orientation_now(), 0);
  EXPECT_EQ(client_.query(), -1);
}

TEST_F(OrientixClient, AFileThatIsNoLibraryCountsAsMissing) {
  std::ofstream(folder_.path() / "Orientix.so") << "not a library";
  headless::key(vk_escape);
  client_.load_from(folder_.device_path());
  EXPECT_FALSE(client_.supported());
  EXPECT_EQ(transcript_text(), "msgbox stop \"Orientix.dll not found\"\nanswer ok\n");
}

TEST_F(OrientixClient, ALibraryWithoutItsExportIsReportedAsCorrupted) {
  choose(1);
  headless::key(vk_escape);
  client_.load_from(folder_with_library(ORIENTIX_WITHOUT_CAN_CHANGE_PATH));
  EXPECT_FALSE(client_.supported());
  EXPECT_EQ(transcript_text(), "msgbox stop \"Orientix.dll corrupted\"\nanswer ok\n");
  client_.apply(settings_, true);
  EXPECT_EQ(display_orientation_now(), 0);
}

}  // namespace
