#include "ir/protocols/protocol_signal_store.h"

#include <cstdint>
#include <vector>

#include "ir/protocols/protocol_signal_record.h"

namespace redeye::protocols {

zq::result_t put_protocol_signal(xman::codebase_writer& codebase, std::string_view name,
                                 const protocol_parameters& parameters) {
  // The whole record is built first, so that nothing is stored unless every reading is.
  std::vector<std::uint8_t> record;
  if (const zq::result_t result = protocol_signal_record(name, parameters, record); result != zq::rc::ok) {
    return result;
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
