#include "platform/shell_execute.h"

#include <cerrno>
#include <utility>

#include "platform/file_name_pattern.h"
#include "platform/file_system.h"
#include "platform/process_spawn.h"
#include "platform/transcript.h"

namespace platform {

namespace {

struct shell_state {
  document_opener opener;
  program_starter starter;
};

shell_state& state() {
  static shell_state shell;
  return shell;
}

bool is_program(std::wstring_view path) { return name_matches_pattern(path, L"*.exe"); }

}  // namespace

int shell_execute_open(std::wstring_view, std::wstring_view) { return ENOSYS; }

int shell_open(std::wstring_view path) {
  transcript::shell_open(path);
  if (!path_exists(path)) return ENOENT;
  if (is_program(path)) return shell_execute_open(path, L"");
  return state().opener ? state().opener(host_path(path)) : 0;
}

void set_document_opener(document_opener opener) { state().opener = std::move(opener); }

int open_with_desktop(const std::filesystem::path& host) { return spawn_detached({"xdg-open", host.string()}); }

int start_program(std::wstring_view program) {
  transcript::program_run(program);
  return state().starter ? state().starter(host_path(program)) : 0;
}

void set_program_starter(program_starter starter) { state().starter = std::move(starter); }

int run_host_program(const std::filesystem::path& host) {
  // A path without a slash would be looked up in PATH; a handheld path is always a file.
  const std::string file = host.has_parent_path() ? host.string() : "./" + host.string();
  return spawn_detached({file});
}

}  // namespace platform
