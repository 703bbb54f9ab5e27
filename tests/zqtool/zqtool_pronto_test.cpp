// Runs the built zqtool on Pronto hex text and checks what it prints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_tool.h"

namespace {

using args_t = std::vector<std::string>;

TEST(ProntoTool, PrintsTheSignalOrTheParserCode) {
  const std::string printed = "carrier: 26\nrepeat: 2\ncount: 4\ndurations: 416 -832 1248 -1664\n";
  const std::tuple<args_t, int, std::string, std::string> cases[] = {
      {{"0000", "006D", "0001", "0001", "0010", "0020", "0030", "0040"}, 0, printed, ""},
      {{"0000 006D\t0001 0001\r\n0010 0020\n0030 0040"}, 0, printed, ""},
      {{"0100", "006D", "0001", "0000", "0010", "0020"}, 1, "", "error: 200\n"},
      {{"0000 006D 0001 0000 00", "10 0020"}, 1, "", "error: 251\n"},  // joined with a blank: a short word
      {{""}, 1, "", "error: 11\n"},
      {{}, 2, "", "usage: zqtool pronto TEXT..."},
  };
  for (auto [args, status, out, err] : cases) {
    args.insert(args.begin(), "pronto");
    const zqtest::tool_run r = zqtest::run_zqtool(args);
    EXPECT_EQ(r.status, status) << testing::PrintToString(args);
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(r.err.substr(0, err.size()), err);
  }
}

}  // namespace
