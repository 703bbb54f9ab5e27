// zqtool settings: show and change the fields of a settings file ("Zequon.pref"). FILE is a host
// path; `set` on a missing file starts from the defaults. Texts are UTF-8 on the command line;
// recent names are stored in the 8-bit code page.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/result.h"
#include "base/text_conversion.h"
#include "command_options.h"
#include "platform/file_system.h"
#include "storage/settings.h"
#include "zqtool_commands.h"

namespace zqtool {
namespace {

constexpr const char* kUsage =
    "settings show FILE\n"
    "       zqtool settings set FILE FIELD VALUE\n"
    "FIELD: first-run 0|1, sounds 0|1, orientation -1..3, screen-class -1..6, ir-port TEXT,\n"
    "       import-folder TEXT, recent NAME (made most recent), remove-recent NAME";

std::wstring device_file(const std::string& file) { return platform::device_path(std::filesystem::path(file)); }

int show(const std::string& file) {
  xman::settings s(device_file(file));
  if (const zq::result_t result = s.load(); result != zq::rc::ok) return fail(result);
  std::printf("first-run: %d\n", s.first_run() ? 1 : 0);
  for (std::size_t i = 0; i < xman::recent_count; ++i) {
    std::printf("recent %zu: %s\n", i, zq::wide_to_utf8(zq::code_page_to_wide(s.recent_name(i))).c_str());
  }
  std::printf("ir-port: %s\n", zq::wide_to_utf8(s.ir_port()).c_str());
  std::printf("import-folder: %s\n", zq::wide_to_utf8(s.import_folder()).c_str());
  std::printf("orientation: %d\n", static_cast<int>(s.screen_orientation()));
  std::printf("screen-class: %d\n", static_cast<int>(s.screen_class()));
  std::printf("sounds: %d\n", s.use_sounds() ? 1 : 0);
  return 0;
}

bool parse_in(const std::string& text, std::int32_t low, std::int32_t high, std::int32_t& out) {
  return parse_integer(text, out) && out >= low && out <= high;
}

int set(const std::string& file, const std::string& field, const std::string& value) {
  xman::settings s(device_file(file));
  if (const zq::result_t loaded = s.load(); loaded != zq::rc::ok && loaded != ENOENT) return fail(loaded);
  std::int32_t number = 0;
  zq::result_t result = zq::rc::ok;
  if (field == "first-run" && parse_in(value, 0, 1, number)) {
    result = s.set_first_run(number != 0);
  } else if (field == "sounds" && parse_in(value, 0, 1, number)) {
    result = s.set_use_sounds(number != 0);
  } else if (field == "orientation" && parse_in(value, xman::orientation_unset, xman::orientation_max, number)) {
    result = s.set_screen_orientation(number);
  } else if (field == "screen-class" && parse_in(value, xman::screen_class_unset, xman::screen_class_max, number)) {
    result = s.set_screen_class(number);
  } else if (field == "ir-port") {
    result = s.set_ir_port(zq::utf8_to_wide(value));
  } else if (field == "import-folder") {
    result = s.set_import_folder(zq::utf8_to_wide(value));
  } else if (field == "recent") {
    result = s.make_most_recent(zq::wide_to_code_page(zq::utf8_to_wide(value)));
  } else if (field == "remove-recent") {
    result = s.remove_recent(zq::wide_to_code_page(zq::utf8_to_wide(value)));
  } else {
    return usage(kUsage);
  }
  return result == zq::rc::ok ? 0 : fail(result);
}

}  // namespace

int run_settings(const arguments& args) {
  if (args.size() == 2 && args[0] == "show") return show(args[1]);
  if (args.size() == 4 && args[0] == "set") return set(args[1], args[2], args[3]);
  return usage(kUsage);
}

}  // namespace zqtool
