#include "platform/ir_trace.h"

#include "platform/line_log.h"

namespace platform::ir_trace {

namespace {

line_log& log() {
  static line_log file;
  return file;
}

}  // namespace

int open(std::wstring_view path) { return log().open(path); }
void close() { log().close(); }
bool is_open() { return log().is_open(); }

std::string transmission_text(std::span<const std::int32_t> durations, unsigned passes) {
  std::string text = "# send";
  if (passes > 0) text += " " + std::to_string(passes) + (passes == 1 ? " pass" : " passes");
  text += "\n";
  for (const std::int32_t d : durations) {
    if (d > 0) {
      text += "pulse " + std::to_string(d) + "\n";
    } else if (d < 0) {
      text += "space " + std::to_string(-static_cast<std::int64_t>(d)) + "\n";
    }
  }
  return text;
}

void transmission(std::span<const std::int32_t> durations, unsigned passes) {
  if (!log().is_open()) return;
  std::string text = transmission_text(durations, passes);
  text.pop_back();  // write_line ends the last line
  (void)log().write_line(text);
}

}  // namespace platform::ir_trace
