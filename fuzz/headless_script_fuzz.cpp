// Parses arbitrary bytes as a headless input script. A refusal names a line within the text and
// leaves no commands; an acceptance gives commands whose lines rise and whose arguments keep to
// the limits the runner relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/headless/headless_script.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace platform::headless;
  // A copy of exactly the input's size, so that any read past the end is caught.
  const std::vector<char> text(data, data + size);
  const std::string_view view(text.data(), text.size());
  std::size_t line_count = 1;
  for (const char c : view) line_count += c == '\n' ? 1 : 0;

  std::vector<script_command> commands;
  script_error error;
  if (!parse_script(view, commands, error)) {
    check(commands.empty());
    check(error.line <= line_count);
    check(!error.reason.empty());
    return 0;
  }
  std::uint32_t last_line = 0;
  for (const script_command& c : commands) {
    check(c.line > last_line && c.line <= line_count);
    last_line = c.line;
    check(c.at.x >= 0 && c.at.y >= 0 && c.at.x <= max_script_coordinate && c.at.y <= max_script_coordinate);
    check(c.ms <= max_script_wait_ms);
    check(c.orientation == 0 || c.orientation == 1 || c.orientation == 2 || c.orientation == 4);
    if (c.op == script_op_t::shot) check(c.file.size() > 4 && c.file.ends_with(".png"));
  }
  return 0;
}
