// Starting another program the way the handheld's shell does: open a program file with a
// parameter string, without a window and without waiting for it.
#pragma once

#include <string_view>

namespace platform {

// Starts program (a handheld path) with the parameters as its command line. 0, or an error
// number when it could not be started. The Linux host has none of the handheld's helper
// programs (such as the infrared beaming program), so here it always reports ENOSYS.
[[nodiscard]] int shell_execute_open(std::wstring_view program, std::wstring_view parameters);

}  // namespace platform
