// zqtool settings run as a program: every field set on a new file and shown, and the failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

TEST(SettingsTool, SetsEveryFieldAndShowsThem) {
  zqtest::temp_folder folder;
  const std::string file = (folder.path() / "Zequon.pref").string();
  const std::vector<std::pair<std::string, std::string>> changes{
      {"first-run", "0"},       {"sounds", "1"},           {"orientation", "3"},   {"screen-class", "6"},
      {"ir-port", "COM12345"},  {"import-folder", "\\Fächer"}, {"recent", "Den"}, {"recent", "Küche"},
      {"recent", "Attic"},      {"remove-recent", "Den"},
  };
  for (const auto& [field, value] : changes) {
    const zqtest::tool_run run = zqtest::run_zqtool({"settings", "set", file, field, value});
    EXPECT_EQ(run.status, 0) << field << " " << run.err;
  }
  const zqtest::tool_run shown = zqtest::run_zqtool({"settings", "show", file});
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.out,
            "first-run: 0\nrecent 0: Attic\nrecent 1: Küche\nrecent 2: \nrecent 3: \nrecent 4: \n"
            "ir-port: COM123\nimport-folder: \\Fächer\norientation: 3\nscreen-class: 6\nsounds: 1\n");
}

TEST(SettingsTool, FailuresPrintTheirCodeAndBadValuesTheUsage) {
  zqtest::temp_folder folder;
  const std::string file = (folder.path() / "Zequon.pref").string();
  const zqtest::tool_run missing = zqtest::run_zqtool({"settings", "show", file});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "error: 2\n");
  const zqtest::tool_run absent = zqtest::run_zqtool({"settings", "set", file, "remove-recent", "Den"});
  EXPECT_EQ(absent.status, 1);
  EXPECT_EQ(absent.err, "error: -1\n");
  for (const auto& [field, value] : {std::pair{"orientation", "4"}, std::pair{"screen-class", "-2"},
                                     std::pair{"sounds", "yes"}, std::pair{"colour", "1"}}) {
    const zqtest::tool_run refused = zqtest::run_zqtool({"settings", "set", file, field, value});
    EXPECT_EQ(refused.status, 2) << field;
    EXPECT_EQ(refused.err.rfind("usage: zqtool settings", 0), 0u) << field;
  }
}

}  // namespace
