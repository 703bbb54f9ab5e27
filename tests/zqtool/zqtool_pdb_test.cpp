// zqtool pdb info run as a program on files written from the byte layout.
#include <gtest/gtest.h>

#include <string>

#include "support/codebase_image.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

TEST(DatabaseTool, InfoPrintsTheHeaderAndEveryRecordSizeOrTheLoadError) {
  zqtest::temp_folder folder;
  // Space padding after the name, an empty record between two others.
  zqtest::bytes file = zqtest::database_header("Living Room" + std::string(21, ' '), "Rda1", 330, 3);
  for (const std::uint32_t offset : {104, 110, 110}) zqtest::append_entry(file, offset, 0x40, 0);
  file.insert(file.end(), {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  zqtest::write_bytes(folder.path() / "living room.pdb", file);
  zqtest::write_bytes(folder.path() / "cut.pdb", zqtest::database_header("Cut", "Rda1", 330, 4));  // no entries

  const zqtest::tool_run info = zqtest::run_zqtool({"pdb", "info", (folder.path() / "living room.pdb").string()});
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.out, "name: Living Room\ntype: Rda1\ncreator: zQed\nversion: 330\nrecords: 3\n"
                      "record 0: 6\nrecord 1: 0\nrecord 2: 3\n");
  EXPECT_EQ(info.err, "");
  for (const auto& [name, err] : {std::pair{"cut.pdb", "error: 1024\n"}, std::pair{"missing.pdb", "error: 1022\n"}}) {
    const zqtest::tool_run failed = zqtest::run_zqtool({"pdb", "info", (folder.path() / name).string()});
    EXPECT_EQ(failed.status, 1) << name;
    EXPECT_EQ(failed.out, "") << name;
    EXPECT_EQ(failed.err, err) << name;
  }
}

}  // namespace
