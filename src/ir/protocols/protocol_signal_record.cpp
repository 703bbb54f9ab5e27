#include "ir/protocols/protocol_signal_record.h"

#include "ir/protocols/protocol_registry.h"
#include "ir/signal_data.h"

namespace redeye::protocols {

zq::result_t protocol_signal_record(std::string_view name, const protocol_parameters& parameters,
                                    std::vector<std::uint8_t>& out) {
  const protocol* format = nullptr;
  if (const zq::result_t result = check_parameters(parameters, format); result != zq::rc::ok) return result;
  std::vector<std::uint8_t> record;
  signal_data signal;
  format->encode(parameters, 0, signal);
  if (const zq::result_t result = encode_signal_record(name, signal, record); result != zq::rc::ok) return result;
  if (format->toggles) {
    format->encode(parameters, 1, signal);
    if (const zq::result_t result = append_signal_reading(record, signal, record); result != zq::rc::ok) {
      return result;
    }
  }
  out = std::move(record);
  return zq::rc::ok;
}

}  // namespace redeye::protocols
