// Functions of the system libraries found by library and export name, the way the program finds
// the shell's hot-key release function ("UnregisterFunc1" in "coredll.dll"). A device without an
// export answers null; a test can take an export away to be such a device.
#pragma once

#include <string_view>

namespace platform {

using system_proc = void (*)();

// Library names compare without case; export names exactly. Null when there is no such export.
system_proc find_system_export(std::string_view library, std::string_view export_name);
void set_system_export_available(std::string_view export_name, bool available);

}  // namespace platform
