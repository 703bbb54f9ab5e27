// Reads arbitrary bytes as a Flipper ".ir" file. A failure is code 1118 and leaves the output
// alone; a success gives buttons with names, parsed buttons with a protocol, raw buttons with a
// frequency, a duty cycle and alternating durations within the limits. Every button is then
// converted, which must either succeed with parameters the registry encodes or report 1119.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "ir/interchange/flipper_ir_conversion.h"
#include "ir/interchange/flipper_ir_reader.h"
#include "ir/protocols/protocol_registry.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<char> text(data, data + size);
  std::vector<redeye::flipper_ir_signal> buttons(1);
  std::size_t line = 0;
  const zq::result_t result = redeye::read_flipper_ir(std::string_view(text.data(), text.size()), buttons, &line);
  if (result != zq::rc::ok) {
    check(result == zq::rc::flipper_ir_malformed && buttons.size() == 1);
    return 0;
  }
  for (const redeye::flipper_ir_signal& button : buttons) {
    check(!button.name.empty());
    if (button.kind == redeye::flipper_ir_kind_t::parsed) {
      check(!button.protocol.empty());
      redeye::protocols::protocol_parameters parameters;
      const zq::result_t converted = redeye::flipper_ir_parameters(button, parameters);
      check(converted == zq::rc::ok || converted == zq::rc::flipper_ir_unsupported);
      redeye::signal_data signal;
      if (converted == zq::rc::ok) check(redeye::protocols::encode_protocol(parameters, 0, signal) == zq::rc::ok);
      continue;
    }
    check(button.frequency >= 1 && button.frequency <= 1000000);
    check(button.duty_cycle > 0.0 && button.duty_cycle <= 1.0);
    check(!button.durations.empty() && button.durations.size() <= redeye::flipper_ir_max_durations);
    for (std::size_t i = 0; i < button.durations.size(); ++i) {
      check(i % 2 == 0 ? button.durations[i] > 0 : button.durations[i] < 0);
    }
    redeye::signal_data signal;
    const zq::result_t converted = redeye::flipper_ir_raw_signal(button, signal);
    check(converted == zq::rc::ok || (converted == zq::rc::flipper_ir_unsupported && button.frequency < 16));
    if (converted == zq::rc::ok) check(signal.carrier_period >= 1 && signal.repeat_index == signal.count());
  }
  return 0;
}
