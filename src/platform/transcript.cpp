#include "platform/transcript.h"

#include "base/text_conversion.h"
#include "platform/line_log.h"

namespace platform::transcript {

namespace {

line_log& log() {
  static line_log file;
  return file;
}

// A path as one line: a control character (a line break in a path read from a document) would
// start a line of its own, so it becomes '?', which no handheld file name holds.
std::string one_line(std::wstring_view path) {
  std::string out = zq::wide_to_utf8(path);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  return out;
}

}  // namespace

int open(std::wstring_view path) { return log().open(path); }
void close() { log().close(); }
bool is_open() { return log().is_open(); }

std::string quoted(std::wstring_view text) {
  std::string out = "\"";
  for (const char c : zq::wide_to_utf8(text)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': break;
      default: out += c;
    }
  }
  return out + '"';
}

void message_box(message_box_icon_t icon, std::wstring_view text) {
  (void)log().write_line("msgbox " + std::string(message_box_icon_name(icon)) + " " + quoted(text));
}

void answer(message_box_button_t button) {
  (void)log().write_line("answer " + std::string(message_box_button_name(button)));
}

void sound(std::uint32_t id) { (void)log().write_line("sound " + std::to_string(id)); }

void shell_open(std::wstring_view path) { (void)log().write_line("open " + one_line(path)); }

void program_run(std::wstring_view path) { (void)log().write_line("run " + one_line(path)); }

}  // namespace platform::transcript
