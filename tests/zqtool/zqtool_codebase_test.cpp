// Runs the built zqtool on codebase files written by hand and checks its output and the files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/codebase_image.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;
using zqtest::tool_run;
using args_t = std::vector<std::string>;

class CodebaseTool : public ::testing::Test {
 protected:
  static tool_run run(args_t args) {
    args.insert(args.begin(), "codebase");
    return zqtest::run_zqtool(args);
  }
  std::string file(const std::string& name) const { return (folder_.path() / name).string(); }
  bytes content(const std::string& name) const { return zqtest::read_bytes(folder_.path() / name); }
  void write(const std::string& name, std::string_view internal, const std::vector<bytes>& records,
             const char (&type)[5] = "Rda1", std::uint16_t version = 330) const {
    zqtest::write_bytes(folder_.path() / name, zqtest::database_image(internal, type, version, records));
  }
  zqtest::temp_folder folder_;
  const bytes layout_ = zqtest::remote_layout_record();
  const bytes macro_ = zqtest::macro_record("Evening", {0x02});
  const bytes vol_ = zqtest::signal_v2_record("Vol+", {{38, 0, {32767, 32767, 32767, 1699, -500}}});
  const bytes other_ = {0x00, 0x03, 'X', 0x00};
  const bytes power2_ = zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}});
  // Signals of both versions, a macro, a record of no kind and a second "Power" hidden by the first,
  // in a codebase of the older kind.
  void write_tv() const {
    write("tv.pdb", "Living TV",
          {layout_,
           zqtest::signal_v1_record("Power", 26, {2, {9000, -4500, 560, -20000, -20000}}, {{0, {1000, -1000}}}),
           macro_, vol_, other_, power2_},
          "Rdat", 120);
  }
};

TEST_F(CodebaseTool, ListAndCreate) {
  write("z.pdb", "Alpha", {layout_});
  write("a.pdb", "Beta", {layout_}, "Rdat", 100);
  write("w.pdb", "Being edited", {layout_}, "temp");
  write("p.pdb", "Profile", {}, "dPrf", 0);
  const tool_run list = run({"list", folder_.path().string()});
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out, "Alpha\nBeta\n");
  const tool_run created = run({"create", folder_.path().string(), "Living TV"});
  ASSERT_EQ(created.status, 0) << created.err;
  EXPECT_EQ(created.out, file("Living_TV.pdb") + "\n");
  EXPECT_EQ(content("Living_TV.pdb"), zqtest::database_image("Living TV", "Rda1", 330, {layout_}));
  EXPECT_EQ(run({"list", folder_.path().string()}).out, "Alpha\nBeta\nLiving TV\n");
  const tool_run again = run({"create", folder_.path().string(), "Living TV"});
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, "error: 1025\n");
}

TEST_F(CodebaseTool, ListsShowsAndChangesSignals) {
  write_tv();
  const std::string tv = file("tv.pdb");
  const std::string power = "name: Power\ncarrier: 26\nrepeat: 2\ncount: 4\ndurations: 9000 -4500 560 -40000\n";
  const std::pair<args_t, std::string> steps[] = {
      {{"signals", tv}, "1 Power\n3 Vol+\n"},
      {{"macros", tv}, "2 Evening\n"},
      {{"show", tv, "Power"}, power},
      {{"show", tv, "Power", "--reading", "1"}, power},
      {{"show", tv, "Power", "--reading", "2"},
       "name: Power\ncarrier: 26\nrepeat: 0\ncount: 2\ndurations: 1000 -1000\n"},
      {{"show", tv, "Vol+"}, "name: Vol+\ncarrier: 38\nrepeat: 0\ncount: 2\ndurations: 100000 -500\n"},
      {{"put-signal", tv, "Mute", "--carrier", "26", "--repeat", "2", "9000", "-4500", "560", "-500000"}, ""},
      {{"signals", tv}, "1 Power\n3 Vol+\n6 Mute\n"},
      {{"show", tv, "Mute"}, "name: Mute\ncarrier: 26\nrepeat: 2\ncount: 4\ndurations: 9000 -4500 560 -500000\n"},
      {{"put-signal", tv, "Mute", "--carrier", "38", "--repeat", "0", "100", "-100"}, ""},  // a second reading
      {{"show", tv, "Mute", "--reading", "2"}, "name: Mute\ncarrier: 38\nrepeat: 0\ncount: 2\ndurations: 100 -100\n"},
      {{"put-signal", tv, "Vol+", "--replace", "--carrier", "30", "--repeat", "1", "7", "-7"}, ""},  // in place
      {{"remove", tv, "Power"}, ""},
      {{"signals", tv}, "2 Vol+\n4 Power\n5 Mute\n"},  // the hidden "Power" comes to light
  };
  for (const auto& [args, out] : steps) {
    const tool_run r = run(args);
    EXPECT_EQ(r.status, 0) << testing::PrintToString(args) << r.err;
    EXPECT_EQ(r.out, out) << testing::PrintToString(args);
  }
  // Written in the stored layout, and converted to the current kind.
  std::vector<std::int16_t> mute{9000, -4500, 560};
  mute.insert(mute.end(), 15, -32767);
  mute.push_back(-8495);
  EXPECT_EQ(content("tv.pdb"),
            zqtest::database_image("Living TV", "Rda1", 330,
                                   {layout_, macro_, zqtest::signal_v2_record("Vol+", {{30, 1, {7, -7}}}), other_,
                                    power2_,
                                    zqtest::signal_v2_record("Mute", {{26, 2, mute}, {38, 0, {100, -100}}})}));
}

TEST_F(CodebaseTool, FailuresPrintTheCodeOrUsageAndChangeNothing) {
  write_tv();
  write("new.pdb", "Newer", {layout_}, "Rda1", 331);
  const std::string tv = file("tv.pdb");
  const bytes before = content("tv.pdb");
  const std::pair<args_t, std::string> cases[] = {
      {{"show", tv, "Nothing"}, "error: 1023\n"},
      {{"remove", tv, "Evening"}, "error: 1023\n"},  // a macro, not a signal
      {{"signals", file("new.pdb")}, "error: 1041\n"},
      {{"signals", file("absent.pdb")}, "error: "},
      // Three durations of 2000 seconds need more items than one reading can count.
      {{"put-signal", tv, "Long", "--carrier", "26", "--repeat", "0", "2000000000", "-2000000000", "2000000000"},
       "error: 1061\n"},
      {{}, "usage: zqtool codebase"},
      {{"frobnicate"}, "usage: zqtool codebase"},
      {{"list"}, "usage: zqtool codebase"},
      {{"create", folder_.path().string()}, "usage: zqtool codebase"},
      {{"show", tv, "Power", "--reading", "3"}, "usage: zqtool codebase"},
      {{"show", tv, "Power", "--reading"}, "usage: zqtool codebase"},
      {{"put-signal", tv, "X", "--repeat", "0", "100"}, "usage: zqtool codebase"},
      {{"put-signal", tv, "X", "--carrier", "26", "100"}, "usage: zqtool codebase"},
      {{"put-signal", tv, "X", "--carrier", "26", "--repeat", "0"}, "usage: zqtool codebase"},
      {{"put-signal", tv, "X", "--carrier", "70000", "--repeat", "0", "100"}, "usage: zqtool codebase"},
      {{"put-signal", tv, "X", "--carrier", "26", "--repeat", "0", "12abc"}, "usage: zqtool codebase"},
      {{"remove", tv}, "usage: zqtool codebase"},
  };
  for (const auto& [args, err] : cases) {
    SCOPED_TRACE(testing::PrintToString(args));
    const tool_run r = run(args);
    EXPECT_EQ(r.status, err.starts_with("usage") ? 2 : 1);
    EXPECT_EQ(r.err.substr(0, err.size()), err);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(content("tv.pdb"), before);
}

}  // namespace
