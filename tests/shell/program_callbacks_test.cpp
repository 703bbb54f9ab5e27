// The sounds and texts the program hands the environment, played and looked up for real: the sounds
// go to the transcript by id, the texts come from the string table compiled into the program.
#include "shell/program_callbacks.h"

#include <gtest/gtest.h>

#include "platform/transcript.h"
#include "storage/settings.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

TEST(ProgramCallbacks, TheKeyClickSoundsOnlyWithUseSoundsTheBeepAlwaysAndTextsComeWhole) {
  zqtest::temp_folder folder;
  xman::settings settings(folder.device_path("Zequon.pref"));
  outworld::environment environment;
  shell::install_program_callbacks(environment, settings);
  ASSERT_EQ(platform::transcript::open(folder.device_path("transcript.txt")), 0);
  environment.sound()(outworld::sound_t::key_click);  // Use Sounds is off
  environment.sound()(outworld::sound_t::learned_beep);
  ASSERT_EQ(settings.set_use_sounds(true), 0);
  environment.sound()(outworld::sound_t::key_click);
  platform::transcript::close();
  EXPECT_EQ(zqtest::read_text(folder.path() / "transcript.txt"), "sound 201\nsound 165\n");

  EXPECT_EQ(environment.text()(3116).view(), "Power");
  EXPECT_TRUE(environment.text()(65535).empty());     // no such string
  EXPECT_TRUE(environment.text()(0x10000).empty());   // beyond the string table's ids
}

}  // namespace
