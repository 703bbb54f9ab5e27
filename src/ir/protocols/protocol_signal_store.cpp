#include "ir/protocols/protocol_signal_store.h"

#include <cstdint>
#include <vector>

#include "ir/protocols/protocol_registry.h"
#include "ir/signal_data.h"

namespace redeye::protocols {

zq::result_t put_protocol_signal(xman::codebase_writer& codebase, std::string_view name,
                                 const protocol_parameters& parameters) {
  const protocol* format = nullptr;
  if (const zq::result_t result = check_parameters(parameters, format); result != zq::rc::ok) return result;
  // The whole record is built first, so that nothing is stored unless every reading is.
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
  // `name` may point into the record replaced here; it is not used afterwards.
  if (const int index = codebase.signal_index_of(name); index > 0) {
    codebase.replace_record(static_cast<std::size_t>(index), record);
  } else {
    codebase.append_record(record);
  }
  return zq::rc::ok;
}

}  // namespace redeye::protocols
