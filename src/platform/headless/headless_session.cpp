#include "platform/headless/headless_session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/display_settings.h"
#include "platform/file_system.h"
#include "platform/headless/headless_backend.h"
#include "platform/ir_trace.h"
#include "platform/transcript.h"
#include "platform/wakeup_programs.h"

namespace platform::headless {

namespace {

const char* variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

// The handheld form of a host path named by the environment.
std::wstring device_form(const char* host) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(host), ec);
  return device_path(ec ? std::filesystem::path(host) : absolute);
}

bool report(const char* name, const std::string& problem) {
  std::fprintf(stderr, "zequon: %s: %s\n", name, problem.c_str());
  return false;
}

bool open_log(const char* name, int (*open)(std::wstring_view)) {
  const char* file = variable(name);
  if (file == nullptr) return true;
  if (const int rc = open(device_form(file)); rc != 0) {
    return report(name, std::string("cannot write ") + file + " (error " + std::to_string(rc) + ")");
  }
  return true;
}

}  // namespace

script_hooks platform_hooks(script_hooks program) {
  script_hooks hooks;
  hooks.resume = [resume = std::move(program.resume)] {
    wake_up();
    if (resume) resume();
  };
  hooks.rotate = [rotate = std::move(program.rotate)](std::int32_t code) {
    display_mode mode{dm_display_orientation, code};
    if (change_display_settings(mode, display_request_t::apply) != display_change::successful) return false;
    return rotate ? rotate(code) : true;
  };
  return hooks;
}

session::session() = default;

session::~session() {
  if (runner_) install_script_runner(nullptr);
}

bool session::start(size screen, script_hooks hooks) {
  if (!headless::start(screen)) return report("ZEQUON_CLOCK", "expected virtual or real");

  std::vector<script_command> commands;
  if (const char* file = variable("ZEQUON_SCRIPT")) {
    std::vector<std::uint8_t> bytes;
    if (const int rc = read_whole_file(device_form(file), bytes); rc != 0) {
      return report("ZEQUON_SCRIPT", std::string("cannot read ") + file + " (error " + std::to_string(rc) + ")");
    }
    script_error error;
    if (!parse_script({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, commands, error)) {
      return report("ZEQUON_SCRIPT", std::string(file) + " line " + std::to_string(error.line) + ": " + error.reason);
    }
  }
  if (!open_log("ZEQUON_TRANSCRIPT", transcript::open) || !open_log("ZEQUON_IR_TRACE", ir_trace::open)) {
    transcript::close();
    return false;
  }
  runner_ = std::make_unique<script_runner>(std::move(commands), platform_hooks(std::move(hooks)));
  install_script_runner(runner_.get());
  return true;
}

int session::finish(int loop_exit) {
  int exit_code = loop_exit;
  if (runner_) {
    install_script_runner(nullptr);
    if (const auto& failure = runner_->failure()) {
      report("ZEQUON_SCRIPT", "line " + std::to_string(failure->line) + ": " + failure->reason);
      exit_code = 1;
    }
    runner_.reset();
  }
  transcript::close();
  ir_trace::close();
  return exit_code;
}

}  // namespace platform::headless
