// The demonstration program run headless by a script: it taps the picture, presses a key, takes
// a screenshot and leaves a transcript.
#include <gtest/gtest.h>

#include <fstream>

#include "support/golden_image.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

TEST(Zqdemo, HeadlessScriptTapsTakesAScreenshotAndLeavesATranscript) {
  const zqtest::temp_folder folder;
  const std::filesystem::path script = folder.path() / "demo.txt";
  const std::filesystem::path shot = folder.path() / "screen.png";
  std::ofstream(script) << "# tap the remote twice, once beside it, then a key\n"
                           "tap 120 150\n"
                           "wait 100\n"
                           "tap 100 120\n"
                           "tap 10 300\n"
                           "key Select\n"
                           "shot " << shot.string() << "\n";
  const zqtest::tool_run run = zqtest::run_program(
      ZQDEMO_PATH, {},
      {"ZEQUON_SCRIPT=" + script.string(), "ZEQUON_TRANSCRIPT=" + (folder.path() / "transcript.txt").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(zqtest::read_text(folder.path() / "transcript.txt"), "sound 1\nsound 1\n");
  EXPECT_TRUE(zqtest::matches_golden(zqtest::read_png(shot), "zqdemo_headless"));
}

TEST(Zqdemo, AFaultyScriptIsRefusedNamingItsLine) {
  const zqtest::temp_folder folder;
  const std::filesystem::path script = folder.path() / "bad.txt";
  std::ofstream(script) << "tap 1 1\nkey Home\n";
  const zqtest::tool_run run = zqtest::run_program(ZQDEMO_PATH, {}, {"ZEQUON_SCRIPT=" + script.string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("line 2: expected a key name"), std::string::npos) << run.err;

  const zqtest::tool_run forced = zqtest::run_program(ZQDEMO_PATH, {},
                                                      {"ZEQUON_SCRIPT=" + script.string(), "ZEQUON_BACKEND=sdl"});
  EXPECT_EQ(forced.status, 2);
}

TEST(Zqdemo, TheDeviceProfileChoosesTheScreenAndAnUnknownOneIsRefused) {
  const zqtest::temp_folder folder;
  const std::filesystem::path script = folder.path() / "shot.txt";
  const std::filesystem::path shot = folder.path() / "screen.png";
  std::ofstream(script) << "shot " << shot.string() << "\n";
  const zqtest::tool_run run = zqtest::run_program(
      ZQDEMO_PATH, {}, {"ZEQUON_SCRIPT=" + script.string(), "ZEQUON_DEVICE=vga-portrait"});
  ASSERT_EQ(run.status, 0) << run.err;
  const platform::pixel_surface image = zqtest::read_png(shot);
  EXPECT_EQ(image.width(), 480);
  EXPECT_EQ(image.height(), 640);
  EXPECT_TRUE(zqtest::matches_golden(image, "zqdemo_vga_portrait"));  // everything drawn at twice the size

  const zqtest::tool_run unknown = zqtest::run_program(
      ZQDEMO_PATH, {}, {"ZEQUON_SCRIPT=" + script.string(), "ZEQUON_DEVICE=vga"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("ZEQUON_DEVICE: vga is no shipped profile"), std::string::npos) << unknown.err;
}

}  // namespace
