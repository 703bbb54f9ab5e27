// zqtool codebase create from a pattern of the shipped metalic skin and a model of the shipped IR
// archive: the codebase gets the pattern's layout and the model's signals, found by names that
// hold "/" themselves.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/module.h"
#include "storage/codebase_catalog.h"
#include "storage/database.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using zqtest::run_zqtool;

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(CodebaseCreate, APatternAndAnArchiveModelMakeAWorkingCodebase) {
  const zqtest::temp_folder dir;
  const zqtest::tool_run created =
      run_zqtool({"codebase", "create", dir.path().string(), "Den player", "--pattern", "zq-skin-metalic:DVD",
                  "--archive", "DVD/Blu-ray/Sony/BDP series Blu-ray"});
  ASSERT_EQ(created.status, 0) << created.err;
  const std::string file = first_line(created.out);

  // Record 0 is the pattern's layout, as the skin holds it; the model's signals follow.
  platform::module skin;
  ASSERT_EQ(platform::load_module_file(platform::device_path(std::string(ZQ_SKIN_FOLDER) + "/zq-skin-metalic.dll"), skin),
            zq::rc::ok);
  std::span<const std::uint8_t> layout;
  ASSERT_EQ(skin.load("RDAT", 1002, layout), zq::rc::ok);
  xman::database codebase;
  ASSERT_EQ(codebase.open(platform::device_path(file), xman::database::open_mode_t::read_only), zq::rc::ok);
  const std::span<const std::uint8_t> record0 = codebase.record(0);
  EXPECT_TRUE(std::equal(record0.begin(), record0.end(), layout.begin(), layout.end()));

  const zqtest::tool_run signals = run_zqtool({"codebase", "signals", file});
  EXPECT_EQ(first_line(signals.out), "1 Power");
  EXPECT_NE(signals.out.find(" Eject\n"), std::string::npos) << signals.out;
  const zqtest::tool_run shown = run_zqtool({"codebase", "show", file, "Play", "--decode"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_NE(shown.out.find("protocol: Sony20"), std::string::npos) << shown.out;

  // Without --archive the pattern comes from those offered for every category; without either,
  // the codebase is empty.
  EXPECT_EQ(run_zqtool({"codebase", "create", dir.path().string(), "Blank", "--pattern", "zq-skin-metalic:BLANK"}).status, 0);
  EXPECT_EQ(run_zqtool({"codebase", "signals", (dir.path() / "Blank.pdb").string()}).out, "");
}

TEST(CodebaseCreate, UnknownModelsAndPatternsAreRefusedAndNothingIsMade) {
  const zqtest::temp_folder dir;
  const struct {
    std::vector<std::string> options;
    const char* err;
  } cases[] = {
      {{"--archive", "DVD/Sony/BDP series Blu-ray"}, "no such CATEGORY/BRAND/MODEL"},
      {{"--archive", "TV/Samsung/Nothing"}, "no such CATEGORY/BRAND/MODEL"},
      {{"--pattern", "zq-skin-metalic:DVD", "--archive", "TV/Samsung/LE/UE series (2008-2015)"}, "no pattern DVD for category TV"},
      {{"--pattern", "zq-skin-none:TV"}, "cannot be loaded as a skin"},
      {{"--archive", "TV/Samsung/LE/UE series (2008-2015)", "--archive-file", "missing.pdb"}, "cannot be opened"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"codebase", "create", dir.path().string(), "Try"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const zqtest::tool_run run = run_zqtool(args);
    EXPECT_NE(run.status, 0) << c.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Try.pdb")) << c.err;
  }
}

}  // namespace
