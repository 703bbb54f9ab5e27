// Runs the built zqtool to export a codebase's signals in other tools' formats and to import such
// files into a codebase.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ir/protocols/protocol_registry.h"
#include "support/codebase_image.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using zqtest::tool_run;
using args_t = std::vector<std::string>;

class InterchangeTool : public ::testing::Test {
 protected:
  static tool_run run(args_t args) {
    args.insert(args.begin(), "codebase");
    return zqtest::run_zqtool(args);
  }
  std::string path(const std::string& name) const { return (folder_.path() / name).string(); }
  std::string create(const std::string& name) const {
    const tool_run created = run({"create", folder_.path().string(), name});
    EXPECT_EQ(created.status, 0) << created.err;
    return created.out.substr(0, created.out.size() - 1);
  }
  void write_text(const std::string& name, const std::string& text) const { std::ofstream(path(name)) << text; }
  void put(const std::string& file, args_t args) const {
    args.insert(args.begin(), {"put-signal", file});
    const tool_run r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
  }
  std::string show(const std::string& file, const std::string& name, const std::string& reading = "1") const {
    return run({"show", file, name, "--reading", reading}).out;
  }
  zqtest::temp_folder folder_;
};

TEST_F(InterchangeTool, ExportThenImportGivesTheSameSignals) {
  const std::string source = create("Source");
  // Whole carrier periods of 26 microseconds, so that every format keeps them exactly.
  put(source, {"Power", "--carrier", "26", "--repeat", "4", "8996", "-4498", "572", "-572", "572", "-39000"});
  put(source, {"Mute", "--carrier", "26", "--repeat", "0", "2392", "-598", "598", "-598", "1196", "-26000"});
  put(source, {"Mute", "--carrier", "26", "--repeat", "0", "2392", "-598", "1196", "-598", "598", "-26000"});
  for (const std::string format : {"pronto", "lirc", "gc", "flipper"}) {
    SCOPED_TRACE(format);
    const tool_run exported = run({"export", source, "--format", format});
    ASSERT_EQ(exported.status, 0) << exported.err;
    write_text("codes.txt", exported.out);
    const std::string target = create("Target " + format);
    put(target, {"Power", "--carrier", "38", "--repeat", "0", "100", "-100"});  // replaced by the import
    const tool_run imported = run({"import", target, "--format", format, path("codes.txt")});
    ASSERT_EQ(imported.status, 0) << imported.err << exported.out;
    EXPECT_EQ(run({"signals", target}).out, "1 Power\n2 Mute\n");
    std::string power = show(source, "Power");
    std::string mute = show(source, "Mute");
    // LIRC repeats a code whole; a Flipper raw button has no repeated part.
    if (format == "lirc") power.replace(power.find("repeat: 4"), 9, "repeat: 0");
    if (format == "flipper") {
      power.replace(power.find("repeat: 4"), 9, "repeat: 6");
      mute.replace(mute.find("repeat: 0"), 9, "repeat: 6");
    }
    EXPECT_EQ(show(target, "Power"), power);
    EXPECT_EQ(show(target, "Mute"), mute);
    EXPECT_EQ(show(target, "Mute", "2"), show(target, "Mute"));  // one reading: none holds a second
  }
}

TEST_F(InterchangeTool, ImportsMode2AndSingleCodesUnderTheGivenOrFileName) {
  const std::string tv = create("TV");
  write_text("Vol+.txt", "space 20000\npulse 2400\nspace 600\npulse 1200\ntimeout 30000\n");
  write_text("sendir.txt", "sendir,1:1,1,40000,1,1,96,24,48,24\n");
  ASSERT_EQ(run({"import", tv, "--format", "mode2", path("Vol+.txt")}).status, 0);
  ASSERT_EQ(run({"import", tv, "--format", "gc", path("sendir.txt"), "--name", "Ch+"}).status, 0);
  EXPECT_EQ(show(tv, "Vol+"), "name: Vol+\ncarrier: 26\nrepeat: 0\ncount: 4\ndurations: 2400 -600 1200 -30000\n");
  EXPECT_EQ(show(tv, "Ch+"), "name: Ch+\ncarrier: 25\nrepeat: 4\ncount: 4\ndurations: 2400 -600 1200 -600\n");
}

TEST_F(InterchangeTool, ShowDecodeNamesTheProtocol) {
  const std::string tv = create("TV");
  redeye::signal_data nec;
  ASSERT_EQ(redeye::protocols::encode_protocol({"NEC", 0, 0x04, 0, 0x08}, 0, nec), 0);
  args_t args{"Power", "--carrier", std::to_string(nec.carrier_period), "--repeat", std::to_string(nec.repeat_index)};
  for (const std::int32_t duration : nec.durations) args.push_back(std::to_string(duration));
  put(tv, args);
  put(tv, {"Odd", "--carrier", "26", "--repeat", "0", "100", "-100"});
  const std::string shown = run({"show", tv, "Power", "--decode"}).out;
  EXPECT_EQ(shown.substr(0, shown.find("carrier")), "name: Power\nprotocol: NEC 0x04 0x08\n");
  EXPECT_EQ(run({"show", tv, "Odd", "--decode"}).out, show(tv, "Odd"));
}

TEST_F(InterchangeTool, FailuresNameTheLineOrSignalAndChangeNothing) {
  const std::string tv = create("TV");
  put(tv, {"Bare", "--carrier", "0", "--repeat", "2", "500", "-500"});
  const zqtest::bytes before = zqtest::read_bytes(tv);
  write_text("bad.conf", "begin remote\n  begin raw_codes\n    name KEY_OK\n    100 x 100\n");
  write_text("good.txt", "Power\n0000 006D 0000 0001 0010 0020\n");
  const std::pair<args_t, std::string> cases[] = {
      {{"import", tv, "--format", "lirc", path("bad.conf")}, "error: 1092 (line 4)\n"},
      {{"import", tv, "--format", "pronto", path("absent.txt")}, "error: 1023\n"},
      {{"export", tv, "--format", "pronto"}, "error: 1096 (signal \"Bare\")\n"},  // no carrier
      {{"import", tv, "--format", "flipper", path("good.txt")}, "error: 1118 (line 1)\n"},
      {{"import", tv, "--format", "irdb", path("good.txt")}, "usage: zqtool codebase"},
      {{"export", tv, "--format", "mode2"}, "usage: zqtool codebase"},
  };
  for (const auto& [args, err] : cases) {
    const tool_run r = run(args);
    EXPECT_EQ(r.status, err.starts_with("usage") ? 2 : 1) << testing::PrintToString(args);
    EXPECT_EQ(r.err.substr(0, err.size()), err);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(zqtest::read_bytes(tv), before);
}

}  // namespace
