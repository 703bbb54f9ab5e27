// Runs the built zqtool on Pronto hex text and checks what it prints.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

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

class ProntoTool : public ::testing::Test {
 protected:
  run_result run(const std::vector<std::string>& args) {
    std::string command = quoted(ZQTOOL_PATH) + " pronto";
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

  zqtest::temp_folder output_;
};

// NEC, address 04, command 08, with its repeat frame.
const std::vector<std::string> kNecWords{
    "0000", "006D", "0022", "0002", "0157", "00AC", "0015", "0016", "0015", "0016", "0015", "0041", "0015", "0016",
    "0015", "0016", "0015", "0016", "0015", "0016", "0015", "0016", "0015", "0041", "0015", "0041", "0015", "0016",
    "0015", "0041", "0015", "0041", "0015", "0041", "0015", "0041", "0015", "0041", "0015", "0016", "0015", "0016",
    "0015", "0016", "0015", "0041", "0015", "0016", "0015", "0016", "0015", "0016", "0015", "0016", "0015", "0041",
    "0015", "0041", "0015", "0041", "0015", "0016", "0015", "0041", "0015", "0041", "0015", "0041", "0015", "0041",
    "0015", "0689", "0157", "0056", "0015", "0E94"};

constexpr const char* kNecOutput =
    "carrier: 26\nrepeat: 68\ncount: 72\ndurations: 8918 -4472 546 -572 546 -572 546 -1690 546 -572 546 -572 "
    "546 -572 546 -572 546 -572 546 -1690 546 -1690 546 -572 546 -1690 546 -1690 546 -1690 546 -1690 546 -1690 "
    "546 -572 546 -572 546 -572 546 -1690 546 -572 546 -572 546 -572 546 -572 546 -1690 546 -1690 546 -1690 "
    "546 -572 546 -1690 546 -1690 546 -1690 546 -1690 546 -43498 8918 -2236 546 -97032\n";

TEST_F(ProntoTool, PrintsTheNecCodeFromSeparateWords) {
  const run_result result = run(kNecWords);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, kNecOutput);
  EXPECT_EQ(result.err, "");
}

TEST_F(ProntoTool, AcceptsTheCodeAsOneArgumentWithLineBreaks) {
  std::string text;
  for (std::size_t i = 0; i < kNecWords.size(); ++i) text += kNecWords[i] + (i % 8 == 7 ? "\r\n" : "\t");
  const run_result result = run({text});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, kNecOutput);
}

TEST_F(ProntoTool, RejectedTextPrintsTheParserCode) {
  const run_result not_raw = run({"0100", "006D", "0001", "0000", "0010", "0020"});
  EXPECT_EQ(not_raw.status, 1);
  EXPECT_EQ(not_raw.out, "");
  EXPECT_EQ(not_raw.err, "error: 200\n");
  // Words split across arguments are joined with blanks, so a split word is too short.
  const run_result split = run({"0000 006D 0001 0000 00", "10 0020"});
  EXPECT_EQ(split.status, 1);
  EXPECT_EQ(split.err, "error: 251\n");
  const run_result empty = run({""});
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.err, "error: 11\n");
}

TEST_F(ProntoTool, NoTextIsAUsageError) {
  const run_result result = run({});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("usage: zqtool pronto TEXT..."), std::string::npos) << result.err;
}

}  // namespace
