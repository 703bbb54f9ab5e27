// Starting another program or opening a document the way the handheld's shell does: with the verb
// "open", without a window and without waiting.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace platform {

// Starts program (a handheld path) with the parameters as its command line. 0, or an error
// number when it could not be started. The Linux host has none of the handheld's helper
// programs (such as the infrared beaming program), so here it always reports ENOSYS.
[[nodiscard]] int shell_execute_open(std::wstring_view program, std::wstring_view parameters);

// Opens a path with the verb "open": a program (".exe") is started as above, a document is shown
// by the program the desktop associates with it. Every request is written to the transcript
// ("open PATH"). A missing path is ENOENT. Without a document opener (headless) a document's open
// is only written down and succeeds.
[[nodiscard]] int shell_open(std::wstring_view path);

// How the desktop shows a document (a host path): 0 or an error number. Empty: none.
using document_opener = std::function<int(const std::filesystem::path& host)>;
void set_document_opener(document_opener opener);
// The desktop's opener: the host's xdg-open, started without a shell.
int open_with_desktop(const std::filesystem::path& host);

// Starts a program without parameters as the system does for an event it was registered for:
// written to the transcript ("run PATH"), then started by the program starter when a backend
// installed one (the desktop runs the host program), else only written down (headless).
[[nodiscard]] int start_program(std::wstring_view program);
using program_starter = std::function<int(const std::filesystem::path& host)>;
void set_program_starter(program_starter starter);
// The desktop's starter: runs the host program at the path.
int run_host_program(const std::filesystem::path& host);

}  // namespace platform
