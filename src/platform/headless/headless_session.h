// A headless run of a program as the environment describes it:
//
//   ZEQUON_CLOCK=virtual|real   virtual time unless "real"
//   ZEQUON_SCRIPT=FILE          the input script (without one the program quits once it is idle)
//   ZEQUON_TRANSCRIPT=FILE      message boxes, answers, sounds and shell opens, one line each
//   ZEQUON_IR_TRACE=FILE        every infrared transmission as pulse/space lines
//
// The program creates its windows after start() and then runs its message loop; the script plays
// whenever the loop is idle. Problems are reported on standard error, naming the variable.
#pragma once

#include <memory>

#include "platform/geometry.h"
#include "platform/headless/headless_script_runner.h"

namespace platform::headless {

// The hooks a session plays its script with: "resume" runs the wake-up programs
// (wakeup_programs.h), "rotate" turns the display (display_settings.h) and fails when the code is
// refused; the program's own hooks, when given, follow.
script_hooks platform_hooks(script_hooks program);

class session {
 public:
  session();
  ~session();
  session(const session&) = delete;
  session& operator=(const session&) = delete;

  // The clock, the screen, the files and the script, played with platform_hooks(hooks). False
  // after a problem was reported.
  bool start(size screen, script_hooks hooks = {});
  // The program's exit code once its loop ended with loop_exit: 1 when the script failed (the
  // failing line is reported). Closes the files and removes the script.
  int finish(int loop_exit);

 private:
  std::unique_ptr<script_runner> runner_;
};

}  // namespace platform::headless
