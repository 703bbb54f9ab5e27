// Plays an input script on the headless backend. The runner is the message queue's idle source:
// whenever the program's loop (or a nested one: a button tracking the stylus, a message box)
// has nothing left to do, painting included, the next command runs. A screenshot therefore
// always shows the screen after everything the earlier commands caused, and a message box that
// is waiting is answered by the line meant for it.
//
// A tap and a key press take two turns (down, then up once the down was handled). The key state
// of a press (the stylus is key 1) ends when its release is due, counting the waits before it, so
// code that watches the key state inside the down message (a transmission while the stylus is
// held) sees the press end on time. When the script ends, or a
// command cannot be carried out, the runner posts the quit message (exit code 0, or 1 after a
// failure) and keeps posting it should any loop wait again.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/headless_script.h"
#include "platform/input_purge.h"

namespace platform::headless {

// What the runner cannot do by itself; an empty hook makes its command fail.
struct script_hooks {
  std::function<void()> resume;                     // the handheld wakes up
  std::function<bool(std::int32_t code)> rotate;    // the display turns; false when refused
};

class script_runner {
 public:
  script_runner(std::vector<script_command> commands, script_hooks hooks);

  // Carries out the next turn; false once the script has ended (quit posted).
  bool step();
  bool finished() const { return finished_; }
  // Input the program could not take while it was busy (a transmission) is not acted upon: the
  // stylus touches (or key presses) of the script that were due by now are dropped.
  void drop_input_made_meanwhile(pending_input_t kind);
  // The command that could not be carried out, if any.
  const std::optional<script_error>& failure() const { return failure_; }

 private:
  void run(const script_command& command);
  void schedule_release(const script_command& press, std::size_t next);
  void fail(const script_command& command, std::string reason);
  void finish(int exit_code);

  std::vector<script_command> commands_;
  std::vector<bool> dropped_;  // per command: dropped as made while the program was busy
  script_hooks hooks_;
  std::size_t next_ = 0;
  std::optional<script_command> second_half_;  // the up of a tap or a key press
  std::uint64_t timeline_ns_ = 0;  // where the script's waits have brought its time
  bool finished_ = false;
  std::optional<script_error> failure_;
};

// Makes the runner the idle source of the calling thread's queue (null removes it). The runner
// must outlive the installation.
void install_script_runner(script_runner* runner);

}  // namespace platform::headless
