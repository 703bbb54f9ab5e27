// zqtool codebase export writes every signal of a codebase to standard output in another IR
// tool's format; zqtool codebase import stores every signal of such a file in a codebase,
// replacing signals of the same name, and saves the codebase all-or-nothing. A single code
// (Pronto, sendir) and a mode2 capture are named with --name, or after the input file.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "codebase_file.h"
#include "interchange_commands.h"
#include "ir/interchange/codebase_interchange.h"
#include "ir/interchange/flipper_ir_import.h"
#include "ir/interchange/flipper_ir_writer.h"
#include "ir/interchange/gc_sendir.h"
#include "ir/interchange/lircd_conf.h"
#include "ir/interchange/mode2_text.h"
#include "ir/interchange/pronto_hex_list.h"
#include "storage/codebase.h"
#include "storage/codebase_writer.h"
#include "storage/database_catalog.h"
#include "tool_input.h"

namespace zqtool {
namespace {

// Inputs larger than this are refused before reading them as text.
constexpr std::size_t largest_input = 64u << 20;

int fail_with_signal(zq::result_t code, const std::string& name) {
  std::fprintf(stderr, "error: %d (signal \"%s\")\n", static_cast<int>(code), name.c_str());
  return 1;
}

}  // namespace

int export_codebase(const arguments& args) {
  if (args.size() != 4 || args[2] != "--format") return usage(interchange_usage);
  const std::string& format = args[3];
  if (format != "pronto" && format != "lirc" && format != "gc" && format != "flipper") return usage(interchange_usage);
  xman::database_catalog catalog;
  std::string name;
  if (const zq::result_t result = locate(args[1], catalog, name); result != zq::rc::ok) return fail(result);
  xman::codebase codebase(catalog);
  if (const zq::result_t result = codebase.open(name); result != zq::rc::ok) return fail(result);
  std::vector<redeye::named_signal> signals;
  std::string failed_name;
  if (const zq::result_t result = redeye::codebase_named_signals(codebase, signals, failed_name);
      result != zq::rc::ok) {
    return fail_with_signal(result, failed_name);
  }
  const redeye::interchange_write written = format == "pronto"    ? redeye::write_pronto_list(signals)
                                            : format == "gc"      ? redeye::write_gc_sendir_list(signals)
                                            : format == "flipper" ? redeye::write_flipper_ir(signals)
                                                                  : redeye::write_lircd_conf(name, signals);
  if (written.code != zq::rc::ok) return fail_with_signal(written.code, written.failed_name);
  std::fwrite(written.text.data(), 1, written.text.size(), stdout);
  return std::ferror(stdout) != 0 ? fail(5) : 0;
}

int import_codebase(const arguments& args) {
  if ((args.size() != 5 && args.size() != 7) || args[2] != "--format") return usage(interchange_usage);
  const std::string& format = args[3];
  const std::string& input = args[4];
  std::optional<std::string> given_name;
  if (args.size() == 7) {
    if (args[5] != "--name") return usage(interchange_usage);
    given_name = args[6];
  }
  if (format != "pronto" && format != "lirc" && format != "gc" && format != "mode2" && format != "flipper") {
    return usage(interchange_usage);
  }
  const std::string default_name = given_name ? *given_name : std::filesystem::path(input).stem().string();

  std::vector<std::uint8_t> bytes;
  if (const int error = read_input(input, bytes); error != 0) return fail(zq::rc::not_found);
  if (bytes.size() > largest_input) return fail(zq::rc::interchange_too_large);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const redeye::interchange_read read = format == "pronto"    ? redeye::read_pronto_list(text, default_name)
                                        : format == "gc"      ? redeye::read_gc_sendir_list(text, default_name)
                                        : format == "mode2"   ? redeye::read_mode2(text, default_name)
                                        : format == "flipper" ? redeye::read_flipper_ir_signals(text)
                                                              : redeye::read_lircd_conf(text);
  if (read.code != zq::rc::ok) {
    if (!read.failed_name.empty()) return fail_with_signal(read.code, read.failed_name);
    if (read.line == 0) return fail(read.code);
    std::fprintf(stderr, "error: %d (line %zu)\n", static_cast<int>(read.code), read.line);
    return 1;
  }

  xman::database_catalog catalog;
  std::string name;
  if (const zq::result_t result = locate(args[1], catalog, name); result != zq::rc::ok) return fail(result);
  xman::codebase_writer writer(catalog);
  if (const zq::result_t result = writer.open(name); result != zq::rc::ok) return fail(result);
  std::string failed_name;
  if (const zq::result_t result = redeye::store_named_signals(writer, read.signals, failed_name);
      result != zq::rc::ok) {
    return fail_with_signal(result, failed_name);
  }
  if (const zq::result_t result = writer.save(); result != zq::rc::ok) return fail(result);
  return 0;
}

}  // namespace zqtool
