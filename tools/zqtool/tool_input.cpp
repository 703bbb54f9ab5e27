#include "tool_input.h"

#include <cstdio>

#include "platform/file_system.h"

namespace zqtool {

int read_input(const std::string& path, std::vector<std::uint8_t>& out) {
  out.clear();
  if (path != "-") return platform::read_whole_file(platform::device_path(path), out);
  std::uint8_t chunk[65536];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
    out.insert(out.end(), chunk, chunk + got);
    if (got < sizeof chunk) return std::ferror(stdin) != 0 ? 5 : 0;
  }
}

}  // namespace zqtool
