// Starting a host program without waiting for it and without a shell: the arguments are passed as
// they are, never interpreted. The program runs detached (its parent exits at once and is reaped),
// so no zombie stays behind.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Runs argv[0] (looked up in PATH when it has no slash) with argv. 0 once the program runs, or the
// error number of the failed start (ENOENT for a missing program).
[[nodiscard]] int spawn_detached(const std::vector<std::string>& argv);

}  // namespace platform
