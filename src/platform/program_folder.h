// The program folder: the folder of the running program's executable. The data a program ships
// with (the IR archive, the skin libraries) lie there.
#pragma once

#include <string>

namespace platform {

// As a handheld path (see file_system.h); the current folder when the executable cannot be found.
std::wstring program_folder();
// The running program's file, as a handheld path; empty when it cannot be found.
std::wstring program_file();

}  // namespace platform
