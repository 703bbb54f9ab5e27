// zqtool macro: list a codebase's macro as the macro editor shows it, write a macro from items
// given as words, and play a macro on a simulated handheld (the real player, pipeline and driver on
// the virtual clock), printing what it does.
//
// Items of put, one after the other:
//   signal NAME [base CODEBASE] [repeat N|once] [time MS]   send a signal (N: 0 three passes)
//   macro NAME [base CODEBASE]                              run a macro (NAME with or without "$")
//   delay MS                                                wait
//   action TEXT                                             an application command ("@page:2")
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "codebase_file.h"
#include "command_options.h"
#include "ir/context.h"
#include "ir/disassembler.h"
#include "ir/driver_registry.h"
#include "ir/macro_player.h"
#include "ir/macro_reader.h"
#include "ir/macro_writer.h"
#include "ir/transmit_time.h"
#include "simulated_processor.h"
#include "simulated_session.h"
#include "storage/codebase.h"
#include "storage/codebase_writer.h"
#include "storage/database_catalog.h"
#include "zqtool_commands.h"

namespace zqtool {

namespace {

constexpr const char* kUsage =
    "macro show FILE NAME\n"
    "       zqtool macro put FILE NAME ITEM...\n"
    "       zqtool macro play FILE NAME --sim CPU [--continue 0|1]\n"
    "ITEM:  signal NAME [base CODEBASE] [repeat N|once] [time MS] | macro NAME [base CODEBASE] | delay MS |\n"
    "       action TEXT";

std::string_view without_dollar(std::string_view name) {
  if (name.starts_with('$')) name.remove_prefix(1);
  return name;
}

// A pass count, transmit time or delay: 0..0xFFFF.
bool parse_number(const std::string& text, std::int32_t& out) {
  std::uint16_t number = 0;
  if (!parse_integer(text, number)) return false;
  out = number;
  return true;
}

// The items of put from args[first] on; nothing for words that do not make items.
std::optional<std::vector<redeye::macro_item>> parse_items(const arguments& args, std::size_t first) {
  std::vector<redeye::macro_item> items;
  std::size_t i = first;
  const auto next = [&]() -> const std::string* { return i < args.size() ? &args[i++] : nullptr; };
  while (i < args.size()) {
    const std::string& word = args[i++];
    const std::string* operand = next();
    if (operand == nullptr) return std::nullopt;
    redeye::macro_item item;
    if (word == "delay") {
      item.type = redeye::macro_item_type_t::delay;
      if (!parse_number(*operand, item.time)) return std::nullopt;
    } else if (word == "action") {
      item.type = redeye::macro_item_type_t::action;
      item.name = *operand;
    } else if (word == "signal" || word == "macro") {
      const bool signal = word == "signal";
      item.name = signal ? *operand : "$" + std::string(without_dollar(*operand));
      if (item.name.empty() || item.name == "$") return std::nullopt;
      while (i + 1 < args.size() &&
             (args[i] == "base" || (signal && (args[i] == "repeat" || args[i] == "time")))) {
        const std::string& key = args[i];
        const std::string& value = args[i + 1];
        i += 2;
        if (key == "base") {
          item.base = value;
        } else if (key == "time") {
          if (!parse_number(value, item.time)) return std::nullopt;
        } else if (value == "once") {
          item.repeat = redeye::passes_once;
        } else if (!parse_number(value, item.repeat)) {
          return std::nullopt;
        }
      }
    } else {
      return std::nullopt;
    }
    items.push_back(std::move(item));
  }
  return items;
}

int show(const arguments& args) {
  if (args.size() != 3) return usage(kUsage);
  xman::database_catalog catalog;
  std::string internal;
  if (const zq::result_t rc = locate(args[1], catalog, internal); rc != zq::rc::ok) return fail(rc);
  xman::codebase codebase(catalog);
  if (const zq::result_t rc = codebase.open(internal); rc != zq::rc::ok) return fail(rc);
  const int index = codebase.macro_index_of(without_dollar(args[2]));
  if (index <= 0) return fail(zq::rc::not_found);
  std::vector<redeye::macro_item> items;
  if (const zq::result_t rc = redeye::read_macro(codebase.record(static_cast<std::size_t>(index)), items);
      rc != zq::rc::ok) {
    return fail(rc);
  }
  for (const redeye::macro_item& item : items) std::printf("%s\n", redeye::disassembler::disassemble(item).c_str());
  return 0;
}

int put(const arguments& args) {
  if (args.size() < 3) return usage(kUsage);
  const std::optional<std::vector<redeye::macro_item>> items = parse_items(args, 3);
  if (!items) return usage(kUsage);
  std::vector<std::uint8_t> record;
  if (const zq::result_t rc = redeye::write_macro(*items, args[2], record); rc != zq::rc::ok) return fail(rc);

  xman::database_catalog catalog;
  std::string internal;
  if (const zq::result_t rc = locate(args[1], catalog, internal); rc != zq::rc::ok) return fail(rc);
  xman::codebase_writer codebase(catalog);
  if (const zq::result_t rc = codebase.open(internal); rc != zq::rc::ok) return fail(rc);
  codebase.put_macro(without_dollar(args[2]), record);
  if (const zq::result_t rc = codebase.save(); rc != zq::rc::ok) return fail(rc);
  return 0;
}

void print_error(const redeye::error_t& error) {
  std::printf("error %u %d\n", static_cast<unsigned>(error.category), static_cast<int>(error.code));
}

int play(const arguments& args) {
  command_options options;
  if (!read_command_options(args, 1, {"--sim", "--continue"}, {}, options) || options.positional.size() != 2 ||
      !options.has("--sim")) {
    return usage(kUsage);
  }
  bool continue_after_error = true;
  if (const auto text = options.value("--continue")) {
    if (*text != "0" && *text != "1") return usage(kUsage);
    continue_after_error = *text == "1";
  }
  const std::optional<hwsim::device_description> description = simulated_processor(*options.value("--sim"));
  if (!description) {
    std::fprintf(stderr, "zqtool: no simulated processor %s\n", options.value("--sim")->c_str());
    return usage(kUsage);
  }

  xman::database_catalog catalog;
  std::string internal;
  if (const zq::result_t rc = locate(options.positional[0], catalog, internal); rc != zq::rc::ok) return fail(rc);
  xman::codebase codebase(catalog);
  if (const zq::result_t rc = codebase.open(internal); rc != zq::rc::ok) return fail(rc);
  if (!codebase.has_macro(without_dollar(options.positional[1]))) return fail(zq::rc::not_found);

  simulated_session session(*description);
  redeye::CIrDrvr* driver = redeye::get_driver();
  if (driver != nullptr) driver->set_port_name(description->ir_port_name);

  redeye::context ctx;
  ctx.catalog = &catalog;
  ctx.use_codebase(codebase);
  ctx.transmitted = [driver](const redeye::context& sent) {
    std::printf("send %s/%s passes %u\n", std::string(sent.codebase_name()).c_str(), sent.sending.name.c_str(),
                driver->passes_played());
  };
  ctx.pausing = [](std::uint32_t ms) { std::printf("delay %u\n", static_cast<unsigned>(ms)); };
  ctx.action = [](redeye::context&, std::string_view command, redeye::error_t&) {
    std::printf("action %.*s\n", static_cast<int>(command.size()), command.data());
  };
  // Called for each failed step when the macro goes on after errors.
  ctx.on_error = [](redeye::context& failed) {
    print_error(failed.error);
    failed.error.clear();
  };

  ctx.find_macro(options.positional[1]);
  redeye::play_macro(ctx, redeye::macro_start_depth, continue_after_error);
  if (!ctx.error.failed()) return 0;
  // Without the continue flag the first error stopped the macro.
  print_error(ctx.error);
  return 1;
}

}  // namespace

int run_macro(const arguments& args) {
  if (args.empty()) return usage(kUsage);
  if (args[0] == "show") return show(args);
  if (args[0] == "put") return put(args);
  if (args[0] == "play") return play(args);
  return usage(kUsage);
}

}  // namespace zqtool
