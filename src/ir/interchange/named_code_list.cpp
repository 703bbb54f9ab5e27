#include "ir/interchange/named_code_list.h"

#include <utility>

namespace redeye {
namespace {

bool acceptable_name(std::string_view name) {
  return !name.empty() && name.find('\0') == std::string_view::npos;
}

struct numbered_line {
  std::size_t number;
  std::string_view text;
};

}  // namespace

interchange_read read_named_code_list(std::string_view text, std::string_view default_name, code_line_reader read) {
  std::vector<numbered_line> lines;
  text_lines reader(text);
  std::string_view line;
  while (reader.next(line)) {
    line = trim_blanks(line);
    if (!line.empty()) lines.push_back({reader.number(), line});
  }
  interchange_read result;
  if (lines.empty()) {
    result.code = zq::rc::interchange_no_signals;
    return result;
  }
  const auto fail = [&](zq::result_t code, std::size_t at) {
    interchange_read failed;
    failed.code = code;
    failed.line = at;
    return failed;
  };
  std::vector<named_signal> signals;
  const auto add = [&](std::string_view name, const numbered_line& code_line) -> zq::result_t {
    signal_data signal;
    if (const zq::result_t code = read(code_line.text, signal); code != zq::rc::ok) return code;
    signals.push_back({std::string(name), {std::move(signal)}});
    return zq::rc::ok;
  };
  if (lines.size() == 1) {
    if (!acceptable_name(default_name)) return fail(zq::rc::interchange_syntax, lines[0].number);
    if (const zq::result_t code = add(default_name, lines[0]); code != zq::rc::ok) return fail(code, lines[0].number);
  } else {
    for (std::size_t i = 0; i < lines.size(); i += 2) {
      if (i + 1 >= lines.size()) return fail(zq::rc::interchange_structure, lines[i].number);
      if (!acceptable_name(lines[i].text)) return fail(zq::rc::interchange_syntax, lines[i].number);
      if (const zq::result_t code = add(lines[i].text, lines[i + 1]); code != zq::rc::ok) {
        return fail(code, lines[i + 1].number);
      }
    }
  }
  result.signals = std::move(signals);
  return result;
}

interchange_write write_named_code_list(const std::vector<named_signal>& signals, code_line_writer write) {
  interchange_write result;
  for (const named_signal& signal : signals) {
    std::string code;
    zq::result_t outcome = zq::rc::ok;
    if (!acceptable_name(trim_blanks(signal.name)) || signal.name.find_first_of("\r\n") != std::string::npos ||
        signal.readings.empty()) {
      outcome = zq::rc::interchange_cannot_hold;
    } else {
      outcome = write(signal.readings.front(), code);
    }
    if (outcome != zq::rc::ok) {
      interchange_write failed;
      failed.code = outcome;
      failed.failed_name = signal.name;
      return failed;
    }
    if (!result.text.empty()) result.text += '\n';
    result.text += signal.name + '\n' + code + '\n';
  }
  return result;
}

}  // namespace redeye
