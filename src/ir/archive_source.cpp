#include "ir/archive_source.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "base/text_words.h"
#include "ir/pronto_parser.h"
#include "ir/protocols/protocol_signal_record.h"
#include "ir/protocols/protocol_text.h"
#include "ir/signal_data.h"

namespace redeye {
namespace {

// The line without its comment: "#" at the start or after a blank.
std::string_view strip_comment(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return line.substr(0, i);
  }
  return line;
}

// The first word and the rest of the line after it.
std::pair<std::string_view, std::string_view> split_keyword(std::string_view line) {
  const std::size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos) return {line, {}};
  return {line.substr(0, blank), zq::trim_blanks(line.substr(blank))};
}

// "NAME = VALUE" with both sides non-empty.
std::optional<std::pair<std::string_view, std::string_view>> split_assignment(std::string_view text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view name = zq::trim_blanks(text.substr(0, equals));
  const std::string_view value = zq::trim_blanks(text.substr(equals + 1));
  if (name.empty() || value.empty()) return std::nullopt;
  return std::make_pair(name, value);
}

template <typename T>
bool parse_whole(std::string_view word, T& out) {
  const char* end = word.data() + word.size();
  const auto [ptr, error] = std::from_chars(word.data(), end, out);
  return !word.empty() && error == std::errc() && ptr == end;
}

// "raw HZ [repeat N] DURATIONS": the signal, or a message.
std::optional<std::string> read_raw(std::string_view text, signal_data& out) {
  const std::vector<std::string_view> words = zq::split_words(text);
  std::uint32_t frequency = 0;
  if (words.empty() || !parse_whole(words[0], frequency) || frequency < 16 || frequency > 1000000) {
    return "raw: a carrier frequency in Hz (16..1000000) comes first";
  }
  std::size_t first = 1;
  std::optional<std::size_t> repeat;
  if (words.size() >= 3 && words[1] == "repeat") {
    std::size_t index = 0;
    if (!parse_whole(words[2], index)) return "raw: repeat takes an index";
    repeat = index;
    first = 3;
  }
  signal_data signal;
  for (std::size_t i = first; i < words.size(); ++i) {
    std::int32_t duration = 0;
    if (!parse_whole(words[i], duration)) return "raw: a duration is no whole number of microseconds";
    signal.durations.push_back(duration);
  }
  if (signal.durations.empty() || signal.durations.size() > 0xFFFF) return "raw: 1 to 65535 durations";
  signal.carrier_period = static_cast<std::uint16_t>((1000000U + frequency / 2) / frequency);
  signal.repeat_index = static_cast<std::uint16_t>(std::min<std::size_t>(repeat.value_or(0xFFFF), 0xFFFF));
  if (!repeat) signal.repeat_index = signal.count();
  out = std::move(signal);
  return std::nullopt;
}

// The stored record of one signal form, or a message.
std::optional<std::string> build_signal(std::string_view name, std::string_view form, std::vector<std::uint8_t>& out) {
  const auto [keyword, rest] = split_keyword(form);
  signal_data signal;
  zq::result_t result = zq::rc::ok;
  if (keyword == "pronto") {
    const pronto_result parsed = parse_pronto(rest);
    if (parsed.code != zq::rc::ok) return "Pronto code " + std::to_string(parsed.code);
    signal = parsed.signal;
  } else if (keyword == "raw") {
    if (std::optional<std::string> message = read_raw(rest, signal)) return message;
  } else {
    protocols::protocol_parameters parameters;
    result = protocols::parse_parameters(form, parameters);
    if (result != zq::rc::ok) return "protocol code " + std::to_string(result) + " for \"" + std::string(form) + "\"";
    result = protocols::protocol_signal_record(name, parameters, out);
    if (result != zq::rc::ok) return "signal code " + std::to_string(result);
    return std::nullopt;
  }
  result = encode_signal_record(name, signal, out);
  if (result != zq::rc::ok) return "signal code " + std::to_string(result);
  return std::nullopt;
}

struct table_entry {
  std::string name;
  std::string words;
};

class compiler {
 public:
  zq::result_t run(std::string_view text, xman::ir_archive_content& out, archive_source_error* error) {
    std::size_t at = 0;
    while (at < text.size()) {
      std::size_t end = text.find('\n', at);
      if (end == std::string_view::npos) end = text.size();
      const std::string_view line = zq::trim_blanks(strip_comment(text.substr(at, end - at)));
      at = end + 1;
      ++line_;
      if (line.empty()) continue;
      if (std::optional<std::string> message = statement(line)) return fail(error, line_, std::move(*message));
    }
    if (table_) return fail(error, line_, "table \"" + *table_ + "\" has no \"end\"");
    if (content_.categories.empty() || content_.models.empty()) {
      if (error != nullptr) *error = {0, "an archive needs at least one category and one model"};
      return zq::rc::ir_archive_empty;
    }
    out = std::move(content_);
    return zq::rc::ok;
  }

 private:
  static zq::result_t fail(archive_source_error* error, std::size_t line, std::string message) {
    if (error != nullptr) *error = {line, std::move(message)};
    return zq::rc::ir_archive_source_malformed;
  }

  std::optional<std::string> statement(std::string_view line) {
    const auto [keyword, rest] = split_keyword(line);
    if (table_) {
      if (line == "end") {
        table_.reset();
        return std::nullopt;
      }
      const auto assignment = split_assignment(line);
      if (!assignment) return "a table entry is \"NAME = WORDS\", and a table ends with \"end\"";
      tables_[*table_].push_back({std::string(assignment->first), std::string(assignment->second)});
      return std::nullopt;
    }
    if (keyword == "category") return declare_category(rest);
    if (keyword == "table") {
      if (rest.empty() || rest.find_first_of(" \t") != std::string_view::npos) return "table takes one identifier";
      if (tables_.contains(std::string(rest))) return "table \"" + std::string(rest) + "\" is defined twice";
      table_ = std::string(rest);
      tables_[*table_];
      return std::nullopt;
    }
    if (keyword == "model") return start_model(rest);
    if (keyword == "codes") return add_codes(rest);
    if (keyword == "signal") {
      const auto assignment = split_assignment(rest);
      if (!assignment) return "signal is \"signal NAME = FORM\"";
      return add_signal(assignment->first, assignment->second);
    }
    return "unknown statement \"" + std::string(keyword) + "\"";
  }

  std::optional<std::string> declare_category(std::string_view name) {
    if (name.empty()) return "category takes a name";
    auto& categories = content_.categories;
    if (std::find(categories.begin(), categories.end(), name) != categories.end()) {
      return "category \"" + std::string(name) + "\" is declared twice";
    }
    if (categories.size() == 0xFFFF) return "too many categories";
    categories.emplace_back(name);
    return std::nullopt;
  }

  std::optional<std::string> start_model(std::string_view text) {
    const std::size_t first_bar = text.find('|');
    const std::size_t second_bar = first_bar == std::string_view::npos ? first_bar : text.find('|', first_bar + 1);
    if (second_bar == std::string_view::npos) return "model is \"model CATEGORY | BRAND | NAME\"";
    const std::string_view category = zq::trim_blanks(text.substr(0, first_bar));
    const std::string_view brand = zq::trim_blanks(text.substr(first_bar + 1, second_bar - first_bar - 1));
    const std::string_view name = zq::trim_blanks(text.substr(second_bar + 1));
    if (brand.empty() || name.empty()) return "model is \"model CATEGORY | BRAND | NAME\"";
    const auto& categories = content_.categories;
    const auto found = std::find(categories.begin(), categories.end(), category);
    if (found == categories.end()) return "unknown category \"" + std::string(category) + "\"";
    auto& brands = content_.brands;
    auto brand_at = std::find(brands.begin(), brands.end(), brand);
    if (brand_at == brands.end()) {
      if (brands.size() == 0xFFFF) return "too many brands";
      brand_at = brands.emplace(brands.end(), brand);
    }
    xman::ir_archive_content::model model;
    model.category = static_cast<std::uint16_t>(found - categories.begin());
    model.brand = static_cast<std::uint16_t>(brand_at - brands.begin());
    model.name = std::string(name);
    content_.models.push_back(std::move(model));
    signal_names_.clear();
    return std::nullopt;
  }

  std::optional<std::string> add_codes(std::string_view text) {
    const auto assignment = split_assignment(text);
    if (!assignment) return "codes is \"codes TABLE = PROTOCOL FIELDS\"";
    const auto table = tables_.find(std::string(assignment->first));
    if (table == tables_.end()) return "unknown table \"" + std::string(assignment->first) + "\"";
    for (const table_entry& entry : table->second) {
      const std::string form = std::string(assignment->second) + " " + entry.words;
      if (std::optional<std::string> message = add_signal(entry.name, form)) return entry.name + ": " + *message;
    }
    return std::nullopt;
  }

  std::optional<std::string> add_signal(std::string_view name, std::string_view form) {
    if (content_.models.empty()) return "a signal belongs to a model: \"model\" comes first";
    std::vector<std::uint8_t> record;
    if (std::optional<std::string> message = build_signal(name, form, record)) return message;
    std::vector<std::vector<std::uint8_t>>& signals = content_.models.back().signals;
    const auto known = signal_names_.find(std::string(name));
    if (known != signal_names_.end()) {
      signals[known->second] = std::move(record);
    } else {
      signal_names_.emplace(std::string(name), signals.size());
      signals.push_back(std::move(record));
    }
    return std::nullopt;
  }

  xman::ir_archive_content content_;
  std::map<std::string, std::vector<table_entry>> tables_;
  std::optional<std::string> table_;              // the table being defined
  std::map<std::string, std::size_t> signal_names_;  // of the current model: name -> position
  std::size_t line_ = 0;
};

}  // namespace

zq::result_t compile_archive_source(std::string_view text, xman::ir_archive_content& out,
                                    archive_source_error* error) {
  return compiler().run(text, out, error);
}

}  // namespace redeye
