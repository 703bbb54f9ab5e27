// zqtool profile: the room kept in a main profile or a saved preference, in its text form (see
// room_text.h). FILE and TEXT are host paths; TEXT "-" reads standard input.
//   zqtool profile show FILE [--codebases DIR]   the room as the program reads it; with DIR, hot
//                                                buttons of codebases not in DIR are cleared
//   zqtool profile put FILE TEXT [--preference NAME]
//                                                writes a main profile (or a preference of that
//                                                name) holding the room the text describes
#include <cstdio>
#include <string>
#include <vector>

#include "codebase_file.h"
#include "command_options.h"
#include "platform/file_system.h"
#include "room_text.h"
#include "storage/codebase_catalog.h"
#include "storage/database_catalog.h"
#include "storage/database_file.h"
#include "storage/main_profile.h"
#include "storage/room_document.h"
#include "tool_input.h"
#include "zqtool_commands.h"

namespace zqtool {
namespace {

constexpr const char* kUsage =
    "profile show FILE [--codebases DIR]\n"
    "       zqtool profile put FILE TEXT [--preference NAME]";

int show(const arguments& args) {
  command_options options;
  if (!read_command_options(args, 1, {"--codebases"}, {}, options) || options.positional.size() != 1) {
    return usage(kUsage);
  }
  xman::database_catalog catalog;
  const std::optional<std::string> folder = options.value("--codebases");
  if (folder) set_up_folder(catalog, absolute_path(*folder));
  const xman::codebase_catalog codebases(catalog);

  std::vector<std::uint8_t> document;
  const std::wstring path = platform::device_path(absolute_path(options.positional[0]));
  if (const zq::result_t result = xman::read_first_record(path, document); result != zq::rc::ok) {
    return fail(result);
  }
  remote::room_state room;
  if (const zq::result_t result = xman::read_room_document(document, room, folder ? &codebases : nullptr);
      result != zq::rc::ok) {
    return fail(result);
  }
  std::fputs(format_room(room).c_str(), stdout);
  return 0;
}

int put(const arguments& args) {
  command_options options;
  if (!read_command_options(args, 1, {"--preference"}, {}, options) || options.positional.size() != 2) {
    return usage(kUsage);
  }
  const std::string& text_path = options.positional[1];
  std::vector<std::uint8_t> text;
  if (const int rc = read_input(text_path, text); rc != 0) return fail(rc);
  remote::room_state room;
  room_text_error error;
  if (!parse_room(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), room, error)) {
    std::fprintf(stderr, "%s:%zu: %s\n", text_path.c_str(), error.line, error.message.c_str());
    return 1;
  }
  std::vector<std::uint8_t> document;
  if (const zq::result_t result = xman::write_room_document(room, document); result != zq::rc::ok) {
    return fail(result);
  }
  const std::wstring path = platform::device_path(absolute_path(options.positional[0]));
  const std::span<const std::uint8_t> records[] = {document};
  const std::optional<std::string> preference = options.value("--preference");
  const zq::result_t result =
      preference ? xman::store_database_file(path, *preference, xman::kCreator, xman::kTypePreferences, 0, records)
                 : xman::store_database_file(path, xman::kMainProfileName, xman::kCreator,
                                             xman::kTypeMainProfile, 0, records);
  return result == zq::rc::ok ? 0 : fail(result);
}

}  // namespace

int run_profile(const arguments& args) {
  if (!args.empty() && args[0] == "show") return show(args);
  if (!args.empty() && args[0] == "put") return put(args);
  return usage(kUsage);
}

}  // namespace zqtool
