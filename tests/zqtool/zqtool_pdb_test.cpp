// zqtool pdb info run as a program on files written from the byte layout.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/pdb_layout.h"
#include "support/temp_folder.h"

namespace {

namespace pdb = zqtest::pdb;

struct run_result {
  int status = -1;
  std::string out;
  std::string err;
};

run_result run_zqtool(const zqtest::temp_folder& folder, const std::string& arguments) {
  const auto out = folder.path() / "stdout.txt";
  const auto err = folder.path() / "stderr.txt";
  const std::string command = std::string("'") + ZQTOOL_PATH + "' " + arguments + " >'" + out.string() + "' 2>'" +
                              err.string() + "'";
  const int raw = std::system(command.c_str());
  run_result result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  const auto text = [](const std::filesystem::path& p) {
    const pdb::bytes b = pdb::read(p);
    return std::string(b.begin(), b.end());
  };
  result.out = text(out);
  result.err = text(err);
  return result;
}

TEST(DatabaseTool, InfoPrintsTheHeaderAndEveryRecordSize) {
  zqtest::temp_folder folder;
  pdb::bytes file = pdb::header("Living Room" + std::string(21, ' '), "Rda1", "zQed", 330, 3);
  pdb::append_entry(file, 104, 0x40, 0);
  pdb::append_entry(file, 110, 0x40, 1);
  pdb::append_entry(file, 110, 0x40, 2);
  pdb::append_be16(file, 0);
  file.insert(file.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9});
  pdb::write(folder.path() / "living room.pdb", file);

  const run_result r = run_zqtool(folder, "pdb info '" + (folder.path() / "living room.pdb").string() + "'");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "name: Living Room\n"
            "type: Rda1\n"
            "creator: zQed\n"
            "version: 330\n"
            "records: 3\n"
            "record 0: 6\n"
            "record 1: 0\n"
            "record 2: 3\n");
  EXPECT_EQ(r.err, "");
}

TEST(DatabaseTool, InfoReportsTheLoadError) {
  zqtest::temp_folder folder;
  pdb::bytes file = pdb::header("Cut", "Rda1", "zQed", 330, 4);  // no room for the four entries
  pdb::write(folder.path() / "cut.pdb", file);
  run_result r = run_zqtool(folder, "pdb info '" + (folder.path() / "cut.pdb").string() + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "error: 1024\n");

  r = run_zqtool(folder, "pdb info '" + (folder.path() / "missing.pdb").string() + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error: 1022\n");
}

}  // namespace
