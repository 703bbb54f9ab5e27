// A headless run set up from the environment: the script, the transcript and the infrared trace.
#include "platform/headless/headless_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/headless/headless_backend.h"
#include "platform/ir_trace.h"
#include "platform/message_loop.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "support/message_recorder.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;

class HeadlessSession : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const char* name : {"ZEQUON_SCRIPT", "ZEQUON_TRANSCRIPT", "ZEQUON_IR_TRACE", "ZEQUON_CLOCK"}) unsetenv(name);
    EXPECT_TRUE(headless::start());
  }
  void script(const std::string& text) {
    std::ofstream(folder_.path() / "script.txt") << text;
    setenv("ZEQUON_SCRIPT", (folder_.path() / "script.txt").c_str(), 1);
  }
  std::string file(const char* name) const { return zqtest::read_text(folder_.path() / name); }

  zqtest::temp_folder folder_;
};

TEST_F(HeadlessSession, TheScriptDrivesTheProgramAndItsSoundsAndSignalsAreWrittenDown) {
  zqtest::message_recorder log;
  script("tap 10 10\nwait 5\ntap 20 20\n");
  setenv("ZEQUON_TRANSCRIPT", (folder_.path() / "transcript.txt").c_str(), 1);
  setenv("ZEQUON_IR_TRACE", (folder_.path() / "ir.txt").c_str(), 1);
  headless::session run;
  ASSERT_TRUE(run.start({240, 320}));
  const std::int32_t signal[] = {900, -450};
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m == wm::lbuttondown) {
      play_wave(7, {});
      ir_trace::transmission(signal);
    }
    return std::nullopt;
  };
  ASSERT_NE(log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320}), no_window);
  EXPECT_EQ(run.finish(run_message_loop()), 0);
  EXPECT_EQ(file("transcript.txt"), "sound 7\nsound 7\n");
  EXPECT_EQ(file("ir.txt"), "# send\npulse 900\nspace 450\n# send\npulse 900\nspace 450\n");
}

TEST_F(HeadlessSession, ProblemsAreRefusedBeforeTheProgramRunsOrEndItWithStatusOne) {
  zqtest::message_recorder log;
  script("wait 1\nanswer ok\n");
  headless::session failing;
  ASSERT_TRUE(failing.start({240, 320}));
  EXPECT_EQ(failing.finish(run_message_loop()), 1);

  script("tap 1\n");
  headless::session malformed;
  EXPECT_FALSE(malformed.start({240, 320}));

  setenv("ZEQUON_SCRIPT", (folder_.path() / "missing.txt").c_str(), 1);
  headless::session missing;
  EXPECT_FALSE(missing.start({240, 320}));

  unsetenv("ZEQUON_SCRIPT");
  setenv("ZEQUON_TRANSCRIPT", (folder_.path() / "no folder" / "t.txt").c_str(), 1);
  headless::session unwritable;
  EXPECT_FALSE(unwritable.start({240, 320}));

  unsetenv("ZEQUON_TRANSCRIPT");
  setenv("ZEQUON_CLOCK", "fast", 1);
  headless::session bad_clock;
  EXPECT_FALSE(bad_clock.start({240, 320}));
}

}  // namespace
