// Runs the built zqtool (or another built program) as a separate program and collects its exit status and output.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zqtest {

struct tool_run {
  int status = -1;  // the exit status, -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// zqtool with these arguments, each passed as one word; standard input from stdin_path, or empty.
tool_run run_zqtool(const std::vector<std::string>& args, const std::filesystem::path& stdin_path = {});
// Any built program the same way; environment adds NAME=VALUE entries to this process's own.
tool_run run_program(const std::string& program, const std::vector<std::string>& args,
                     const std::vector<std::string>& environment = {},
                     const std::filesystem::path& stdin_path = {});

// The whole content of a file as text (empty when it cannot be read).
std::string read_text(const std::filesystem::path& path);

}  // namespace zqtest
