// Reading a command's input file, or standard input for "-".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zqtool {

// The bytes of a file (a host path), or of standard input for "-". 0 or the system's error number.
[[nodiscard]] int read_input(const std::string& path, std::vector<std::uint8_t>& out);

}  // namespace zqtool
