#include "flipper_archive.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>
#include <vector>

#include "ir/interchange/flipper_ir_conversion.h"
#include "ir/interchange/flipper_ir_reader.h"
#include "ir/protocols/protocol_signal_record.h"
#include "ir/signal_data.h"
#include "platform/file_system.h"

namespace zqtool {
namespace {

namespace fs = std::filesystem;

// Entries of a folder that satisfy keep, sorted by name; empty when it cannot be listed.
template <typename Keep>
std::vector<fs::path> sorted_entries(const fs::path& folder, Keep keep) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (keep(*it)) entries.push_back(it->path());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

bool is_folder(const fs::directory_entry& entry) {
  std::error_code error;
  return entry.is_directory(error);
}

bool is_ir_file(const fs::directory_entry& entry) {
  std::error_code error;
  return entry.is_regular_file(error) && entry.path().extension() == ".ir";
}

std::string layout_name(const std::string& flipper_name) {
  static const std::map<std::string_view, std::string_view> names = {
      {"Vol_up", "Vol+"}, {"Vol_dn", "Vol-"}, {"Ch_next", "Ch+"}, {"Ch_prev", "Ch-"}};
  const auto found = names.find(flipper_name);
  return found == names.end() ? flipper_name : std::string(found->second);
}

// The stored record of one button, or a code.
zq::result_t button_record(const redeye::flipper_ir_signal& button, const std::string& name,
                           std::vector<std::uint8_t>& out) {
  if (button.kind == redeye::flipper_ir_kind_t::parsed) {
    redeye::protocols::protocol_parameters parameters;
    if (const zq::result_t result = redeye::flipper_ir_parameters(button, parameters); result != zq::rc::ok) {
      return result;
    }
    return redeye::protocols::protocol_signal_record(name, parameters, out);
  }
  redeye::signal_data signal;
  if (const zq::result_t result = redeye::flipper_ir_raw_signal(button, signal); result != zq::rc::ok) return result;
  return redeye::encode_signal_record(name, signal, out);
}

// The signals of one file, in file order; a warning for everything left out.
std::vector<std::vector<std::uint8_t>> file_signals(const fs::path& file) {
  std::vector<std::vector<std::uint8_t>> signals;
  std::vector<std::uint8_t> bytes;
  if (platform::read_whole_file(platform::device_path(file), bytes) != 0) {
    std::fprintf(stderr, "warning: %s: cannot be read\n", file.string().c_str());
    return signals;
  }
  std::vector<redeye::flipper_ir_signal> buttons;
  std::size_t line = 0;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (const zq::result_t result = redeye::read_flipper_ir(text, buttons, &line); result != zq::rc::ok) {
    std::fprintf(stderr, "warning: %s:%zu: not a Flipper IR file (%d), skipped\n", file.string().c_str(), line,
                 result);
    return signals;
  }
  std::map<std::string, std::size_t> positions;
  for (const redeye::flipper_ir_signal& button : buttons) {
    const std::string name = layout_name(button.name);
    std::vector<std::uint8_t> record;
    if (const zq::result_t result = button_record(button, name, record); result != zq::rc::ok) {
      const std::string what = button.kind == redeye::flipper_ir_kind_t::parsed ? button.protocol : "raw";
      std::fprintf(stderr, "warning: %s: %s (%s): skipped (%d)\n", file.string().c_str(), button.name.c_str(),
                   what.c_str(), result);
      continue;
    }
    if (const auto known = positions.find(name); known != positions.end()) {
      signals[known->second] = std::move(record);
    } else {
      positions.emplace(name, signals.size());
      signals.push_back(std::move(record));
    }
  }
  return signals;
}

// The index of name in names, appended when missing.
std::uint16_t intern(std::vector<std::string>& names, const std::string& name) {
  auto found = std::find(names.begin(), names.end(), name);
  if (found == names.end()) found = names.insert(names.end(), name);
  return static_cast<std::uint16_t>(found - names.begin());
}

}  // namespace

zq::result_t flipper_archive_content(const std::string& folder, xman::ir_archive_content& out) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return zq::rc::not_found;
  xman::ir_archive_content content;
  for (const fs::path& category : sorted_entries(folder, is_folder)) {
    for (const fs::path& brand : sorted_entries(category, is_folder)) {
      for (const fs::path& file : sorted_entries(brand, is_ir_file)) {
        std::vector<std::vector<std::uint8_t>> signals = file_signals(file);
        if (signals.empty()) {
          std::fprintf(stderr, "warning: %s: no signal, model skipped\n", file.string().c_str());
          continue;
        }
        // Identifiers are 16-bit; the writer checks the record numbers.
        if (content.categories.size() >= 0xFFFF || content.brands.size() >= 0xFFFF) {
          return zq::rc::ir_archive_too_large;
        }
        xman::ir_archive_content::model model;
        model.category = intern(content.categories, category.filename().string());
        model.brand = intern(content.brands, brand.filename().string());
        model.name = file.stem().string();
        model.signals = std::move(signals);
        content.models.push_back(std::move(model));
      }
    }
  }
  if (content.models.empty()) return zq::rc::ir_archive_empty;
  out = std::move(content);
  return zq::rc::ok;
}

}  // namespace zqtool
