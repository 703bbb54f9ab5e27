// zqtool codebase: list and create codebases in a folder, list a codebase's signals and macros,
// show, store and remove signals. DIR and FILE are host paths; a FILE is opened by the internal
// name under which the catalog of its folder knows it, as the program itself would open it.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/result.h"
#include "codebase_file.h"
#include "codebase_create_command.h"
#include "interchange_commands.h"
#include "ir/codebase_signals.h"
#include "ir/pronto_import.h"
#include "ir/protocols/protocol_registry.h"
#include "ir/protocols/protocol_text.h"
#include "platform/file_system.h"
#include "storage/codebase.h"
#include "storage/codebase_catalog.h"
#include "storage/codebase_writer.h"
#include "storage/database_catalog.h"
#include "storage/database_file.h"
#include "signal_printer.h"
#include "zqtool_commands.h"

namespace zqtool {
namespace {

constexpr const char* kUsage =
    "codebase list DIR\n"
    "       zqtool codebase create DIR NAME [--pattern SKIN:ID] [--archive CATEGORY/BRAND/MODEL [--archive-file FILE]]\n"
    "       zqtool codebase signals FILE\n"
    "       zqtool codebase macros FILE\n"
    "       zqtool codebase show FILE NAME [--reading 1|2] [--decode]\n"
    "       zqtool codebase put-signal FILE NAME [--replace] --carrier P --repeat R DURATION...\n"
    "       zqtool codebase put-signal FILE NAME --pronto TEXT...\n"
    "       zqtool codebase remove FILE NAME\n"
    "       zqtool codebase export FILE --format pronto|flipper|lirc|gc\n"
    "       zqtool codebase import FILE --format pronto|flipper|lirc|mode2|gc INPUT [--name NAME]";

template <typename T>
bool parse_integer(const std::string& text, T& out) {
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, out);
  return !text.empty() && error == std::errc() && ptr == end;
}

// Entries of an index in record order.
std::vector<std::pair<std::uint16_t, std::string_view>> in_record_order(const xman::codebase_index& index) {
  std::vector<std::pair<std::uint16_t, std::string_view>> entries;
  for (const auto& [name, at] : index) entries.emplace_back(at, name);
  std::sort(entries.begin(), entries.end());
  return entries;
}

int list(const arguments& args) {
  if (args.size() != 2) return usage(kUsage);
  xman::database_catalog catalog;
  set_up_folder(catalog, absolute_path(args[1]));
  for (const std::string& name : xman::codebase_catalog(catalog).list(false)) std::printf("%s\n", name.c_str());
  return 0;
}

int list_items(const arguments& args, bool macros) {
  if (args.size() != 2) return usage(kUsage);
  xman::database_catalog catalog;
  std::string name;
  if (const zq::result_t result = locate(args[1], catalog, name); result != zq::rc::ok) return fail(result);
  xman::codebase codebase(catalog);
  if (const zq::result_t result = codebase.open(name); result != zq::rc::ok) return fail(result);
  for (const auto& [index, item] : in_record_order(macros ? codebase.macros() : codebase.signals())) {
    std::printf("%u %.*s\n", static_cast<unsigned>(index), static_cast<int>(item.size()), item.data());
  }
  return 0;
}

int show(const arguments& args) {
  if (args.size() < 3) return usage(kUsage);
  unsigned reading = 0;
  bool decode = false;
  for (std::size_t i = 3; i < args.size(); ++i) {
    if (args[i] == "--decode") {
      decode = true;
    } else if (args[i] == "--reading" && i + 1 < args.size() && (args[i + 1] == "1" || args[i + 1] == "2")) {
      reading = args[++i] == "2" ? 1 : 0;
    } else {
      return usage(kUsage);
    }
  }
  xman::database_catalog catalog;
  std::string name;
  if (const zq::result_t result = locate(args[1], catalog, name); result != zq::rc::ok) return fail(result);
  xman::codebase codebase(catalog);
  if (const zq::result_t result = codebase.open(name); result != zq::rc::ok) return fail(result);
  const int index = codebase.signal_index_of(args[2]);
  if (index <= 0) return fail(zq::rc::not_found);
  redeye::signal_data signal;
  if (const zq::result_t result = redeye::read_signal(codebase, static_cast<std::size_t>(index), reading, signal);
      result != zq::rc::ok) {
    return fail(result);
  }
  std::printf("name: %s\n", args[2].c_str());
  if (decode) {
    if (const auto parameters = redeye::protocols::decode_protocol(signal.durations)) {
      std::printf("protocol: %s\n", redeye::protocols::format_parameters(*parameters).c_str());
    }
  }
  print_signal(signal);
  return 0;
}

int put_signal(const arguments& args) {
  if (args.size() < 3 || args[2].empty()) return usage(kUsage);
  bool replace = false;
  std::optional<std::uint16_t> carrier;
  std::optional<std::uint16_t> repeat;
  redeye::signal_data signal;
  std::optional<std::string> pronto;
  for (std::size_t i = 3; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--pronto") {
      // The rest of the arguments are the Pronto hex words, joined with blanks.
      pronto.emplace();
      for (++i; i < args.size(); ++i) *pronto += (pronto->empty() ? "" : " ") + args[i];
    } else if (arg == "--replace") {
      replace = true;
    } else if (arg == "--carrier" || arg == "--repeat") {
      std::uint16_t value = 0;
      if (i + 1 >= args.size() || !parse_integer(args[i + 1], value)) return usage(kUsage);
      (arg == "--carrier" ? carrier : repeat) = value;
      ++i;
    } else {
      std::int32_t duration = 0;
      if (!parse_integer(arg, duration)) return usage(kUsage);
      signal.durations.push_back(duration);
    }
  }
  if (pronto) {
    // A Pronto code brings its own carrier, repeat index and durations, and always replaces.
    if (carrier || repeat || !signal.durations.empty()) return usage(kUsage);
  } else {
    if (!carrier || !repeat || signal.durations.empty() || signal.durations.size() > 0xFFFF) return usage(kUsage);
    signal.carrier_period = *carrier;
    signal.repeat_index = *repeat;
  }

  xman::database_catalog catalog;
  std::string name;
  if (const zq::result_t result = locate(args[1], catalog, name); result != zq::rc::ok) return fail(result);
  xman::codebase_writer writer(catalog);
  if (const zq::result_t result = writer.open(name); result != zq::rc::ok) return fail(result);
  const zq::result_t stored = pronto ? redeye::import_pronto(writer, args[2], *pronto)
                                    : redeye::put_signal(writer, args[2], signal, replace);
  if (stored != zq::rc::ok) return fail(stored);
  if (const zq::result_t result = writer.save(); result != zq::rc::ok) return fail(result);
  return 0;
}

int remove(const arguments& args) {
  if (args.size() != 3) return usage(kUsage);
  xman::database_catalog catalog;
  std::string name;
  if (const zq::result_t result = locate(args[1], catalog, name); result != zq::rc::ok) return fail(result);
  xman::codebase_writer writer(catalog);
  if (const zq::result_t result = writer.open(name); result != zq::rc::ok) return fail(result);
  const int index = writer.signal_index_of(args[2]);
  if (index <= 0) return fail(zq::rc::not_found);
  if (const zq::result_t result = redeye::delete_signal(writer, static_cast<std::size_t>(index));
      result != zq::rc::ok) {
    return fail(result);
  }
  if (const zq::result_t result = writer.save(); result != zq::rc::ok) return fail(result);
  return 0;
}

}  // namespace

int run_codebase(const arguments& args) {
  if (args.empty()) return usage(kUsage);
  const std::string& command = args[0];
  if (command == "list") return list(args);
  if (command == "create") return create_codebase(args);
  if (command == "signals") return list_items(args, false);
  if (command == "macros") return list_items(args, true);
  if (command == "show") return show(args);
  if (command == "put-signal") return put_signal(args);
  if (command == "remove") return remove(args);
  if (command == "export") return export_codebase(args);
  if (command == "import") return import_codebase(args);
  return usage(kUsage);
}

}  // namespace zqtool
