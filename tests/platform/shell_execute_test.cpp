// The shell's "open" and the programs started for an event: written to the transcript, handed to
// the desktop's opener or starter, and host programs started without a shell.
#include "platform/shell_execute.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

#include "base/text_conversion.h"
#include "platform/process_spawn.h"
#include "platform/transcript.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;

TEST(ShellExecute, OpensAreWrittenDownAndDocumentsGoToTheDesktopOpener) {
  const zqtest::temp_folder folder;
  std::ofstream(folder.path() / "manual.htm") << "x";
  std::ofstream(folder.path() / "tool.EXE") << "x";
  ASSERT_EQ(transcript::open(folder.device_path("transcript.txt")), 0);

  EXPECT_EQ(shell_open(folder.device_path("manual.htm")), 0);  // headless: written down only
  std::vector<std::filesystem::path> opened;
  set_document_opener([&](const std::filesystem::path& host) {
    opened.push_back(host);
    return 0;
  });
  EXPECT_EQ(shell_open(folder.device_path("manual.htm")), 0);
  EXPECT_EQ(shell_open(folder.device_path("missing.htm")), ENOENT);
  EXPECT_EQ(shell_open(folder.device_path("tool.EXE")), ENOSYS);  // no handheld programs here
  EXPECT_EQ(shell_open(L"\\x\nmsgbox stop \"fake\""), ENOENT);  // a document's path stays one line
  set_document_opener({});
  EXPECT_EQ(opened, (std::vector<std::filesystem::path>{folder.path() / "manual.htm"}));

  std::vector<std::filesystem::path> started;
  EXPECT_EQ(start_program(L"\\Windows\\zqxwakeup.exe"), 0);
  set_program_starter([&](const std::filesystem::path& host) {
    started.push_back(host);
    return ENOENT;
  });
  EXPECT_EQ(start_program(folder.device_path("w.exe")), ENOENT);
  set_program_starter({});
  EXPECT_EQ(started, (std::vector<std::filesystem::path>{folder.path() / "w.exe"}));
  transcript::close();

  const std::string base = "open " + zq::wide_to_utf8(folder.device_path());
  EXPECT_EQ(zqtest::read_text(folder.path() / "transcript.txt"),
            base + "manual.htm\n" + base + "manual.htm\n" + base + "missing.htm\n" + base + "tool.EXE\n" +
                "open \\x?msgbox stop \"fake\"\n" +
                "run \\Windows\\zqxwakeup.exe\nrun " + zq::wide_to_utf8(folder.device_path("w.exe")) + "\n");
}

TEST(ShellExecute, HostProgramsStartDetachedWithTheirArgumentsAsGiven) {
  const zqtest::temp_folder folder;
  // The argument reaches the program untouched: no shell splits or expands it.
  const std::filesystem::path target = folder.path() / "made by touch; $HOME";
  ASSERT_EQ(spawn_detached({"touch", target.string()}), 0);
  for (int i = 0; i < 200 && !std::filesystem::exists(target); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(std::filesystem::exists(target));
  EXPECT_EQ(spawn_detached({(folder.path() / "missing-program").string()}), ENOENT);
  EXPECT_EQ(run_host_program(folder.path() / "missing-program"), ENOENT);
  EXPECT_EQ(spawn_detached({}), EINVAL);
}

}  // namespace
