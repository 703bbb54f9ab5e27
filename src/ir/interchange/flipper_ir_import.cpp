#include "ir/interchange/flipper_ir_import.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "ir/interchange/flipper_ir_conversion.h"
#include "ir/interchange/flipper_ir_reader.h"
#include "ir/protocols/protocol_registry.h"

namespace redeye {
namespace {

zq::result_t button_signal(const flipper_ir_signal& button, named_signal& out) {
  out.name = button.name;
  out.readings.clear();
  if (button.kind == flipper_ir_kind_t::parsed) {
    protocols::protocol_parameters parameters;
    if (const zq::result_t code = flipper_ir_parameters(button, parameters); code != zq::rc::ok) return code;
    const protocols::protocol* format = protocols::find_protocol(parameters.protocol);
    const unsigned readings = format != nullptr && format->toggles ? 2 : 1;
    for (unsigned toggle = 0; toggle < readings; ++toggle) {
      signal_data signal;
      if (const zq::result_t code = protocols::encode_protocol(parameters, toggle, signal); code != zq::rc::ok) {
        return code;
      }
      out.readings.push_back(std::move(signal));
    }
    return zq::rc::ok;
  }
  signal_data raw;
  if (const zq::result_t code = flipper_ir_raw_signal(button, raw); code != zq::rc::ok) return code;
  // Through the shared rules, so that the signal is the one a codebase gives back.
  const std::vector<std::int64_t> durations(raw.durations.begin(), raw.durations.end());
  signal_data signal;
  if (const zq::result_t code = normalise_durations(durations, durations.size(), raw.carrier_period, signal);
      code != zq::rc::ok) {
    return code;
  }
  out.readings.push_back(std::move(signal));
  return zq::rc::ok;
}

}  // namespace

interchange_read read_flipper_ir_signals(std::string_view text) {
  interchange_read result;
  std::vector<flipper_ir_signal> buttons;
  if (const zq::result_t code = read_flipper_ir(text, buttons, &result.line); code != zq::rc::ok) {
    result.code = code;
    return result;
  }
  result.line = 0;
  if (buttons.empty()) {
    result.code = zq::rc::interchange_no_signals;
    return result;
  }
  for (const flipper_ir_signal& button : buttons) {
    named_signal signal;
    if (const zq::result_t code = button_signal(button, signal); code != zq::rc::ok) {
      interchange_read failed;
      failed.code = code;
      failed.failed_name = button.name;
      return failed;
    }
    result.signals.push_back(std::move(signal));
  }
  return result;
}

}  // namespace redeye
