// Running a built program from a benchmark as a user runs it: a separate process, its output
// thrown away, with extra environment entries; and what the finished children used.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace zqbench {

// The program's exit status, or -1 when it could not be run or did not exit normally.
inline int run_program(std::string program, std::vector<std::string> args,
                       const std::vector<std::string>& environment = {}) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv{program.data()};
  for (std::string& word : args) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> entries(environment);
  std::vector<char*> envp;
  for (char** e = environ; *e != nullptr; ++e) envp.push_back(*e);
  for (std::string& entry : entries) envp.push_back(entry.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  int status = 0;
  int result = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0 &&
      waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    result = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  return result;
}

// Processor time the finished children used, in milliseconds.
inline double children_cpu_ms() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The largest resident size any finished child reached, in megabytes.
inline double children_peak_mb() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace zqbench
