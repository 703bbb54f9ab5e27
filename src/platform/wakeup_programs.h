// The programs the system starts whenever the handheld wakes up from suspend, as the handheld's
// run-at-event registration keeps them. The registrations outlive the program that made them: they
// are kept in a small file beside the named objects (named_mutex.h: the user's runtime folder, so
// any user may register), one UTF-8 path per line, replaced all-or-nothing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The file holding the registrations (a handheld path).
std::wstring wakeup_programs_file();
// Longest path kept, as the handheld's paths are limited.
inline constexpr std::size_t max_wakeup_program_path = 260;

// Registers program to run at every wake-up; registering it again changes nothing (paths are
// compared without regard to case). 0 or the file seam's error.
[[nodiscard]] int register_wakeup_program(std::wstring_view program);
// Removes program's registration; one that does not exist is success.
[[nodiscard]] int clear_wakeup_program(std::wstring_view program);
// The registered programs in the order of registration; none when the file is missing.
[[nodiscard]] int wakeup_programs(std::vector<std::wstring>& programs);

// The registrations in the file's bytes: blank, over-long and not UTF-8 lines and repeats are
// skipped.
std::vector<std::wstring> parse_wakeup_programs(std::span<const std::uint8_t> bytes);

// The wake-up event: every registered program is started (start_program, shell_execute.h).
// Backends call it when the handheld resumes.
void wake_up();

}  // namespace platform
