// The program itself, copied with its skins into a folder of its own and run headless by a
// script, as a user starts it: the first start's screen set-up and IR port setup, what a later
// start remembers, the menus, and the starts that end with a message.
#include <gtest/gtest.h>

#include <fstream>
#include <future>

#include "platform/file_system.h"
#include "storage/settings.h"
#include "support/golden_image.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class ZequonStart : public ::testing::Test {
 protected:
  ZequonStart() {
    fs::copy_file(ZEQUON_PATH, program_);
    fs::copy(fs::path(ZQ_SKIN_FOLDER), folder_.path() / "Skins", fs::copy_options::recursive);
    fs::copy_file(fs::path(ZEQUON_PATH).parent_path() / "Orientix.so", folder_.path() / "Orientix.so");
  }
  // Runs the program with the script's lines; the transcript lands in transcript().
  zqtest::tool_run run(const std::string& script, const std::vector<std::string>& environment = {}) {
    std::ofstream(folder_.path() / "script.txt") << script;
    std::vector<std::string> env = {"ZEQUON_SCRIPT=" + (folder_.path() / "script.txt").string(),
                                    "ZEQUON_TRANSCRIPT=" + (folder_.path() / "transcript.txt").string(),
                                    // Named objects of its own: no other test's program is running.
                                    "ZEQUON_NAMESPACE=" + folder_.path().string()};
    env.insert(env.end(), environment.begin(), environment.end());
    return zqtest::run_program(program_.string(), {}, env);
  }
  std::string transcript() const { return zqtest::read_text(folder_.path() / "transcript.txt"); }
  platform::pixel_surface shot(const std::string& name) const { return zqtest::read_png(folder_.path() / name); }
  // Settings as a start before this one left them: portrait, IR on top, the port COM3:.
  void set_up_before() {
    xman::settings settings(platform::device_path(folder_.path() / "Zequon.pref"));
    ASSERT_EQ(settings.set_screen_orientation(0), 0);
    ASSERT_EQ(settings.set_screen_class(0), 0);
    ASSERT_EQ(settings.set_ir_port(L"COM3:"), 0);
  }
  xman::settings stored() const {
    xman::settings settings(platform::device_path(folder_.path() / "Zequon.pref"));
    EXPECT_EQ(settings.load(), 0);
    return settings;
  }

  zqtest::temp_folder folder_;
  fs::path program_ = folder_.path() / "Zequon";
};

TEST_F(ZequonStart, TheFirstStartSetsUpTheScreenAndTheIrPortAndALaterStartRemembersThem) {
  const std::string dir = folder_.path().string() + "/";
  // Flip Screen, then the IR port setup, each confirmed with the Select key.
  zqtest::tool_run first = run("shot " + dir + "flip.png\nkey Select\nshot " + dir + "port.png\nkey Select\nshot " +
                               dir + "started.png\n");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(zqtest::read_png(dir + "flip.png").width(), 240);
  EXPECT_TRUE(zqtest::matches_golden(shot("started.png"), "zequon_first_start_240x320"));
  const xman::settings settings = stored();
  EXPECT_EQ(settings.screen_orientation(), 0);
  EXPECT_EQ(settings.screen_class(), 0);
  EXPECT_EQ(settings.ir_port(), L"COM3:");

  // The next start asks nothing: its first picture is the remote screen.
  zqtest::tool_run second = run("shot " + dir + "again.png\n");
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_TRUE(zqtest::matches_golden(shot("again.png"), "zequon_first_start_240x320"));
  EXPECT_EQ(transcript(), "");
}

TEST_F(ZequonStart, AboutFlipScreenUseSoundsAndExitFromTheMenus) {
  set_up_before();
  const std::string dir = folder_.path().string() + "/";
  // The remote screen fills the screen: its menu button (top left) brings the menu bar, whose
  // first title is Options and second Preferences; the items are picked by keys. Every dialog
  // gives the screen back to the remote screen, which hides the bar again.
  const zqtest::tool_run run_ = run("tap 15 10\ntap 20 310\nshot " + dir + "options.png\nkey Up\nkey Up\nkey Select\nshot " +
                                    dir + "about.png\nkey Select\n"
                                    "tap 15 10\ntap 90 310\nshot " + dir + "preferences.png\nkey Down\nkey Down\nkey Down\nkey Select\n"
                                    // Flip Screen: the IR port on the left side; the display turns.
                                    "tap 90 310\nkey Down\nkey Select\ntap 60 147\nkey Select\nshot " + dir +
                                    "turned.png\n"
                                    // Exit, from the bar along the bottom of the turned screen.
                                    "tap 15 10\ntap 20 230\nkey Up\nkey Select\nshot " + dir + "after-exit.png\n");
  ASSERT_EQ(run_.status, 0) << run_.err;
  EXPECT_TRUE(zqtest::matches_golden(shot("options.png"), "zequon_options_popup"));
  EXPECT_TRUE(zqtest::matches_golden(shot("about.png"), "zequon_about"));
  EXPECT_TRUE(zqtest::matches_golden(shot("preferences.png"), "zequon_preferences_popup"));
  const xman::settings settings = stored();
  EXPECT_TRUE(settings.use_sounds());
  EXPECT_EQ(settings.screen_orientation(), 2);
  EXPECT_EQ(settings.screen_class(), 1);
  EXPECT_TRUE(zqtest::matches_golden(shot("turned.png"), "zequon_turned_320x240"));
  // Exit ended the program before the last line could run.
  EXPECT_FALSE(fs::exists(dir + "after-exit.png"));
}

TEST_F(ZequonStart, ARecentPreferenceThatCannotBeOpenedIsSaidAndForgotten) {
  set_up_before();
  {
    xman::settings settings(platform::device_path(folder_.path() / "Zequon.pref"));
    ASSERT_EQ(settings.load(), 0);
    ASSERT_EQ(settings.make_most_recent("Gone & away"), 0);
  }
  // The Preferences popup ends with the recent name; Up from the top reaches it.
  const std::string dir = folder_.path().string() + "/";
  const zqtest::tool_run run_ = run("tap 15 10\ntap 90 310\nshot " + dir + "recent.png\nkey Up\nkey Select\nanswer ok\n");
  ASSERT_EQ(run_.status, 0) << run_.err;
  EXPECT_TRUE(zqtest::matches_golden(shot("recent.png"), "zequon_recent_preferences"));
  EXPECT_EQ(transcript(), "msgbox stop \"Cannot open preferences database Gone & away.\"\nanswer ok\n");
  EXPECT_EQ(stored().recent_name(0), "");
}

TEST_F(ZequonStart, ASecondStartBringsTheRunningOneForwardAndEnds) {
  set_up_before();
  const fs::path started = folder_.path() / "started.png";
  std::string script = "shot " + started.string() + "\n";
  for (int i = 0; i < 30; ++i) script += "wait 100\n";  // three seconds on the host's clock, idle between lines
  auto first = std::async(std::launch::async, [&] { return run(script, {"ZEQUON_CLOCK=real"}); });
  while (!fs::exists(started) && first.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
  }
  ASSERT_TRUE(fs::exists(started));
  const zqtest::tool_run second =
      zqtest::run_program(program_.string(), {}, {"ZEQUON_NAMESPACE=" + folder_.path().string()});
  EXPECT_EQ(second.status, 0) << second.err;  // the running one took the request
  EXPECT_EQ(first.get().status, 0);
  // Alone again, a start is a first start once more.
  EXPECT_EQ(run("").status, 0);
}

TEST_F(ZequonStart, StartsThatCannotGoOnSayWhyAndEnd) {
  fs::remove_all(folder_.path() / "Skins");
  zqtest::tool_run no_skins = run("");
  EXPECT_EQ(no_skins.status, 1);
  EXPECT_EQ(transcript(), "msgbox stop \"Zequa failed to open the system skin file, zq-skin-system.dll\"\nanswer ok\n");

  fs::create_directories(folder_.path() / "Skins");
  fs::copy_file(fs::path(ZQ_SKIN_FOLDER) / "zq-skin-system.dll", folder_.path() / "Skins" / "zq-skin-system.dll");
  zqtest::tool_run no_default = run("");
  EXPECT_EQ(no_default.status, 1);
  EXPECT_EQ(transcript(), "msgbox stop \"Zequa failed to open the default skin file, zq-skin-metalic.dll\"\nanswer ok\n");

  // A 320 x 320 handheld: a profile of the portrait one with another screen.
  std::string profile = zqtest::read_text(fs::path(ZQ_SOURCE_DIR) / "data/devices/qvga-portrait.reg");
  const std::string width = "\"Width\"=dword:000000f0";
  ASSERT_NE(profile.find(width), std::string::npos);
  profile.replace(profile.find(width), width.size(), "\"Width\"=dword:00000140");  // 320, as high as it is
  std::ofstream(folder_.path() / "square320.reg") << profile;
  zqtest::tool_run unsupported = run("", {"ZEQUON_DEVICE=" + (folder_.path() / "square320.reg").string()});
  EXPECT_EQ(unsupported.status, 1);
  EXPECT_EQ(transcript(), "msgbox stop \"Zequa does not support this screen resolution. Check compatibility at "
                          "https://zequon.example/devices.\"\nanswer ok\n");
}

}  // namespace
