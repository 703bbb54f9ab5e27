// Runs the built zqtool on codebase files written by hand and checks its output and the files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;

struct run_result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

std::string slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class CodebaseTool : public ::testing::Test {
 protected:
  run_result run(const std::vector<std::string>& args) {
    std::string command = quoted(ZQTOOL_PATH) + " codebase";
    for (const std::string& arg : args) command += " " + quoted(arg);
    const std::filesystem::path out = output_.path() / "out";
    const std::filesystem::path err = output_.path() / "err";
    command += " >" + quoted(out.string()) + " 2>" + quoted(err.string());
    run_result result;
    const int status = std::system(command.c_str());
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = slurp(out);
    result.err = slurp(err);
    return result;
  }

  std::string file(const std::string& name) const { return (folder_.path() / name).string(); }

  void write(const std::string& name, std::string_view internal, const std::vector<bytes>& records,
             const char (&type)[5] = "Rda1", std::uint16_t version = 330) {
    zqtest::write_bytes(folder_.path() / name, zqtest::database_image(internal, type, version, records));
  }

  // A codebase with signals of both versions, a macro, a duplicate name and a record of no kind.
  void write_tv() {
    write("tv.pdb", "Living TV",
          {zqtest::remote_layout_record(),
           zqtest::signal_v1_record("Power", 26, {2, {9000, -4500, 560, -20000, -20000}},
                                    zqtest::reading_v1{0, {1000, -1000}}),
           zqtest::macro_record("Evening", {0x02}),
           zqtest::signal_v2_record("Vol+", {{38, 0, {32767, 32767, 32767, 1699, -500}}}),
           bytes{0x00, 0x03, 'X', 0x00},
           zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}})});
  }

  zqtest::temp_folder folder_;
  zqtest::temp_folder output_;
};

TEST_F(CodebaseTool, ListShowsCodebasesInNameOrder) {
  write("z.pdb", "Alpha", {zqtest::remote_layout_record()});
  write("a.pdb", "Beta", {zqtest::remote_layout_record()}, "Rdat", 100);
  write("w.pdb", "Being edited", {zqtest::remote_layout_record()}, "temp");
  write("p.pdb", "Profile", {}, "dPrf", 0);
  const run_result result = run({"list", folder_.path().string()});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "Alpha\nBeta\n");
}

TEST_F(CodebaseTool, CreateWritesAnEmptyCodebaseAndPrintsItsPath) {
  const run_result result = run({"create", folder_.path().string(), "Living TV"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, file("Living_TV.pdb") + "\n");
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "Living_TV.pdb"),
            zqtest::database_image("Living TV", "Rda1", 330, {zqtest::remote_layout_record()}));
  EXPECT_EQ(run({"list", folder_.path().string()}).out, "Living TV\n");
  const run_result again = run({"create", folder_.path().string(), "Living TV"});
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, "error: 1025\n");
}

TEST_F(CodebaseTool, ListsSignalsAndMacrosInRecordOrder) {
  write_tv();
  const run_result signals = run({"signals", file("tv.pdb")});
  EXPECT_EQ(signals.status, 0) << signals.err;
  // The later "Power" is hidden by the first one.
  EXPECT_EQ(signals.out, "1 Power\n3 Vol+\n");
  const run_result macros = run({"macros", file("tv.pdb")});
  EXPECT_EQ(macros.status, 0) << macros.err;
  EXPECT_EQ(macros.out, "2 Evening\n");
}

TEST_F(CodebaseTool, ShowDecodesBothReadings) {
  write_tv();
  const run_result first = run({"show", file("tv.pdb"), "Power"});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out,
            "name: Power\ncarrier: 26\nrepeat: 2\ncount: 4\ndurations: 9000 -4500 560 -40000\n");
  EXPECT_EQ(run({"show", file("tv.pdb"), "Power", "--reading", "1"}).out, first.out);
  EXPECT_EQ(run({"show", file("tv.pdb"), "Power", "--reading", "2"}).out,
            "name: Power\ncarrier: 26\nrepeat: 0\ncount: 2\ndurations: 1000 -1000\n");
  EXPECT_EQ(run({"show", file("tv.pdb"), "Vol+"}).out,
            "name: Vol+\ncarrier: 38\nrepeat: 0\ncount: 2\ndurations: 100000 -500\n");
}

TEST_F(CodebaseTool, PutSignalStoresReplacesAndAddsReadings) {
  write_tv();
  ASSERT_EQ(run({"put-signal", file("tv.pdb"), "Mute", "--carrier", "26", "--repeat", "2", "9000", "-4500", "560",
                 "-500000"})
                .status,
            0);
  EXPECT_EQ(run({"show", file("tv.pdb"), "Mute"}).out,
            "name: Mute\ncarrier: 26\nrepeat: 2\ncount: 4\ndurations: 9000 -4500 560 -500000\n");
  EXPECT_EQ(run({"signals", file("tv.pdb")}).out, "1 Power\n3 Vol+\n6 Mute\n");

  // Without --replace a second reading is added.
  ASSERT_EQ(run({"put-signal", file("tv.pdb"), "Mute", "--carrier", "38", "--repeat", "0", "100", "-100"}).status, 0);
  EXPECT_EQ(run({"show", file("tv.pdb"), "Mute", "--reading", "2"}).out,
            "name: Mute\ncarrier: 38\nrepeat: 0\ncount: 2\ndurations: 100 -100\n");
  EXPECT_EQ(run({"show", file("tv.pdb"), "Mute"}).out,
            "name: Mute\ncarrier: 26\nrepeat: 2\ncount: 4\ndurations: 9000 -4500 560 -500000\n");

  // With --replace the record holds the new signal only, in the same place.
  ASSERT_EQ(run({"put-signal", file("tv.pdb"), "Mute", "--replace", "--carrier", "30", "--repeat", "1", "7", "-7"})
                .status,
            0);
  EXPECT_EQ(run({"show", file("tv.pdb"), "Mute", "--reading", "2"}).out,
            "name: Mute\ncarrier: 30\nrepeat: 1\ncount: 2\ndurations: 7 -7\n");
  EXPECT_EQ(run({"signals", file("tv.pdb")}).out, "1 Power\n3 Vol+\n6 Mute\n");
}

TEST_F(CodebaseTool, PutSignalWritesTheStoredLayoutAndConvertsTheOlderKind) {
  write("old.pdb", "Old", {zqtest::remote_layout_record()}, "Rdat", 120);
  ASSERT_EQ(run({"put-signal", file("old.pdb"), "Ok", "--carrier", "26", "--repeat", "0", "560", "-560"}).status, 0);
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "old.pdb"),
            zqtest::database_image("Old", "Rda1", 330,
                                   {zqtest::remote_layout_record(),
                                    zqtest::signal_v2_record("Ok", {{26, 0, {560, -560}}})}));
}

TEST_F(CodebaseTool, RemoveDeletesTheFirstSignalOfTheName) {
  write_tv();
  ASSERT_EQ(run({"remove", file("tv.pdb"), "Power"}).status, 0);
  // The shadowed duplicate comes to light.
  EXPECT_EQ(run({"signals", file("tv.pdb")}).out, "2 Vol+\n4 Power\n");
  EXPECT_EQ(run({"macros", file("tv.pdb")}).out, "1 Evening\n");
  const run_result missing = run({"remove", file("tv.pdb"), "Evening"});  // a macro, not a signal
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "error: 1023\n");
}

TEST_F(CodebaseTool, FailuresPrintTheCode) {
  write_tv();
  write("new.pdb", "Newer", {zqtest::remote_layout_record()}, "Rda1", 331);
  const run_result unknown = run({"show", file("tv.pdb"), "Nothing"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err, "error: 1023\n");
  const run_result too_new = run({"signals", file("new.pdb")});
  EXPECT_EQ(too_new.status, 1);
  EXPECT_EQ(too_new.err, "error: 1041\n");
  const run_result absent = run({"signals", file("absent.pdb")});
  EXPECT_EQ(absent.status, 1);
  EXPECT_EQ(absent.err.rfind("error: ", 0), 0u) << absent.err;
  // Three durations of 2000 seconds need more items than one reading can count: 1061, file unchanged.
  const bytes before = zqtest::read_bytes(folder_.path() / "tv.pdb");
  const run_result too_long = run({"put-signal", file("tv.pdb"), "Long", "--carrier", "26", "--repeat", "0",
                                   "2000000000", "-2000000000", "2000000000"});
  EXPECT_EQ(too_long.status, 1);
  EXPECT_EQ(too_long.err, "error: 1061\n");
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "tv.pdb"), before);
}

TEST_F(CodebaseTool, ArgumentErrorsPrintUsage) {
  write_tv();
  const std::vector<std::vector<std::string>> bad{
      {},
      {"frobnicate"},
      {"list"},
      {"create", folder_.path().string()},
      {"show", file("tv.pdb"), "Power", "--reading", "3"},
      {"show", file("tv.pdb"), "Power", "--reading"},
      {"put-signal", file("tv.pdb"), "X", "--repeat", "0", "100"},
      {"put-signal", file("tv.pdb"), "X", "--carrier", "26", "100"},
      {"put-signal", file("tv.pdb"), "X", "--carrier", "26", "--repeat", "0"},
      {"put-signal", file("tv.pdb"), "X", "--carrier", "70000", "--repeat", "0", "100"},
      {"put-signal", file("tv.pdb"), "X", "--carrier", "26", "--repeat", "0", "12abc"},
      {"remove", file("tv.pdb")},
  };
  const bytes before = zqtest::read_bytes(folder_.path() / "tv.pdb");
  for (const auto& args : bad) {
    const run_result result = run(args);
    EXPECT_EQ(result.status, 2) << (args.empty() ? "" : args[0]) << " " << args.size();
    EXPECT_EQ(result.err.rfind("usage: zqtool codebase", 0), 0u) << result.err;
    EXPECT_TRUE(result.out.empty());
  }
  EXPECT_EQ(zqtest::read_bytes(folder_.path() / "tv.pdb"), before);
}

}  // namespace
