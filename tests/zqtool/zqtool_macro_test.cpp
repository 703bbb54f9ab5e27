// Runs the built zqtool's macro commands: writing a macro from item words, listing it as the
// macro editor does, and playing it on a simulated handheld with and without the continue flag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/codebase_image.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using zqtest::run_zqtool;
using zqtest::tool_run;

class MacroTool : public ::testing::Test {
 protected:
  void SetUp() override {
    tv_ = create("TV");
    dvd_ = create("DVD");
    put_signal(tv_, "Power");
    put_signal(tv_, "Mute");
    put_signal(dvd_, "Play");
  }

  std::string create(const std::string& name) {
    const tool_run r = run_zqtool({"codebase", "create", folder_.path().string(), name});
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.substr(0, r.out.find('\n'));
  }
  static void put_signal(const std::string& file, const std::string& name) {
    const tool_run r = run_zqtool({"codebase", "put-signal", file, name, "--carrier", "26", "--repeat", "2", "2600",
                                   "-1000", "520", "-20000"});
    EXPECT_EQ(r.status, 0) << r.err;
  }
  static tool_run macro(std::vector<std::string> args) {
    args.insert(args.begin(), "macro");
    return run_zqtool(args);
  }

  zqtest::temp_folder folder_;
  std::string tv_;
  std::string dvd_;
};

TEST_F(MacroTool, PutShowAndPlay) {
  ASSERT_EQ(macro({"put", dvd_, "Movie", "signal", "Play", "repeat", "2"}).status, 0);
  const tool_run put = macro({"put", tv_, "$Evening", "signal", "Power", "base", "Nowhere", "delay", "1250",
                              "macro", "Movie", "base", "DVD", "signal", "Mute", "repeat", "once", "signal",
                              "Power", "base", "TV", "time", "100", "action", "@remote:DVD:2"});
  ASSERT_EQ(put.status, 0) << put.err;

  const tool_run shown = macro({"show", tv_, "Evening"});
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out, "Power/Nowhere\nPause 1.25 sec\nMacro Movie/DVD\nMute/once\nPower/TV/0 sec\nLaunch DVD/page 2\n");

  // A signal of 24.1 ms whose repeated part takes 20.5 ms: 100 ms are reached in the fifth pass.
  const tool_run played = macro({"play", tv_, "Evening", "--sim", "PXA255"});
  EXPECT_EQ(played.status, 0) << played.err;
  EXPECT_EQ(played.out,
            "error 6 1023\ndelay 1250\nsend DVD/Play passes 2\nsend TV/Mute passes 1\nsend TV/Power passes 5\n"
            "action @remote:DVD:2\n");

  const tool_run stopped = macro({"play", tv_, "$Evening", "--sim", "S3C2440", "--continue", "0"});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_EQ(stopped.out, "error 6 1023\n");
}

TEST_F(MacroTool, FailuresAndUsage) {
  ASSERT_EQ(macro({"put", tv_, "Evening", "delay", "40000"}).status, 0);
  const zqtest::bytes before = zqtest::read_bytes(tv_);
  const std::pair<std::vector<std::string>, std::string> failures[] = {
      {{"put", tv_, "Evening"}, "error: -1\n"},  // an empty macro is not written
      {{"show", tv_, "Morning"}, "error: 1023\n"},
      {{"play", tv_, "Morning", "--sim", "PXA255"}, "error: 1023\n"},
  };
  for (const auto& [args, err] : failures) {
    const tool_run r = macro(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.err, err) << args[0];
  }
  EXPECT_EQ(zqtest::read_bytes(tv_), before);
  EXPECT_EQ(macro({"show", tv_, "Evening"}).out, "Pause 40.00 sec\n");

  const std::vector<std::string> usages[] = {
      {"put", tv_, "Evening", "signal"},
      {"put", tv_, "Evening", "delay", "70000"},
      {"put", tv_, "Evening", "signal", "Power", "repeat", "twice"},
      {"put", tv_, "Evening", "pause", "10"},
      {"play", tv_, "Evening"},
      {"play", tv_, "Evening", "--sim", "PXA255", "--continue", "2"},
  };
  for (const auto& args : usages) {
    const tool_run r = macro(args);
    EXPECT_EQ(r.status, 2) << args[0] << " " << args.back();
    EXPECT_NE(r.err.find("usage: zqtool macro"), std::string::npos);
  }
  const tool_run help = run_zqtool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("zqtool macro put FILE NAME ITEM..."), std::string::npos);
}

}  // namespace
