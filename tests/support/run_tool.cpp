#include "support/run_tool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "support/temp_folder.h"

extern char** environ;

namespace zqtest {

tool_run run_zqtool(const std::vector<std::string>& args, const std::filesystem::path& stdin_path) {
  return run_program(ZQTOOL_PATH, args, {}, stdin_path);
}

tool_run run_program(const std::string& program, const std::vector<std::string>& args,
                     const std::vector<std::string>& environment, const std::filesystem::path& stdin_path) {
  const temp_folder folder;
  const std::string in = stdin_path.empty() ? "/dev/null" : stdin_path.string();
  const std::string out = (folder.path() / "out").string();
  const std::string err = (folder.path() / "err").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::string program_name = program;
  std::vector<char*> argv{program_name.data()};
  std::vector<std::string> words = args;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables = environment;
  std::vector<char*> envp;  // the added entries first, so that they win over inherited ones
  for (std::string& v : variables) envp.push_back(v.data());
  for (char** v = environ; *v != nullptr; ++v) envp.push_back(*v);
  envp.push_back(nullptr);
  tool_run run;
  pid_t pid = 0;
  int status = 0;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0 &&
      waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    run.status = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = read_text(out);
  run.err = read_text(err);
  return run;
}

std::string read_text(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace zqtest
