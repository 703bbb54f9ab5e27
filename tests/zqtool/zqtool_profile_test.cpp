// zqtool profile show and put run as programs.
#include <gtest/gtest.h>

#include <string>

#include "support/codebase_image.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

void write_text(const std::filesystem::path& path, const std::string& text) {
  zqtest::write_bytes(path, zqtest::bytes(text.begin(), text.end()));
}

std::string hot_lines(const std::string& first, const std::string& second) {
  std::string out = "hot 1 " + first + "\nhot 2 " + second + "\n";
  for (int i = 3; i <= 8; ++i) out += "hot " + std::to_string(i) + " \"\" \"\" 0\n";
  return out;
}

// What zqtool pdb info prints before the record sizes.
std::string header_of(const std::string& file) {
  const std::string out = zqtest::run_zqtool({"pdb", "info", file}).out;
  return out.substr(0, out.find("record 0"));
}

TEST(ProfileTool, PutThenShowGivesTheRoomBack) {
  zqtest::temp_folder folder;
  const std::string hard = "hard \"40C1\" \"Radio\" \"$Loud\"\nhard \"Left\" \"@@action\" \"Disable\"\n";
  const std::string text = "# a room\nroom \"Den\"\n" + hot_lines("\"TV \\\"A\\\"\" \"Living TV\" 3", "\"r\" \"Radio\" -2") +
                           hard + "remote \"Living TV\" 7\n";
  write_text(folder.path() / "room.txt", text);
  const std::string main = (folder.path() / "zq-main-profile.pdb").string();
  ASSERT_EQ(zqtest::run_zqtool({"profile", "put", main, (folder.path() / "room.txt").string()}).status, 0);

  const zqtest::tool_run shown = zqtest::run_zqtool({"profile", "show", main});
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out, text.substr(text.find('\n') + 1));
  EXPECT_EQ(header_of(main), "name: zq-main-profile\ntype: dPrf\ncreator: zQed\nversion: 0\nrecords: 1\n");

  // Checked against a codebases folder that holds only the radio.
  const std::filesystem::path codebases = folder.path() / "Codebases";
  std::filesystem::create_directory(codebases);
  zqtest::write_bytes(codebases / "radio.pdb",
                      zqtest::database_image("Radio", "Rda1", 330, {zqtest::remote_layout_record()}));
  const zqtest::tool_run checked = zqtest::run_zqtool({"profile", "show", main, "--codebases", codebases.string()});
  EXPECT_EQ(checked.out,
            "room \"Den\"\n" + hot_lines("\"\" \"\" 3", "\"r\" \"Radio\" -2") + hard + "remote \"Living TV\" 7\n");

  const std::string den = (folder.path() / "den.pdb").string();
  ASSERT_EQ(zqtest::run_zqtool({"profile", "put", den, (folder.path() / "room.txt").string(), "--preference", "Den"})
                .status,
            0);
  EXPECT_EQ(header_of(den), "name: Den\ntype: Prof\ncreator: zQed\nversion: 0\nrecords: 1\n");
}

TEST(ProfileTool, FailuresPrintTheCodeOrTheFaultyLine) {
  zqtest::temp_folder folder;
  zqtest::write_bytes(folder.path() / "empty.pdb", zqtest::database_image("zq-main-profile", "dPrf", 0, {}));
  zqtest::write_bytes(folder.path() / "bad.pdb", zqtest::database_image("zq-main-profile", "dPrf", 0, {{0x01, 0x2A}}));
  for (const auto& [file, err] : {std::pair{"missing.pdb", "error: 1022\n"}, std::pair{"empty.pdb", "error: 1024\n"},
                                  std::pair{"bad.pdb", "error: -1\n"}}) {
    const zqtest::tool_run run = zqtest::run_zqtool({"profile", "show", (folder.path() / file).string()});
    EXPECT_EQ(run.status, 1) << file;
    EXPECT_EQ(run.err, err) << file;
    EXPECT_EQ(run.out, "") << file;
  }
  write_text(folder.path() / "bad.txt", "room \"x\"\nhot 9 \"\" \"\" 0\n");
  const std::string text = (folder.path() / "bad.txt").string();
  const zqtest::tool_run put = zqtest::run_zqtool({"profile", "put", (folder.path() / "p.pdb").string(), text});
  EXPECT_EQ(put.status, 1);
  EXPECT_EQ(put.err, text + ":2: slot is not 1 to 8\n");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "p.pdb"));
}

}  // namespace
