#include "ir/interchange/lircd_conf.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace redeye {
namespace {

constexpr std::uint64_t longest_duration = std::numeric_limits<std::int32_t>::max();
constexpr std::uint64_t highest_frequency = 1000000;
constexpr std::uint32_t lirc_default_frequency = 38000;

bool keyword_is(std::string_view word, std::string_view keyword) {
  if (word.size() != keyword.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(word[i])) != keyword[i]) return false;
  }
  return true;
}

struct raw_code {
  std::string name;
  std::size_t line = 0;
  std::vector<std::int64_t> durations;
};

enum class section_t { none, remote, raw_codes, raw_name };

class lircd_conf_reader {
 public:
  // The line of a code whose failure is found after its own lines (when the code or its remote
  // ends); 0 when the failure lies on the line being read.
  std::size_t failed_line() const { return failed_line_; }

  interchange_read read(std::string_view text) {
    text_lines lines(text);
    std::string_view line;
    while (lines.next(line)) {
      const std::string_view content = trim_blanks(line);
      if (content.empty() || content.front() == '#') continue;
      std::vector<std::string_view> words = split_words(content);
      const std::string_view value = words.size() > 1 ? words[1] : std::string_view{};
      // Words from a "#" on are a comment (the value of "name" excepted: a name may start with "#").
      for (std::size_t i = keyword_is(words[0], "name") ? 2 : 1; i < words.size(); ++i) {
        if (words[i].front() == '#') {
          words.resize(i);
          break;
        }
      }
      if (const zq::result_t code = take(words, value, lines.number()); code != zq::rc::ok) {
        return failure(code, lines.number());
      }
    }
    if (section_ != section_t::none) return failure(zq::rc::interchange_structure, 0);
    if (result_.signals.empty()) return failure(zq::rc::interchange_no_signals, 0);
    return std::move(result_);
  }

 private:
  static interchange_read failure(zq::result_t code, std::size_t line) {
    interchange_read failed;
    failed.code = code;
    failed.line = line;
    return failed;
  }

  zq::result_t take(const std::vector<std::string_view>& words, std::string_view value, std::size_t line) {
    const std::string_view key = words[0];
    if (keyword_is(key, "begin") && words.size() > 1) return begin(value);
    if (keyword_is(key, "end") && words.size() > 1) return end(value);
    switch (section_) {
      case section_t::none:
        return zq::rc::interchange_structure;
      case section_t::remote:
        return header_field(key, words);
      case section_t::raw_codes:
      case section_t::raw_name:
        if (keyword_is(key, "name")) {
          if (const zq::result_t code = finish_code(); code != zq::rc::ok) return code;
          if (value.empty()) return zq::rc::interchange_syntax;
          code_ = raw_code{std::string(value), line, {}};
          section_ = section_t::raw_name;
          return zq::rc::ok;
        }
        if (section_ == section_t::raw_codes) return zq::rc::interchange_syntax;
        for (const std::string_view word : words) {
          const std::optional<std::uint64_t> duration = parse_decimal(word, longest_duration);
          if (!duration) return zq::rc::interchange_number;
          const auto magnitude = static_cast<std::int64_t>(*duration);
          code_.durations.push_back(code_.durations.size() % 2 == 0 ? magnitude : -magnitude);
          if (code_.durations.size() > interchange_max_durations) return zq::rc::interchange_signal_size;
        }
        return zq::rc::ok;
    }
    return zq::rc::interchange_structure;
  }

  zq::result_t begin(std::string_view what) {
    if (keyword_is(what, "remote")) {
      if (section_ != section_t::none) return zq::rc::interchange_structure;
      section_ = section_t::remote;
      frequency_ = lirc_default_frequency;
      gap_ = 0;
      codes_.clear();
      return zq::rc::ok;
    }
    if (keyword_is(what, "raw_codes")) {
      if (section_ != section_t::remote) return zq::rc::interchange_structure;
      section_ = section_t::raw_codes;
      return zq::rc::ok;
    }
    if (keyword_is(what, "codes")) {
      return section_ == section_t::remote ? zq::rc::interchange_unsupported : zq::rc::interchange_structure;
    }
    return zq::rc::interchange_syntax;
  }

  zq::result_t end(std::string_view what) {
    if (keyword_is(what, "raw_codes")) {
      if (section_ != section_t::raw_codes && section_ != section_t::raw_name) return zq::rc::interchange_structure;
      if (const zq::result_t code = finish_code(); code != zq::rc::ok) return code;
      section_ = section_t::remote;
      return zq::rc::ok;
    }
    if (keyword_is(what, "remote")) {
      if (section_ != section_t::remote) return zq::rc::interchange_structure;
      section_ = section_t::none;
      return finish_remote();
    }
    return zq::rc::interchange_syntax;
  }

  zq::result_t header_field(std::string_view key, const std::vector<std::string_view>& words) {
    // The frequency and the gap are the only header fields that change a raw code's timing; a gap
    // may be given as two numbers (the first is the gap).
    const bool frequency = keyword_is(key, "frequency");
    if (!frequency && !keyword_is(key, "gap")) return zq::rc::ok;
    if (words.size() < 2) return zq::rc::interchange_number;
    const std::optional<std::uint64_t> number = parse_decimal(words[1], frequency ? highest_frequency : longest_duration);
    if (!number) return zq::rc::interchange_number;
    (frequency ? frequency_ : gap_) = static_cast<std::uint32_t>(*number);
    return zq::rc::ok;
  }

  zq::result_t finish_code() {
    if (section_ != section_t::raw_name) return zq::rc::ok;
    if (code_.durations.empty()) {
      failed_line_ = code_.line;
      return zq::rc::interchange_signal_size;
    }
    codes_.push_back(std::move(code_));
    code_ = {};
    return zq::rc::ok;
  }

  // Header fields apply to every code of the remote wherever they stand, so the signals are made
  // when the remote ends.
  zq::result_t finish_remote() {
    for (raw_code& code : codes_) {
      if (gap_ > 0) code.durations.push_back(-static_cast<std::int64_t>(gap_));
      named_signal signal{std::move(code.name), {signal_data{}}};
      if (const zq::result_t result =
              normalise_durations(code.durations, 0, period_of_frequency(frequency_), signal.readings.front());
          result != zq::rc::ok) {
        failed_line_ = code.line;
        return result;
      }
      result_.signals.push_back(std::move(signal));
    }
    codes_.clear();
    return zq::rc::ok;
  }

  section_t section_ = section_t::none;
  std::uint32_t frequency_ = lirc_default_frequency;
  std::uint32_t gap_ = 0;
  raw_code code_;
  std::vector<raw_code> codes_;
  interchange_read result_;
  std::size_t failed_line_ = 0;
};

std::string single_word(std::string_view text) {
  std::string word(text);
  for (char& c : word) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0') c = '_';
  }
  if (word.empty()) word = "_";
  return word;
}

struct remote_group {
  std::uint16_t carrier_period;
  std::uint32_t gap;
  std::string codes;
};

}  // namespace

interchange_read read_lircd_conf(std::string_view text) {
  lircd_conf_reader reader;
  interchange_read result = reader.read(text);
  if (result.code != zq::rc::ok && reader.failed_line() != 0) result.line = reader.failed_line();
  return result;
}

interchange_write write_lircd_conf(std::string_view remote_name, const std::vector<named_signal>& signals) {
  std::vector<remote_group> groups;
  for (const named_signal& signal : signals) {
    if (signal.readings.empty()) {
      interchange_write failed;
      failed.code = zq::rc::interchange_cannot_hold;
      failed.failed_name = signal.name;
      return failed;
    }
    const signal_data& reading = signal.readings.front();
    alternating_durations written = alternate(reading, false);
    std::uint32_t gap = 0;
    if (written.magnitudes.size() % 2 == 0) {
      gap = written.magnitudes.back();
      written.magnitudes.pop_back();
    }
    bool too_long = gap > longest_duration;
    for (const std::uint32_t magnitude : written.magnitudes) too_long = too_long || magnitude > longest_duration;
    if (too_long) {
      interchange_write failed;
      failed.code = zq::rc::interchange_cannot_hold;
      failed.failed_name = signal.name;
      return failed;
    }
    remote_group* group = nullptr;
    for (remote_group& candidate : groups) {
      if (candidate.carrier_period == reading.carrier_period && candidate.gap == gap) group = &candidate;
    }
    if (group == nullptr) group = &groups.emplace_back(remote_group{reading.carrier_period, gap, {}});
    group->codes += "\n      name " + single_word(signal.name) + '\n';
    for (std::size_t i = 0; i < written.magnitudes.size(); ++i) {
      group->codes += (i % 6 == 0 ? "        " : " ");
      group->codes += std::to_string(written.magnitudes[i]);
      if (i % 6 == 5 || i + 1 == written.magnitudes.size()) group->codes += '\n';
    }
  }
  interchange_write result;
  result.text = "#\n# Raw codes written by zqtool.\n#\n";
  const std::string name = single_word(remote_name);
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const remote_group& group = groups[i];
    result.text += "\nbegin remote\n\n  name  " + name + (i == 0 ? "" : "_" + std::to_string(i + 1)) +
                   "\n  flags RAW_CODES\n  eps            30\n  aeps          100\n\n  frequency    " +
                   std::to_string(frequency_of_period(group.carrier_period)) + '\n';
    if (group.gap > 0) result.text += "  gap          " + std::to_string(group.gap) + '\n';
    result.text += "\n  begin raw_codes\n" + group.codes + "\n  end raw_codes\n\nend remote\n";
  }
  return result;
}

}  // namespace redeye
