// zqtool archive: build an IR archive from its source text or from a folder of Flipper ".ir"
// files, and browse one by category, brand and model as the Add Device wizard does.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "flipper_archive.h"
#include "ir/archive_source.h"
#include "ir/protocols/protocol_registry.h"
#include "ir/protocols/protocol_text.h"
#include "ir/signal_data.h"
#include "platform/file_system.h"
#include "storage/codebase_record.h"
#include "storage/ir_archive.h"
#include "storage/ir_archive_writer.h"
#include "tool_input.h"
#include "zqtool_commands.h"

namespace zqtool {
namespace {

constexpr const char* kUsage =
    "archive build SOURCE OUT.pdb\n"
    "       zqtool archive build --from-flipper DIR OUT.pdb\n"
    "       zqtool archive show FILE [CATEGORY [BRAND [MODEL]]]";

int store(const std::string& out, const xman::ir_archive_content& content) {
  const zq::result_t result = xman::store_ir_archive(platform::device_path(std::filesystem::path(out)), content);
  if (result != zq::rc::ok) return fail(result);
  std::size_t signals = 0;
  for (const auto& model : content.models) signals += model.signals.size();
  std::printf("categories: %zu\nbrands: %zu\nmodels: %zu\nsignals: %zu\n", content.categories.size(),
              content.brands.size(), content.models.size(), signals);
  return 0;
}

int build(const arguments& args) {
  if (args.size() == 4 && args[1] == "--from-flipper") {
    xman::ir_archive_content content;
    if (const zq::result_t result = flipper_archive_content(args[2], content); result != zq::rc::ok) {
      return fail(result);
    }
    return store(args[3], content);
  }
  if (args.size() != 3) return usage(kUsage);
  std::vector<std::uint8_t> bytes;
  if (const int error = read_input(args[1], bytes); error != 0) {
    std::fprintf(stderr, "%s: cannot be read\n", args[1].c_str());
    return fail(zq::rc::not_found);
  }
  xman::ir_archive_content content;
  redeye::archive_source_error error;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (const zq::result_t result = redeye::compile_archive_source(text, content, &error); result != zq::rc::ok) {
    std::fprintf(stderr, "%s:%zu: %s\n", args[1].c_str(), error.line, error.message.c_str());
    return fail(result);
  }
  return store(args[2], content);
}

// The index of name in names, or -1.
int index_of(const std::vector<std::string>& names, const std::string& name) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int>(i);
  }
  return -1;
}

int not_in_archive(const char* what, const std::string& name) {
  std::fprintf(stderr, "no %s \"%s\" in the archive\n", what, name.c_str());
  return fail(zq::rc::ir_archive_signal_not_found);
}

void print_lines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
}

// One line per signal: its name, then the protocol text when a decoder recognises the first
// reading, else its carrier period and duration count; and its number of readings.
void print_signal_line(std::span<const std::uint8_t> record) {
  const std::string_view name = xman::classify_codebase_record(record).name;
  redeye::signal_data signal;
  std::string description = "unreadable";
  if (redeye::decode_signal_record(record, 0, signal) == zq::rc::ok) {
    const auto decoded = redeye::protocols::decode_protocol(signal.durations);
    description = decoded ? redeye::protocols::format_parameters(*decoded)
                          : "raw carrier " + std::to_string(signal.carrier_period) + " count " +
                                std::to_string(signal.count()) + " repeat " + std::to_string(signal.repeat_index);
  }
  std::printf("%.*s: %s (readings %u)\n", static_cast<int>(name.size()), name.data(), description.c_str(),
              redeye::signal_reading_count(record));
}

int show(const arguments& args) {
  if (args.size() < 2 || args.size() > 5) return usage(kUsage);
  xman::ir_archive archive;
  if (const zq::result_t result = archive.open_file(platform::device_path(std::filesystem::path(args[1])));
      result != zq::rc::ok) {
    return fail(result);
  }
  if (args.size() == 2) {
    std::printf("categories: %zu\nmodels: %zu\n", archive.categories().size(), archive.all_models().size());
    for (const std::string& category : archive.categories()) std::printf("category: %s\n", category.c_str());
    return 0;
  }
  const int category = index_of(archive.categories(), args[2]);
  if (category < 0) return not_in_archive("category", args[2]);
  const std::vector<std::string> brands = archive.brands(category);
  if (args.size() == 3) {
    print_lines(brands);
    return 0;
  }
  const int brand = index_of(brands, args[3]);
  if (brand < 0) return not_in_archive("brand", args[3]);
  const std::vector<std::string> models = archive.models(brand);
  if (args.size() == 4) {
    print_lines(models);
    return 0;
  }
  const int model = index_of(models, args[4]);
  if (model < 0) return not_in_archive("model", args[4]);
  for (const std::span<const std::uint8_t> record : archive.model_signals(model)) print_signal_line(record);
  return 0;
}

}  // namespace

int run_archive(const arguments& args) {
  if (!args.empty() && args[0] == "build") return build(args);
  if (!args.empty() && args[0] == "show") return show(args);
  return usage(kUsage);
}

}  // namespace zqtool
