// zqtool meta dump / compile, run as the built program on documents written byte by byte.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/codebase_image.h"
#include "support/meta_event_log.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using zqtest::meta_bytes;
using zqtest::run_zqtool;

std::string text_of(const meta_bytes& doc) { return {doc.bytes().begin(), doc.bytes().end()}; }

// A page with the names the writer numbers without --names, then with it ("label" too).
const std::string layout =
    text_of(meta_bytes{}.open("?names").str("page").str("button").str("x").close().open(1).open(2)
                .add({0x03, 0x22, 0, 3, 0x22, 0x01, 0x00, 0x03, 0x2A, 6, 'l', 'a', 'b', 'e', 'l', 0})
                .add({0x2A, 6, 'P', 'o', 'w', 'e', 'r', 0, 0x24, 0x02, 0x02}));
const std::string indexed =
    text_of(meta_bytes{}.open("?names").str("page").str("button").str("x").str("label").close().open(1).open(2)
                .add({0x03, 0x22, 0, 3, 0x22, 0x01, 0x00, 0x03, 0x22, 0, 4})
                .add({0x2A, 6, 'P', 'o', 'w', 'e', 'r', 0, 0x24, 0x02, 0x02}));
const char* const layout_text =
    "?names {\n  string \"page\\0\"\n  string \"button\\0\"\n  string \"x\\0\"\n}\n"
    "page[1] {\n  button[2] {\n    x[3] = int16 256\n    label = string \"Power\\0\"\n    bool true\n  }\n}\n";

class MetaTool : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return (dir_.path() / name).string(); }
  void spill(const std::string& name, const std::string& content) const {
    std::ofstream(file(name), std::ios::binary) << content;
  }
  zqtest::temp_folder dir_;
};

TEST_F(MetaTool, DumpPrintsTheTextAndCompileOfItGivesTheSameBytes) {
  spill("layout.bin", layout);
  for (const zqtest::tool_run& dump :
       {run_zqtool({"meta", "dump", file("layout.bin")}), run_zqtool({"meta", "dump", "-"}, file("layout.bin"))}) {
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, layout_text);
  }
  spill("layout.txt", layout_text);
  spill("page.txt", "page {\n  button {\n    x = int16 256\n    label = string \"Power\"\n    bool true\n  }\n}\n");
  const zqtest::tool_run compile = run_zqtool({"meta", "compile", file("layout.txt"), file("again.bin")});
  EXPECT_EQ(compile.status, 0) << compile.err;
  EXPECT_EQ(run_zqtool({"meta", "compile", "--names", file("page.txt"), file("page.bin")}).status, 0);
  EXPECT_EQ(zqtest::read_text(file("again.bin")), layout);
  EXPECT_EQ(zqtest::read_text(file("page.bin")), indexed);
  EXPECT_EQ(zqtest::listing(dir_.path()),
            (std::vector<std::string>{"again.bin", "layout.bin", "layout.txt", "page.bin", "page.txt"}));
}

TEST_F(MetaTool, FailuresPrintTheReasonAndLeaveTheOutputAlone) {
  spill("bad.bin", layout.substr(0, layout.size() - 1));  // without the end byte of the page
  spill("out.bin", "old content");
  spill("bad.txt", "page {\n  int8 1\n  x = int8 2\n}\n");
  const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
      {{"meta", "dump", file("bad.bin")}, 1, "meta::parse_exception: file is in wrong format\n"},
      {{"meta", "compile", file("bad.txt"), file("out.bin")}, 1,
       file("bad.txt") + ":3: attributes come before the content of an element\n"},
      {{"meta", "dump", file("absent.bin")}, 1, "error: 2\n"},
      {{"meta"}, 2, "usage: zqtool meta dump FILE"},
      {{"meta", "compile", "only-one"}, 2, "usage: zqtool meta dump FILE"},
  };
  for (const auto& [args, status, err] : cases) {
    const zqtest::tool_run r = run_zqtool(args);
    EXPECT_EQ(r.status, status) << args.back();
    EXPECT_EQ(r.err.substr(0, err.size()), err);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(zqtest::read_text(file("out.bin")), "old content");
}

}  // namespace
