// zqtool meta: the text form of binary documents.
//   zqtool meta dump FILE                         prints the text form (FILE "-" reads standard input)
//   zqtool meta compile [--names] TEXTFILE OUTFILE
//                                                 writes the document a text describes; --names
//                                                 numbers the names and puts the names table first
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "storage/file_replacement.h"
#include "storage/meta_exception.h"
#include "storage/meta_text.h"
#include "tool_input.h"
#include "zqtool_commands.h"

namespace zqtool {
namespace {

constexpr const char* meta_usage = "meta dump FILE | meta compile [--names] TEXTFILE OUTFILE";

int dump_command(const arguments& args) {
  if (args.size() != 2) return usage(meta_usage);
  std::vector<std::uint8_t> document;
  if (const int rc = read_input(args[1], document); rc != 0) return fail(rc);
  std::string text;
  if (meta::dump(document, text) != 0) {
    std::fprintf(stderr, "%s\n", meta::parse_exception().what());
    return 1;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int compile_command(const arguments& args) {
  meta::compile_options options;
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--names") {
      options.index_names = true;
    } else {
      paths.push_back(args[i]);
    }
  }
  if (paths.size() != 2) return usage(meta_usage);
  std::vector<std::uint8_t> source;
  if (const int rc = read_input(paths[0], source); rc != 0) return fail(rc);
  const std::string_view text(reinterpret_cast<const char*>(source.data()), source.size());
  std::vector<std::uint8_t> document;
  meta::text_error error;
  if (meta::compile(text, options, document, error) != 0) {
    std::fprintf(stderr, "%s:%zu: %s\n", paths[0].c_str(), error.line, error.message.c_str());
    return 1;
  }
  // The sibling-and-rename write leaves the old file or the new one, never a torn one.
  if (const int rc = xman::replace_file(platform::device_path(paths[1]), document); rc != 0) return fail(rc);
  return 0;
}

}  // namespace

int run_meta(const arguments& args) {
  if (args.empty()) return usage(meta_usage);
  if (args[0] == "dump") return dump_command(args);
  if (args[0] == "compile") return compile_command(args);
  return usage(meta_usage);
}

}  // namespace zqtool
